// Putting a position into a fresh game the way the engine sees it, and
// taking it out again.
#pragma once

#include "state/game.h"

namespace korvanu {

// Board and hands from `position`, totals their sums, the level and the drops
// option set; then what the game does after the human's move: the survey and
// the computer's mate test (its answer dropped). `g` is freshly made.
void setUpPosition(Game& g, const RecordEntry& position, int level, bool drops);

// Board and hands of the game, clocks zero.
RecordEntry positionOf(const Game& g);

} // namespace korvanu
