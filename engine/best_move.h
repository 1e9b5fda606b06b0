// The move a level plays for either side: one function for the engine's
// `best ue|sita` and for the match runner, so both play the same levels.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "rules/make_move.h"
#include "search/search.h"
#include "search/tuning.h"

namespace korvanu {

struct Position;

// The strongest level this build plays.
constexpr int MAX_LEVEL = 4;

// What a level needs to know besides the position.
struct Thinking {
  int level = 3;
  bool drops = false;
  int millis = 200;              // level 4: its time a move
  std::int64_t nodes = 0;        // level 4: stop after so many nodes instead; 0 uses the time
  search::SearchOptions options; // level 4: its evaluation's weights and prunings
};

struct Choice {
  bool found = false;
  Move move{};
  double score = 0; // the level's own score of its move, from the mover's side
  SearchInfo last;  // level 4: its last finished depth
};

// The move `t.level` chooses for the upper (`upper`) or lower side in `p`;
// nothing once a king is gone or when the side has no move. Levels 1-3 are
// the game's own computer, which plays the upper side: for the lower side it
// plays on the board turned round and its move is turned back. Level 4
// searches for either side; `history` holds the keys of the game's earlier
// positions (a repeat is a draw to it), `info` hears of each depth it
// finishes, `table`, when given, is the table it searches on and `stop`,
// when set, ends its search with the best move of the last finished depth.
Choice bestMoveFor(const Position& p, bool upper, const Thinking& t,
                   const std::vector<Key>& history = {}, const InfoFn& info = {},
                   SearchTable* table = nullptr, const std::atomic<bool>* stop = nullptr);

} // namespace korvanu
