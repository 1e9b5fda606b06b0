// Which side's pieces reach a square, found from the square outwards: far
// cheaper than listing the side's moves when one square is asked about.
#pragma once

#include "state/position.h"

namespace korvanu {

// Whether a piece of the side (`upper` or lower) on the board could move to
// (x, y), were the square empty or the other side's: each of its steps and
// lines, stopped by any piece in between.
bool reaches(const Position& p, bool upper, int x, int y);

} // namespace korvanu
