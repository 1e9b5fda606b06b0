#include "play/handicap.h"
#include "play/panel_shown.h"

#include "platform/table.h"
#include "sound/sound.h"
#include "state/handicap_pieces.h"
#include "view/board_view.h"
#include "view/dialogs.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

// What changes on the board when `level` is reached going in `direction`.
HandicapPiece change(int level, int direction) {
  if (direction > 0) {
    if (level > 0) return {HANDICAP_UPPER[level - 1].x, HANDICAP_UPPER[level - 1].y, EMPTY};
    return HANDICAP_LOWER[-level]; // the lower piece of level - 1 comes back
  }
  if (level < 0) return {HANDICAP_LOWER[-level - 1].x, HANDICAP_LOWER[-level - 1].y, EMPTY};
  return HANDICAP_UPPER[level]; // the upper piece of level + 1 comes back
}

void step(Table& g, int direction) {
  closeFilePanel(g);
  const int reason = g.RECORD_MODE == ON ? 1 : g.MOVE_NO > 0 ? 2 : g.REVERSED == ON ? 3 : 0;
  if (reason != 0) {
    playSound(g, g.SOUND_FORBIDDEN);
    描画_メッセージ(g.ui, reason);
    return;
  }
  g.RECORD_LAST = 0;
  // The board changes under a picked-up piece: let go of it, so that it is
  // never moved from a square that may now be empty.
  if (g.SELECT_STATE == 1) {
    g.SELECT_STATE = 0;
    描画_将棋盤桝(g.ui, g);
  }
  if ((direction > 0 && g.HANDICAP_LEVEL < 10) || (direction < 0 && g.HANDICAP_LEVEL > -10)) {
    g.HANDICAP_LEVEL += direction;
    描画_ハンデレベル(g.ui, g, g.HANDICAP_LEVEL);
    const HandicapPiece s = change(g.HANDICAP_LEVEL, direction);
    g.BOARD[s.x][s.y] = s.code;
    drawSquare(g.ui, g, s.code, s.x, s.y);
    playSound(g, g.SOUND_PIECE);
  }
  g.HANDICAP_SET = ON;
}

} // namespace

void LBEL_UP_Click(Table& g) { step(g, +1); }

void LEBEL_DOWN_Click(Table& g) { step(g, -1); }

} // namespace korvanu
