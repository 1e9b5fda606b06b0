// The order in which the search tries moves: the table's move, captures by
// what they gain, the killers, quiet moves by their history, and captures
// that lose material last.
#pragma once

#include "rules/position_moves.h"
#include "search/evaluation.h"

namespace korvanu::search {

// How often a quiet move (by the code it puts down and its square) cut the
// search off, weighted by depth, less how often it was tried and did not.
struct HistoryTable {
  int score[161][10][10];
};
void historyAdd(HistoryTable& h, const Move& m, int bonus);

// The moves of one node with their ranks. Some tens of kilobytes: the
// search keeps one a ply, on the heap.
class OrderedMoves {
public:
  MoveList moves; // filled by the generator, then ranked

  // Ranks every move for a full-width node.
  void rank(const Position& p, bool drops, const Evaluator& e, const Move* tableMove,
            const Move (&killers)[2], const HistoryTable& history);
  // Ranks captures alone by their gain, for the search at the leaves.
  void rankCaptures(const Position& p, bool drops, const Evaluator& e);

  // The next best move left; false when none is.
  bool next(Move& m);
  // About the move `next` gave last.
  int lastGain() const { return ranked_[last_].gain; }
  bool lastQuiet() const { return ranked_[last_].quiet; }
  bool lastKiller() const { return ranked_[last_].killer; }

private:
  struct Ranked {
    Move move;
    int key, gain;
    bool quiet, killer;
  };
  Ranked ranked_[MAX_MOVES];
  int taken_ = 0;
  int last_ = 0;
  bool sorted_ = false;
};

} // namespace korvanu::search
