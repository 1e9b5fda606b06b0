// Every move a side could make, drops included: for tools and tests that
// play whole games.
#pragma once

#include <vector>

#include "rules/make_move.h"

namespace korvanu {

struct Position;

// Every playable board move (promoted where allowed, unpromoted where
// allowed) and drop of the upper (`upper`) or lower side.
std::vector<Move> playableMoves(const Position& p, bool upper);

} // namespace korvanu
