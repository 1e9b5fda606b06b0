// The game the engine holds, prepared as the game itself would have it: a
// position put into a fresh game, the steps that follow a move, and who has
// won (winnerOf, in rules/make_move.h).
#pragma once

#include "rules/make_move.h"
#include "rules/record.h"
#include "state/game.h"

namespace korvanu {

// Board and hands from `position`, totals their sums, the level and the drops
// option set; then what the game does after the lower side's move (below).
// `g` is freshly made.
void setUpPosition(ComputerBoard& g, const RecordEntry& position, int level);

// What the game runs once a move is made: the survey, then, while both kings
// stand, the mate test of the side that did not move (the answer is the
// game's business, the maps it leaves are what the next search starts from).
void afterMove(ComputerBoard& g, bool upperMoved);

} // namespace korvanu
