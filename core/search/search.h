// Level 4: a search many moves deep on a Position. Iterative deepening,
// principal variation search with a transposition table, captures searched
// out at the leaves, and a clean stop on a time or node budget. It never
// touches a Game, draws nothing and keeps no state between calls, so it may
// run on a thread of its own on a copy of the position.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "rules/position_moves.h"

namespace korvanu {

// nodes > 0: stop after that many nodes whatever the time (repeatable).
struct SearchLimits {
  int millis = 200;
  std::int64_t nodes = 0;
};

// Scores are for the side searched, in hundredths of a pawn; a won game is
// SCORE_MATE less the plies to the lost king (negative when lost).
constexpr int SCORE_MATE = 30000;
constexpr int SCORE_MATE_FOUND = SCORE_MATE - 1000; // beyond: a lost king is seen

struct SearchInfo {
  int depth = 0;
  std::int64_t nodes = 0;
  int score = 0;
  std::vector<Move> pv;
  double seconds = 0;
};
using InfoFn = std::function<void(const SearchInfo&)>; // after each finished depth

struct SearchResult {
  bool found = false; // false only when the side has no move at all
  Move best{};
  SearchInfo last;
};

// The best move for `upper` (true: the upper side) in `p`, with drops as
// given. `history` holds the keys (keyOf) of the game's earlier positions,
// oldest first, the last one the position before the move that led to `p`
// (or `p` itself); a position repeated from it or on the line searched
// scores as a draw. `stop`, when given, ends the search early (another
// thread may set it). The result is always the best move of the last
// finished depth; depth 1 is always finished.
SearchResult searchBestMove(const Position& p, bool upper, bool drops, const SearchLimits& limits,
                            const std::vector<Key>& history = {}, const InfoFn& info = {},
                            const std::atomic<bool>* stop = nullptr);

} // namespace korvanu
