// Walking through the game's record: one move back or forward, back to the
// first position, and the board turned round.
#pragma once

#include "state/square_marks.h"

namespace korvanu {

struct Table;
struct RecordEntry;

void REPLAY_Click(Table& g);
void AFTER_Click(Table& g);
void CANCEL_Click(Table& g);
void REVERSE_Click(Table& g);

// Forward or back to entry n (up to the last) at once, ending as that many
// 進 or 戻 end, with one redraw and one sound. Forward needs a game, as 進
// does; nothing happens otherwise, nor for an entry out of reach.
void stepTo(Table& g, int n);

// What every step back or forward does first: lets go of a picked-up piece,
// stops the clock and clears the squares' outlines.
void pauseForStep(Table& g);
// Puts a stored position on the board as the one now reached: the board,
// hands and both clocks (at the totals given) drawn, the piece sound, and
// the move counter at GAME_MOVES; the move list marks it.
void showStoredPosition(Table& g, const RecordEntry& e, double comTime, double manTime);
// The marks of the move into entry MOVE_NO; none at the record's start.
MoveMarks marksInto(const Table& g);

} // namespace korvanu
