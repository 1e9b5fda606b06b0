#include "state/setup.h"

#include "play/clock.h"
#include "rules/record.h"
#include "settings/options.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

// Back row from column 1 to 9, as the lower side sees it.
constexpr int BACK_ROW[10] = {0, 2, 3, 4, 5, 8, 5, 4, 3, 2};

void placeStartingPosition(Position& p) {
  for (int x = 1; x <= 9; ++x) {
    p.BOARD[x][7] = CODE_SITA_HU;
    p.BOARD[x][9] = -10 * BACK_ROW[x];
    p.BOARD[x][3] = CODE_UE_HU;
    p.BOARD[x][1] = 10 * BACK_ROW[x];
  }
  p.BOARD[2][8] = CODE_SITA_KAKU;
  p.BOARD[8][8] = CODE_SITA_SYA;
  p.BOARD[2][2] = CODE_UE_SYA;
  p.BOARD[8][2] = CODE_UE_KAKU;
}

} // namespace

void 初期設定(Game& g) {
  g.HANDICAP_LEVEL = 0;
  g.HANDICAP_SET = OFF;
  g.GAME_MODE = NO_GAME;
  g.WINNER = NO_GAME;
  g.TURN = NO_GAME;
  g.MOVE_NO = 0;
  g.GAME_MOVES = 0;
  g.REVERSED = OFF;

  setTimer1(g, false);
  g.COM_TIME = 0;
  g.MAN_TIME = 0;

  g.RESUME_PENDING = OFF;
  g.RECORD_MODE = OFF;
  g.SHOWN_SECOND = 0;
  g.SELECT_STATE = 0;

  for (int k = 1; k <= 7; ++k) {
    g.HAND_SITA[k] = 0;
    g.HAND_UE[k] = 0;
  }
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = EMPTY;
  placeStartingPosition(g);

  g.HAND_SITA_TOTAL = 0;
  g.HAND_UE_TOTAL = 0;
  for (int k = 1; k <= 7; ++k) {
    if (g.HAND_SITA[k] > 0) g.HAND_SITA_TOTAL += g.HAND_SITA[k];
    if (g.HAND_UE[k] > 0) g.HAND_UE_TOTAL += g.HAND_UE[k];
  }

  画面_再描画(g);
  手順保存(g, g.MAN_TIME, g.MAN_TIME, g.COM_TIME, g.COM_TIME);
}

void Form_Load(Game& g) {
  loadSounds(g);

  g.RECORD_MODE = OFF;
  g.GUIDE_ON = OFF;
  g.RECORD_LAST = 0;
  g.COM_LEVEL = 3;
  setChecked(g, Menu::LEVEL3, true);

  g.SIDE_COM = TURN_SENTE;
  g.SIDE_MAN = TURN_GOTE;
  g.ui.fillSurface(COLOR_BOARD);

  読込_環境設定ファイル(g);
  初期設定(g);
  placeWindow(g);
}

void endProgram(Game& g) {
  終了処理(g);
  g.QUITTING = true;
  g.ui.quit();
}

} // namespace korvanu
