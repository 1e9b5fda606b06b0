// Every move a side could make: for tools and tests that play whole games.
// The computer's search walks the board itself and does not use this.
#pragma once

#include <vector>

#include "rules/make_move.h"

namespace korvanu {

struct Game;

// Every playable board move (promoted where allowed, unpromoted where
// allowed) and drop of the upper (`upper`) or lower side.
std::vector<Move> playableMoves(Game& g, bool upper);

} // namespace korvanu
