#include "play/navigation.h"

#include <cstdlib>

#include "play/clock.h"
#include "play/file_panel.h"
#include "play/handicap.h"
#include "play/messages.h"
#include "play/setup.h"
#include "rules/move_marks.h"
#include "rules/record.h"
#include "rules/turn_round.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/clock_view.h"
#include "view/marks_view.h"
#include "view/status_view.h"

namespace korvanu {

namespace {

void showTimes(Game& g, double com, double man) {
  g.COM_TIME = com;
  描画_所有時間(g, g.SIDE_COM, g.COM_TIME);
  g.MAN_TIME = man;
  描画_所有時間(g, g.SIDE_MAN, g.MAN_TIME);
}

void redrawPosition(Game& g) {
  描画_自持盤(g);
  描画_敵持盤(g);
  描画_盤(g);
}

// The side (-1 lower, 1 upper) that made the move into the entry about to be
// shown: the one whose turn it is before the step turns it over (a loaded
// record's sides are taken from its first move).
int moverOfStep(const Game& g) { return g.TURN == g.SIDE_MAN ? -1 : g.TURN == g.SIDE_COM ? 1 : 0; }

// Shows entry MOVE_NO, already stepped to (and held by the record), with the
// clock totals the step reads: back reads A and C, forward B and D.
void showEntry(Game& g, bool forward) {
  const RecordEntry& e = g.REC[static_cast<size_t>(g.MOVE_NO)];
  // No move is kept with an entry: the marks come from the two positions.
  g.MOVE_MARKS = marksInto(g, e, moverOfStep(g));
  if (forward)
    showStoredPosition(g, e, e.TIME_D, e.TIME_B);
  else
    showStoredPosition(g, e, e.TIME_C, e.TIME_A);
  g.TURN = -g.TURN;
  showTurnMarker(g);
}

} // namespace

void pauseForStep(Game& g) {
  g.SELECT_STATE = 0;
  setTimer1(g, false);
  描画_将棋盤桝(g);
}

MoveMarks marksInto(const Game& g, const RecordEntry& e, int mover) {
  return g.MOVE_NO > 0 ? marksBetween(g.REC[static_cast<size_t>(g.MOVE_NO) - 1], e, mover)
                       : MoveMarks{};
}

void showStoredPosition(Game& g, const RecordEntry& e, double comTime, double manTime) {
  restorePosition(g, e);
  showTimes(g, comTime, manTime);
  redrawPosition(g);
  playSound(g, g.SOUND_PIECE);
  描画_手数(g, g.GAME_MOVES, COLOR_WHITE);
}

void REPLAY_Click(Game& g) {
  closeFilePanel(g);
  g.RESUME_PENDING = ON;
  if (g.MOVE_NO <= 0 || g.MOVE_NO > static_cast<int>(g.REC.size())) {
    sayRefused(g, "できません", "戻る");
    return;
  }
  --g.MOVE_NO;
  --g.GAME_MOVES;
  pauseForStep(g);
  showEntry(g, false);
}

void AFTER_Click(Game& g) {
  closeFilePanel(g);
  if (g.TURN == NO_GAME) {
    sayRefused(g, "「対局」で始めて下さい", "開始");
    return;
  }
  g.RESUME_PENDING = ON;
  if (g.MOVE_NO >= lastShownEntry(g)) {
    if (g.RECORD_MODE == ON) {
      say(g, "終わり", "進む");
    } else {
      sayRefused(g, "できません", "進む");
    }
    return;
  }
  ++g.MOVE_NO;
  pauseForStep(g);
  ++g.GAME_MOVES;
  描画_手数(g, g.GAME_MOVES, COLOR_WHITE);
  showEntry(g, true);
}

void stepTo(Game& g, int n) {
  if (n <= g.MOVE_NO || n > lastShownEntry(g) || g.TURN == NO_GAME) return;
  g.RESUME_PENDING = ON;
  pauseForStep(g);
  // The turn as the steps up to entry n - 1 leave it; the last one is shown.
  if ((n - 1 - g.MOVE_NO) % 2 != 0) g.TURN = -g.TURN;
  g.GAME_MOVES += n - g.MOVE_NO;
  g.MOVE_NO = n;
  showEntry(g, true);
}

void CANCEL_Click(Game& g) {
  初期設定(g);
  playSound(g, g.SOUND_PIECE);
}

void REVERSE_Click(Game& g) {
  if (g.RECORD_MODE == ON) {
    sayRefused(g, "棋譜ﾓｰﾄﾞではできません", "反転");
    return;
  }
  g.REVERSED = ON;
  g.SELECT_STATE = 0;
  turnRound(g);
  g.MOVE_MARKS = turnedRound(g.MOVE_MARKS);
  画面_再描画(g);
  描画_手数(g, g.GAME_MOVES, COLOR_WHITE);
  if (g.HANDICAP_SET == ON) {
    g.HANDICAP_LEVEL = -g.HANDICAP_LEVEL;
    描画_ハンデレベル(g, g.HANDICAP_LEVEL);
  }
  playSound(g, g.SOUND_PIECE);
  g.TURN = -g.TURN;
  showTurnMarker(g);
  // The turned position starts the record afresh: 戻 comes back to it and
  // nothing of the game before the turn can be stepped to again.
  g.MOVE_NO = 0;
  g.RECORD_LAST = 0;
  手順保存(g, g.MAN_TIME, g.MAN_TIME, g.COM_TIME, g.COM_TIME);
}

} // namespace korvanu
