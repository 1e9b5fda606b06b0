// Putting a position into a fresh game the way the engine sees it.
#pragma once

#include "rules/record.h"
#include "state/game.h"

namespace korvanu {

// Board and hands from `position`, totals their sums, the level and the drops
// option set; then what the game does after the human's move: the survey and
// the computer's mate test (its answer dropped). `g` is freshly made.
void setUpPosition(Game& g, const RecordEntry& position, int level, bool drops);

} // namespace korvanu
