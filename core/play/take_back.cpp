#include "play/take_back.h"
#include "play/panel_shown.h"

#include "computer/survey.h"
#include "language/translate.h"
#include "platform/table.h"
#include "play/autosave.h"
#include "play/clock.h"
#include "play/messages.h"
#include "play/navigation.h"
#include "play/opponent.h"
#include "play/recorded_moves.h"
#include "rules/record.h"
#include "sound/sound.h"
#include "view/marks_view.h"

namespace korvanu {

namespace {

// Entries to go back from the one shown so that the player is to move before
// their last move: against the computer that is two when the computer has
// replied, one when it has not (play was paused before its reply); between
// two people always one. 0 when the record does not reach that far back.
int movesToTakeBack(const Table& g) {
  int n = 0;
  if (g.GAME_MODE == MODE_MAN_MAN)
    n = 1;
  else if (g.GAME_MODE == MODE_MAN_COM)
    n = g.TURN == g.SIDE_MAN ? 2 : 1;
  if (g.TURN == NO_GAME || g.MOVE_NO - n < 0 || g.MOVE_NO >= static_cast<int>(g.REC.size()))
    return 0;
  return n;
}

} // namespace

void MATTA_Click(Table& g) {
  closeFilePanel(g);
  if (g.RECORD_MODE == ON) return sayRefused(g, tr("棋譜ﾓｰﾄﾞではできません"), tr("待った"));
  if (opponentOf(g).asksTakeBack(g)) return;
  const int n = movesToTakeBack(g);
  if (n == 0) return sayRefused(g, tr("できません"), tr("待った"));
  takeBackMoves(g, n);
}

void takeBackMoves(Table& g, int n) {
  if (n <= 0 || g.MOVE_NO - n < 0) return;
  g.MOVE_NO -= n;
  g.GAME_MOVES -= n;
  g.RECORD_LAST = g.MOVE_NO;
  g.RECORD_UNSAVED = true;
  pauseForStep(g);
  // The player is to move in the position gone back to, and the marks show
  // the move into it, made by the side that now waits.
  g.TURN = g.GAME_MODE == MODE_MAN_COM ? g.SIDE_MAN : n % 2 == 1 ? -g.TURN : g.TURN;
  g.MOVE_MARKS = marksInto(g);
  const RecordEntry e = playedEntry(g, g.MOVE_NO);
  showStoredPosition(g, e, e.TIME_C, e.TIME_A);
  // The kings' squares follow the board, as after a move.
  勢力調査(g);
  showTurnMarker(g.ui, g);
  // The moves written beside the board (and "思考中") are those that led there.
  showLastMoves(g);
  g.RESUME_PENDING = OFF;
  g.TURN_START_TIME = g.ui.clockSeconds();
  g.TURN_ELAPSED = 0;
  g.SHOWN_SECOND = 0;
  if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
  autosaveRecord(g);
}

} // namespace korvanu
