// The whole game looked at again after it is over: level 4's search on every
// position of the record, a fixed budget each, the score kept for the graph
// and the moves that gave much away marked. It touches no Game and may run
// on a thread of its own.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "record/analysis_file.h"
#include "search/search.h"

namespace korvanu {

// After each position: how many are done, of how many.
using AnalysisProgress = std::function<void(int done, int total)>;

// The verdict on each of `entries` (the record from its start), sides taking
// turns from the upper side (`upperFirst`) or the lower, the earlier
// positions counting as repetitions as in the game. Nothing once `cancel` is
// set, which also ends the search under way.
std::optional<GameAnalysis> analyseGame(const std::vector<RecordEntry>& entries, bool upperFirst,
                                        bool drops, const SearchLimits& each, SearchTable& table,
                                        const AnalysisProgress& progress = {},
                                        const std::atomic<bool>* cancel = nullptr);

// A search's score for the side to move on the graph's scale, for the lower
// side, and the plies to a king that falls by force (mate in PositionVerdict).
int graphScore(int searchScore, bool upperToMove);
int matePlies(int searchScore, bool upperToMove);

// What a move gave away, the scores before and after it being for the lower
// side on the graph's scale; a move the search would have played itself
// gives nothing away.
MoveMark markOf(int before, int after, bool upperMoved, bool playedBest);

} // namespace korvanu
