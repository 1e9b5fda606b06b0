// The computer's choice: every legal move and drop of the upper side is
// tried on the board, surveyed and scored, and the best is kept. One ply, no
// randomness: the same position always gives the same move.
#pragma once

namespace korvanu {

struct ComputerBoard;

// A candidate as the search scored it; `place` is the code it puts on the
// destination. A drop comes from (-1, kind).
struct ComMove {
  int fx = 0, fy = 0, tx = 0, ty = 0, place = 0;
  double score = 0;
};

// The best score before any candidate: below everything the evaluation gives.
constexpr double NO_SCORE = -99999;

using CandidateFn = void (*)(void* context, const ComMove& candidate);
using ProgressFn = void (*)(void* context);

// What the search reports as it goes: each candidate scored, and progress
// now and then (once per column of the board and per kind in hand).
struct SearchHooks {
  CandidateFn onCandidate = nullptr;
  ProgressFn onProgress = nullptr;
  void* context = nullptr;
};

// The survey of the position before any trial move, which the evaluation
// reads throughout the search.
void prepareComTurn(ComputerBoard& g);

// Tries every candidate in order (drops too when `drops` is on), keeping the
// first of equal scores in `best` and BEST_SCORE, and tells `hooks` as it
// goes. False when no move or drop passed the legality test. Needs
// prepareComTurn first. Draws nothing and keeps no time: the caller decides
// what progress means.
bool searchComMove(ComputerBoard& g, bool drops, ComMove& best, const SearchHooks& hooks = {});

} // namespace korvanu
