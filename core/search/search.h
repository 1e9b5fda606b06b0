// Level 4: a search many moves deep on a Position. Iterative deepening,
// principal variation search with a transposition table, captures searched
// out at the leaves, and a clean stop on a time or node budget. It never
// touches a Game, draws nothing and keeps no state between calls (a kept
// SearchTable is cleared), so it may run on a thread of its own on a copy of
// the position.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "rules/position_moves.h"

namespace korvanu {

namespace search {
class TranspositionTable;
}

// nodes > 0: stop after that many nodes whatever the time (repeatable).
// variety > 0: the move is chosen at random (by `seed`) among those within
// so many hundredths of a pawn of the best.
struct SearchLimits {
  int millis = 200;
  std::int64_t nodes = 0;
  int variety = 0;
  std::uint64_t seed = 0;
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

// A transposition table kept from one search to the next: a table of its own
// for each search is 16 MB taken and given back every time, which the C
// library keeps in the searching thread's arena. Its memory is taken at the
// first search and kept until it is destroyed; every search clears it first,
// so it answers exactly as a new table would. One search at a time.
class SearchTable {
public:
  SearchTable();
  ~SearchTable();
  SearchTable(const SearchTable&) = delete;
  SearchTable& operator=(const SearchTable&) = delete;

  // Cleared for a search with a table of `megabytes`, made anew only when
  // there is none yet or of another size.
  search::TranspositionTable& forSearch(int megabytes);

private:
  std::unique_ptr<search::TranspositionTable> table_;
};

// searchBestMove on `table` instead of a table of its own.
SearchResult searchBestMove(SearchTable& table, const Position& p, bool upper, bool drops,
                            const SearchLimits& limits, const std::vector<Key>& history = {},
                            const InfoFn& info = {}, const std::atomic<bool>* stop = nullptr);

} // namespace korvanu
