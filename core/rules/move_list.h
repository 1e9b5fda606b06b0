// Every move a side could make: for tools and tests that play whole games.
// The computer's search walks the board itself and does not use this.
#pragma once

#include <vector>

namespace korvanu {

struct Game;

struct Move {
  int fx, fy, tx, ty, code;
};

// Every playable board move (promoted where allowed, unpromoted where
// allowed) and drop of the upper (`upper`) or lower side.
std::vector<Move> playableMoves(Game& g, bool upper);

} // namespace korvanu
