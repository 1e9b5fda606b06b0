// A new game's position and play state, with nothing drawn or recorded:
// the starting position, empty hands, no game running, clocks at zero.
#pragma once

namespace korvanu {

struct Game;
struct Position;

// The full set of pieces on their starting squares.
void placeStartingPosition(Position& p);

void newGame(Game& g);

} // namespace korvanu
