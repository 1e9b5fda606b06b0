#include "state/new_game.h"

#include "state/game.h"

namespace korvanu {

namespace {

// Back row from column 1 to 9, as the lower side sees it.
constexpr int BACK_ROW[10] = {0, 2, 3, 4, 5, 8, 5, 4, 3, 2};

} // namespace

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

void newGame(Game& g) {
  g.HANDICAP_LEVEL = 0;
  g.HANDICAP_SET = OFF;
  g.GAME_MODE = NO_GAME;
  g.WINNER = NO_GAME;
  g.RECORD_RESIGNED = false;
  g.RECORD_ENDED = false;
  g.RECORD_NETWORK = false;
  // The game before was kept after its last move (play/autosave.h): the
  // record left over from it is nothing to keep any more.
  g.RECORD_UNSAVED = false;
  g.TURN = NO_GAME;
  g.MOVE_NO = 0;
  g.GAME_MOVES = 0;
  g.REVERSED = OFF;
  g.MOVE_MARKS = {};
  g.DANGER = {};

  g.COM_TIME = 0;
  g.MAN_TIME = 0;

  g.RESUME_PENDING = OFF;
  g.RECORD_MODE = OFF;
  g.SHOWN_SECOND = 0;
  g.CLOCK_MAIN_SECONDS = 0;
  g.CLOCK_BYOYOMI_SECONDS = 0;
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
}

} // namespace korvanu
