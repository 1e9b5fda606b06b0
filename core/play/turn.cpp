#include "play/turn.h"

#include "computer/com_turn.h"
#include "computer/survey.h"
#include "language/translate.h"
#include "platform/table.h"
#include "play/autosave.h"
#include "play/clock.h"
#include "play/game_end.h"
#include "play/level4.h"
#include "play/record_list.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/mate.h"
#include "rules/move_marks.h"
#include "rules/moves.h"
#include "rules/record.h"
#include "sound/sound.h"
#include "view/board_view.h"
#include "view/marks_view.h"
#include "view/move_view.h"
#include "view/status_view.h"

namespace korvanu {

namespace {

bool kingStands(const Table& g, int king) { return 調査_駒存在(g, king) == ON; }

// The winner when an explosion has gone off and a king is no longer on the
// board. Against the computer the human is named first, should both kings
// go; between two people the side that moved.
const char* winnerAfterBlast(const Table& g, Mover who) {
  if (who == Mover::Person) {
    if (g.TURN == g.SIDE_MAN && !kingStands(g, CODE_UE_OU)) return sideName(g.SIDE_MAN);
    if (g.TURN == g.SIDE_COM && !kingStands(g, CODE_SITA_OU)) return sideName(g.SIDE_COM);
    return nullptr;
  }
  if (!kingStands(g, CODE_UE_OU)) return N_("あなた");
  if (!kingStands(g, CODE_SITA_OU)) return N_("ｺﾝﾋﾟｭｰﾀ");
  return nullptr;
}

// A king the move lost, taken or blown up, names the other side the winner
// (SIDE_MAN is the lower side's, SIDE_COM the upper side's).
void decideWinner(Table& g, const MoveEffects& move, const ExplosionEffects& blast) {
  if (move.captured == CODE_UE_OU || blast.upperKingLost)
    g.WINNER = g.SIDE_MAN;
  else if (move.captured == CODE_SITA_OU || blast.lowerKingLost)
    g.WINNER = g.SIDE_COM;
}

// The move is stored as it stands after its explosion, with both sides'
// totals after it (the lower side's is MAN_TIME, the upper side's COM_TIME).
// The human's total has already grown by the turn; the others grow later.
void record(Table& g, Mover who) {
  const bool lowerMoved = who == Mover::Human || (who == Mover::Person && g.TURN == g.SIDE_MAN);
  const double pending = who == Mover::Human ? 0 : g.TURN_ELAPSED;
  recordMove(g, g.MAN_TIME + (lowerMoved ? pending : 0), g.COM_TIME + (lowerMoved ? 0 : pending));
}

// What is decided once the position is surveyed: the winner, if any.
const char* winnerAfterSurvey(Table& g, Mover who, const MoveEffects& move) {
  switch (who) {
  case Mover::Human:
    勢力調査(g);
    return 詰めかCOM(g) == ON || move.captured == CODE_UE_OU ? N_("あなた") : nullptr;
  case Mover::Computer:
    勢力調査(g);
    // A king taken outright ends the game before any mate test, which would
    // otherwise look at the square the king no longer stands on.
    return g.WINNER == g.SIDE_COM ? N_("ｺﾝﾋﾟｭｰﾀ") : nullptr;
  case Mover::Person:
    if (g.WINNER == g.SIDE_MAN) return sideName(g.SIDE_MAN);
    if (g.WINNER == g.SIDE_COM) return sideName(g.SIDE_COM);
    return nullptr;
  }
  return nullptr;
}

// The computer tells the human of a mate (the game goes on until a king is
// lost) or a check, and shows its move.
void announceComputerMove(Table& g, const MoveEffects& move, const RecordedMove& note) {
  if (詰めかMAN(g) == ON)
    g.ui.messageBox(tr("よし！!"), tr("詰め ?"), Buttons::Ok, Icon::None);
  else if (g.INFLUENCE_UE[g.OU_SITA_X][g.OU_SITA_Y] > 0)
    g.ui.messageBox(tr("   ** 王手 **"), "", Buttons::Ok, Icon::None);
  描画_移動結果(g.ui, g, g.SIDE_COM, note, COLOR_WHITE);
  描画_桝輪郭(g.ui, g, COLOR_WHITE, move.toX, move.toY);
}

void handOver(Table& g, Mover who) {
  switch (who) {
  case Mover::Human:
    if (g.WINNER != 0) return;
    g.TURN = g.SIDE_COM;
    com_ban(g);
    return;
  case Mover::Computer:
    g.COM_TIME += g.TURN_ELAPSED;
    g.TURN_START_TIME = g.ui.clockSeconds();
    g.TURN = g.SIDE_MAN;
    showTurnMarker(g.ui, g);
    if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
    return;
  case Mover::Person:
    if (g.TURN == g.SIDE_MAN)
      g.MAN_TIME += g.TURN_ELAPSED;
    else if (g.TURN == g.SIDE_COM)
      g.COM_TIME += g.TURN_ELAPSED;
    g.TURN = -g.TURN;
    showTurnMarker(g.ui, g);
    g.TURN_START_TIME = g.ui.clockSeconds();
    return;
  }
}

// The board shows this move's marks in place of the last one's.
void markLastMove(Table& g, const MoveMarks& marks) {
  const MoveMarks previous = g.MOVE_MARKS;
  g.MOVE_MARKS = marks;
  showMoveMarks(g.ui, g, previous);
}

// The game ends on the move just recorded: whoever made it, the clocks stop
// at the totals stored with it, and those are the figures under the message.
void endOnMove(Table& g, const char* winner) {
  const RecordEntry& e = g.REC[static_cast<size_t>(g.MOVE_NO)];
  stopClocks(g, e.TIME_B, e.TIME_D);
  終了(g, winner);
}

void tickWhileThinking(void* game) { Timer1_Timer(*static_cast<Table*>(game)); }

// The computer's turn once it has chosen (or found nothing to play): nothing
// at all to play loses the game; its turn made no move, so the clocks stop at
// the totals before it.
void playComputerChoice(Table& g, bool found, int fx, int fy, int tx, int ty, int place) {
  if (!found) {
    stopClocks(g, g.MAN_TIME, g.COM_TIME);
    終了(g, N_("あなた"));
    return;
  }
  playTurnMove(g, Mover::Computer, fx, fy, tx, ty, place);
}

void level4Chose(Table& g, bool found, const Move& m) {
  playComputerChoice(g, found, m.fx, m.fy, m.tx, m.ty, m.code);
}

} // namespace

const char* sideName(int side) { return side == TURN_SENTE ? N_("先手") : N_("後手"); }

bool playTurnMove(Table& g, Mover who, int fromX, int fromY, int toX, int toY, int piece) {
  measureTurn(g);
  RecordedMove note = describeMove(g, fromX, fromY, toX, toY, piece);
  const MoveEffects move = 駒移動(g, fromX, fromY, toX, toY, piece);
  const int side = piece >= CODE_UE_HU ? g.SIDE_COM : g.SIDE_MAN;
  showMove(g.ui, g, move);
  markLastMove(g, marksOf(move, {}));
  playSound(g, g.SOUND_PIECE);
  // A person's move is written beside the board at once, the computer's
  // once its announcements are made.
  if (who != Mover::Computer) 描画_移動結果(g.ui, g, side, note, COLOR_RESULT);
  // The counter shows the moves played, this one too, before its explosion
  // (the record takes it once the explosion is over).
  描画_手数(g.ui, g, g.GAME_MOVES + 1, COLOR_WHITE);

  const ExplosionEffects blast = explodeAfterCapture(g, move);
  decideWinner(g, move, blast);
  showExplosion(g.ui, g.ui, g.ui, g, blast);
  if (blast.count > 0) markLastMove(g, marksOf(move, blast));
  // The Western note tells how many the blast took once it is over.
  note.blown = blast.count;
  if (blast.count > 0 && who != Mover::Computer && !inJapanese())
    描画_移動結果(g.ui, g, side, note, COLOR_RESULT);

  // The human's clock stops as the move is made; the computer's once the
  // game is known to go on; between people it runs on for the next mover.
  if (who == Mover::Human) {
    setTimer1(g, false);
    g.MAN_TIME += g.TURN_ELAPSED;
  }
  record(g, who);
  updateMoveList(g);
  // Kept at once: a game is never lost to a killed program or display. A
  // record caught up from the peer is kept once it has all its moves.
  if (!g.REPLAYING) autosaveRecord(g);
  if (blast.count > 0)
    if (const char* winner = winnerAfterBlast(g, who)) return endOnMove(g, winner), false;
  if (who == Mover::Computer) setTimer1(g, false);
  if (const char* winner = winnerAfterSurvey(g, who, move)) return endOnMove(g, winner), false;
  if (who == Mover::Computer) announceComputerMove(g, move, note);
  handOver(g, who);
  return true;
}

void com_ban(Table& g) {
  showTurnMarker(g.ui, g);
  g.TURN_START_TIME = g.ui.clockSeconds();
  if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
  showThinking(g.ui, g);
  prepareComTurn(g);
  g.ui.refresh();

  // Level 4 thinks aside, the window going on; levels 1 to 3 look one move
  // ahead here, ticking the clock as they go.
  if (g.COM_LEVEL == LEVEL_SEARCH) return startThink(g, true, level4Chose);
  ComMove best;
  const bool found =
      searchComMove(g, isChecked(g, Menu::MOCHIKOMA), best, {nullptr, tickWhileThinking, &g});
  playComputerChoice(g, found, best.fx, best.fy, best.tx, best.ty, best.place);
}

} // namespace korvanu
