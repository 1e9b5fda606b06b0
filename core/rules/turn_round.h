// The board turned round, each side in the other's place: square (x, y)
// becomes (10 - x, 10 - y), every piece changes side, the hands swap. The
// computer of the specified levels only ever plays the upper side, so the
// lower side's move is its move on the turned board, turned back.
#pragma once

#include "rules/make_move.h"

namespace korvanu {

struct Position;

// Board, hands, their totals and the kings' squares, turned round in place.
void turnRound(Position& p);

// A move of the turned board as it is made on the board before turning: a
// drop from the upper hand (-1, kind) comes from the lower hand
// (11, kind + 2) and the other way round.
Move turnedRound(const Move& m);

} // namespace korvanu
