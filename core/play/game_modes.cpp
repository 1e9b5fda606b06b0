#include "play/game_modes.h"
#include "play/panel_shown.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/file_panel.h"
#include "play/level4.h"
#include "play/messages.h"
#include "play/turn.h"
#include "view/board_view.h"
#include "view/marks_view.h"
#include "view/status_view.h"

namespace korvanu {

namespace {

// The level label stands on these three cells.
void eraseLevel(Table& g) {
  for (int x = -2; x <= 0; ++x) 描画_絵(g.ui, g.BACKGROUND, x, 0);
}

bool freshGame(const Table& g) { return g.GAME_MOVES == 0 || g.TURN == NO_GAME; }

// The start of a game against the computer, common to both sides.
void startAgainstComputer(Table& g) {
  描画_棋譜読込み部分消去(g);
  描画_レベル(g.ui, g, g.COM_LEVEL);
  描画_将棋盤桝(g.ui, g);
}

void enterComputerMode(Table& g) {
  g.SELECT_STATE = 0;
  g.GAME_MODE = MODE_MAN_COM;
  g.RECORD_MODE = OFF;
  // Entries after the shown one are dropped. The shown entry is MOVE_NO: the
  // move count runs on over a turn of the board, the record starts afresh.
  g.RECORD_LAST = g.MOVE_NO;
}

} // namespace

void TAIKYOKU_Click(Table& g) { closeFilePanel(g); }
void STOP_Click(Table& g) { closeFilePanel(g); }
void OPTION_Click(Table& g) { closeFilePanel(g); }

void START_Click(Table& g) {
  描画_棋譜読込み部分消去(g);
  eraseLevel(g);
  描画_将棋盤桝(g.ui, g);
  g.TURN_START_TIME = g.ui.clockSeconds();
  if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
  g.GAME_MODE = MODE_MAN_MAN;
  // A loaded record is played on from the entry shown, as against the computer.
  g.RECORD_MODE = OFF;
  if (freshGame(g)) {
    g.SIDE_MAN = TURN_SENTE;
    g.SIDE_COM = TURN_GOTE;
    g.TURN = g.SIDE_MAN;
    showTurnMarker(g.ui, g);
    say(g, tr("先手の番です"), " ");
  } else if (g.TURN == TURN_SENTE) {
    showTurnMarker(g.ui, g);
    say(g, tr("先手の番です"), " ");
  } else if (g.TURN == TURN_GOTE) {
    showTurnMarker(g.ui, g);
    say(g, tr("後手の番です"), " ");
  }
  g.RESUME_PENDING = OFF;
}

void SENTE_Click(Table& g) {
  startAgainstComputer(g);
  enterComputerMode(g);
  g.TURN_START_TIME = g.ui.clockSeconds();
  setTimer1(g, true);
  if (freshGame(g)) {
    g.SIDE_MAN = TURN_SENTE;
    g.SIDE_COM = TURN_GOTE;
    g.TURN = g.SIDE_MAN;
    showTurnMarker(g.ui, g);
    say(g, tr("MANの番です"), " ");
    g.RESUME_PENDING = OFF;
  } else if (g.TURN == g.SIDE_MAN) {
    // The human keeps the move and is the first player from now on.
    g.SIDE_MAN = TURN_SENTE;
    g.SIDE_COM = TURN_GOTE;
    g.TURN = TURN_SENTE;
    showTurnMarker(g.ui, g);
    say(g, tr("MANの番です"), tr("対局"));
    g.RESUME_PENDING = OFF;
  } else if (g.TURN == g.SIDE_COM) {
    com_ban(g);
  }
}

void GOTE_Click(Table& g) {
  startAgainstComputer(g);
  setTimer1(g, true);
  enterComputerMode(g);
  if (freshGame(g)) {
    g.SIDE_MAN = TURN_GOTE;
    g.SIDE_COM = TURN_SENTE;
    g.TURN = TURN_SENTE;
    com_ban(g);
  } else if (g.TURN == g.SIDE_MAN) {
    // The player's clock runs from now, as it does on the first player's side.
    g.TURN_START_TIME = g.ui.clockSeconds();
    showTurnMarker(g.ui, g);
    say(g, tr("MANの番です"), tr("対局"));
    g.RESUME_PENDING = OFF;
  } else if (g.TURN == g.SIDE_COM) {
    com_ban(g);
  }
}

void レベル_設定(Table& g, int n) {
  constexpr Menu LEVELS[] = {Menu::LEVEL1, Menu::LEVEL2, Menu::LEVEL3, Menu::LEVEL4};
  for (Menu item : LEVELS) setChecked(g, item, false);
  if (n >= 1 && n <= LEVEL_SEARCH) {
    setChecked(g, LEVELS[n - 1], true);
    g.COM_LEVEL = n;
  }
  if (g.GAME_MODE == MODE_MAN_COM) 描画_レベル(g.ui, g, g.COM_LEVEL);
}

void LEVEL1_Click(Table& g) {
  eraseLevel(g);
  レベル_設定(g, 1);
}
void LEVEL2_Click(Table& g) {
  eraseLevel(g);
  レベル_設定(g, 2);
}
void LEVEL3_Click(Table& g) {
  eraseLevel(g);
  レベル_設定(g, 3);
}
void LEVEL4_Click(Table& g) {
  eraseLevel(g);
  レベル_設定(g, LEVEL_SEARCH);
}

} // namespace korvanu
