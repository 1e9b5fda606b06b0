#include "play/handicap.h"

#include "play/file_panel.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/dialogs.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

struct Square {
  int x, y, code;
};

// The pieces each level gives up, in order: level k (k > 0) takes the upper
// side's UPPER[k - 1] away, level -k the lower side's LOWER[k - 1]. The two
// sides mirror each other through the centre of the board.
constexpr Square UPPER[10] = {
    {8, 2, CODE_UE_KAKU}, {2, 2, CODE_UE_SYA}, {9, 1, CODE_UE_KYOU}, {1, 1, CODE_UE_KYOU},
    {8, 1, CODE_UE_KEI},  {2, 1, CODE_UE_KEI}, {7, 1, CODE_UE_GIN},  {3, 1, CODE_UE_GIN},
    {6, 1, CODE_UE_KIN},  {4, 1, CODE_UE_KIN},
};
constexpr Square LOWER[10] = {
    {2, 8, CODE_SITA_KAKU}, {8, 8, CODE_SITA_SYA}, {1, 9, CODE_SITA_KYOU}, {9, 9, CODE_SITA_KYOU},
    {2, 9, CODE_SITA_KEI},  {8, 9, CODE_SITA_KEI}, {3, 9, CODE_SITA_GIN},  {7, 9, CODE_SITA_GIN},
    {4, 9, CODE_SITA_KIN},  {6, 9, CODE_SITA_KIN},
};

// What changes on the board when `level` is reached going in `direction`.
Square change(int level, int direction) {
  if (direction > 0) {
    if (level > 0) return {UPPER[level - 1].x, UPPER[level - 1].y, EMPTY};
    return LOWER[-level]; // the lower piece of level - 1 comes back
  }
  if (level < 0) return {LOWER[-level - 1].x, LOWER[-level - 1].y, EMPTY};
  return UPPER[level]; // the upper piece of level + 1 comes back
}

void step(Game& g, int direction) {
  closeFilePanel(g);
  const int reason = g.RECORD_MODE == ON ? 1 : g.MOVE_NO > 0 ? 2 : g.REVERSED == ON ? 3 : 0;
  if (reason != 0) {
    playSound(g, g.SOUND_FORBIDDEN);
    描画_メッセージ(g, reason);
    return;
  }
  g.RECORD_LAST = 0;
  // The board changes under a picked-up piece: let go of it, so that it is
  // never moved from a square that may now be empty.
  if (g.SELECT_STATE == 1) {
    g.SELECT_STATE = 0;
    描画_将棋盤桝(g);
  }
  if ((direction > 0 && g.HANDICAP_LEVEL < 10) || (direction < 0 && g.HANDICAP_LEVEL > -10)) {
    g.HANDICAP_LEVEL += direction;
    描画_ハンデレベル(g, g.HANDICAP_LEVEL);
    const Square s = change(g.HANDICAP_LEVEL, direction);
    g.BOARD[s.x][s.y] = s.code;
    描画_絵(g, s.code, s.x, s.y);
    描画_桝輪郭(g, COLOR_BOARD, s.x, s.y);
    playSound(g, g.SOUND_PIECE);
  }
  g.HANDICAP_SET = ON;
}

} // namespace

void LBEL_UP_Click(Game& g) { step(g, +1); }

void removeHandicapPieces(int board[10][10], int level) {
  for (int k = 1; k <= 10; ++k) {
    if (k <= level) board[UPPER[k - 1].x][UPPER[k - 1].y] = EMPTY;
    if (k <= -level) board[LOWER[k - 1].x][LOWER[k - 1].y] = EMPTY;
  }
}
void LEBEL_DOWN_Click(Game& g) { step(g, -1); }

} // namespace korvanu
