#include "play/navigation.h"
#include "play/panel_shown.h"

#include <cstdlib>

#include "language/translate.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/handicap.h"
#include "play/messages.h"
#include "play/record_list.h"
#include "play/recorded_moves.h"
#include "play/setup.h"
#include "rules/record.h"
#include "rules/turn_round.h"
#include "sound/sound.h"
#include "view/board_view.h"
#include "view/clock_view.h"
#include "view/marks_view.h"
#include "view/status_view.h"

namespace korvanu {

namespace {

void showTimes(Table& g, double com, double man) {
  g.COM_TIME = com;
  描画_所有時間(g.ui, g, g.SIDE_COM, g.COM_TIME);
  g.MAN_TIME = man;
  描画_所有時間(g.ui, g, g.SIDE_MAN, g.MAN_TIME);
}

void redrawPosition(Table& g) {
  描画_自持盤(g.ui, g);
  描画_敵持盤(g.ui, g);
  描画_盤(g.ui, g);
}

// Shows entry MOVE_NO, already stepped to (and held by the record), with the
// clock totals the step reads: back reads A and C, forward B and D. The turn
// passes first, so that the move into the entry is read as its mover's (a
// loaded record's sides are taken from its first move).
void showEntry(Table& g, bool forward) {
  const RecordEntry& e = g.REC[static_cast<size_t>(g.MOVE_NO)];
  g.TURN = -g.TURN;
  g.MOVE_MARKS = marksInto(g);
  if (forward)
    showStoredPosition(g, e, e.TIME_D, e.TIME_B);
  else
    showStoredPosition(g, e, e.TIME_C, e.TIME_A);
  showTurnMarker(g.ui, g);
  showLastMoves(g);
}

} // namespace

void pauseForStep(Table& g) {
  g.SELECT_STATE = 0;
  setTimer1(g, false);
  描画_将棋盤桝(g.ui, g);
}

MoveMarks marksInto(const Table& g) {
  const auto move = moveInto(g, g.MOVE_NO);
  return move ? move->marks : MoveMarks{};
}

void showStoredPosition(Table& g, const RecordEntry& e, double comTime, double manTime) {
  restorePosition(g, e);
  showTimes(g, comTime, manTime);
  redrawPosition(g);
  playSound(g, g.SOUND_PIECE);
  描画_手数(g.ui, g, g.GAME_MOVES, COLOR_WHITE);
  updateMoveList(g);
}

void REPLAY_Click(Table& g) {
  closeFilePanel(g);
  g.RESUME_PENDING = ON;
  if (g.MOVE_NO <= 0 || g.MOVE_NO > static_cast<int>(g.REC.size())) {
    sayRefused(g, tr("できません"), tr("戻る"));
    return;
  }
  --g.MOVE_NO;
  --g.GAME_MOVES;
  pauseForStep(g);
  showEntry(g, false);
}

void AFTER_Click(Table& g) {
  closeFilePanel(g);
  if (g.TURN == NO_GAME) {
    sayRefused(g, tr("「対局」で始めて下さい"), tr("開始"));
    return;
  }
  g.RESUME_PENDING = ON;
  if (g.MOVE_NO >= lastShownEntry(g)) {
    if (g.RECORD_MODE == ON) {
      say(g, tr("終わり"), tr("進む"));
    } else {
      sayRefused(g, tr("できません"), tr("進む"));
    }
    return;
  }
  ++g.MOVE_NO;
  pauseForStep(g);
  ++g.GAME_MOVES;
  描画_手数(g.ui, g, g.GAME_MOVES, COLOR_WHITE);
  showEntry(g, true);
}

void stepTo(Table& g, int n) {
  const bool forward = n > g.MOVE_NO;
  if (n == g.MOVE_NO || n < 0 || n > lastShownEntry(g) || (forward && g.TURN == NO_GAME)) return;
  g.RESUME_PENDING = ON;
  pauseForStep(g);
  // The turn as the steps short of entry n leave it; the last one is shown.
  if ((n - g.MOVE_NO - (forward ? 1 : -1)) % 2 != 0) g.TURN = -g.TURN;
  g.GAME_MOVES += n - g.MOVE_NO;
  g.MOVE_NO = n;
  showEntry(g, forward);
}

void CANCEL_Click(Table& g) {
  初期設定(g);
  playSound(g, g.SOUND_PIECE);
}

void REVERSE_Click(Table& g) {
  if (g.RECORD_MODE == ON) {
    sayRefused(g, tr("棋譜ﾓｰﾄﾞではできません"), tr("反転"));
    return;
  }
  g.REVERSED = ON;
  g.SELECT_STATE = 0;
  turnRound(g);
  g.MOVE_MARKS = turnedRound(g.MOVE_MARKS);
  画面_再描画(g.ui, g);
  描画_手数(g.ui, g, g.GAME_MOVES, COLOR_WHITE);
  if (g.HANDICAP_SET == ON) {
    g.HANDICAP_LEVEL = -g.HANDICAP_LEVEL;
    描画_ハンデレベル(g.ui, g, g.HANDICAP_LEVEL);
  }
  playSound(g, g.SOUND_PIECE);
  g.TURN = -g.TURN;
  showTurnMarker(g.ui, g);
  // The turned position starts the record afresh: 戻 comes back to it and
  // nothing of the game before the turn can be stepped to again.
  g.MOVE_NO = 0;
  g.RECORD_LAST = 0;
  手順保存(g, g.MAN_TIME, g.MAN_TIME, g.COM_TIME, g.COM_TIME);
  updateMoveList(g);
}

} // namespace korvanu
