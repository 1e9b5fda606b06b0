// Level 4 with its knobs exposed, for the matches that tune it: the
// evaluation's weights and the prunings that may be switched off.
#pragma once

#include "search/evaluation.h"
#include "search/search.h"

namespace korvanu::search {

struct SearchOptions {
  EvalWeights weights;
  bool nullMove = true;        // skip a move to prove a position is good enough
  bool reductions = true;      // search late quiet moves less deep first
  int tableMegabytes = 16;     // transposition table
  bool dangerExtension = true; // a king a capture could blow up: search a ply deeper
  bool prune = true;           // skip quiet moves near the leaves: futile or late
  int futility = 150;          // how far below alpha a ply makes a quiet move futile
  int standMargin = 0;         // a ply's margin above beta to stand on the score near the leaves
  bool logReductions = false;  // late quiet moves reduced by depth and order, not by one or two
  int contempt = 0;            // at most what a repeat costs the side ahead
  int quietEvasions = 0;       // times a line the leaves answer a king in danger with every move
};

// searchBestMove with these options.
SearchResult searchWith(const SearchOptions& options, const Position& p, bool upper, bool drops,
                        const SearchLimits& limits, const std::vector<Key>& history = {},
                        const InfoFn& info = {}, const std::atomic<bool>* stop = nullptr);
SearchResult searchWith(const SearchOptions& options, SearchTable& table, const Position& p,
                        bool upper, bool drops, const SearchLimits& limits,
                        const std::vector<Key>& history = {}, const InfoFn& info = {},
                        const std::atomic<bool>* stop = nullptr);

} // namespace korvanu::search
