// Level 4 on fixed middle-game positions: its depth and speed on this
// machine at a time a move, and with a node budget a signature of what it
// chose, which any change to its search or evaluation moves.
#pragma once

#include <atomic>
#include <ostream>

#include "best_move.h"

namespace korvanu {

// Prints "search position I depth D nodes N ms T" for each position, then
// "search positions P nodes N ms T nodes/s R depth median D lowest L" and
// "search signature S". Searches as `t` says (its level and drops aside).
void runSearchBench(std::ostream& out, const Thinking& t, SearchTable& table,
                    const std::atomic<bool>* stop = nullptr);

} // namespace korvanu
