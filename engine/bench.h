// The benchmark: the computer's move choice at each level on a fixed set of
// positions. Its signature changes whenever any choice or score does.
#pragma once

#include <ostream>
#include <vector>

#include "state/game.h"

namespace korvanu {

struct BenchPosition {
  RecordEntry entry;
  bool drops;
};

// At least fifty positions, the same on every run: the opening and games
// played on from it by seeded random moves, with pieces in hand, checks and
// explosions near the kings.
std::vector<BenchPosition> benchPositions();

// Prints "level L positions P candidates C ms T" per level, then "signature S".
void runBench(std::ostream& out);

} // namespace korvanu
