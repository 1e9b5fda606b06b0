// The moves of the record, read back from its positions (no move is kept with
// an entry): marked on the board and written beside it while the record is
// stepped through, and listed in the move list.
#pragma once

#include <optional>

#include "rules/move_marks.h"

namespace korvanu {

struct Table;

// Entry n as play goes on from it. Entry 0 of a handicapped game holds the
// full set (the handicap never rewrites it), so the pieces given up are taken
// away again; once the board was turned, entry 0 is the turned position itself.
RecordEntry playedEntry(const Table& g, int n);

// The side (-1 lower, 1 upper, 0 not known) that made the move into entry n:
// the sides take turns, and TURN is the one to move at entry MOVE_NO.
int moverInto(const Table& g, int n);

// The move into entry n; none at the record's start or where no single move
// of either side leads there.
std::optional<RecordedMove> moveInto(const Table& g, int n);

// Beside the board, each side's last move up to entry MOVE_NO, as play wrote
// it after that move; a side that has not moved yet shows nothing.
void showLastMoves(const Table& g);

} // namespace korvanu
