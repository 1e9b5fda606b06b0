// The computer's turn: every legal move and drop of the upper side is tried
// on the board, surveyed and scored, and the best is played. One ply, no
// randomness: the same position always gives the same move.
#pragma once

namespace korvanu {

struct Game;

// A candidate as the search scored it; `place` is the code it puts on the
// destination. A drop comes from (-1, kind).
struct ComMove {
  int fx = 0, fy = 0, tx = 0, ty = 0, place = 0;
  double score = 0;
};

// The best score before any candidate: below everything the evaluation gives.
constexpr double NO_SCORE = -99999;

using CandidateFn = void (*)(void* context, const ComMove& candidate);

// The survey of the position before any trial move, which the evaluation
// reads throughout the search.
void prepareComTurn(Game& g);

// Tries every candidate in order, keeping the first of equal scores in
// `best` and BEST_SCORE; calls `onCandidate` for each one scored. False when
// no move or drop passed the legality test. Needs prepareComTurn first.
bool searchComMove(Game& g, ComMove& best, CandidateFn onCandidate = nullptr,
                   void* context = nullptr);

// The whole turn in the game: thinking message, search, the move played with
// its sound, record, explosion, announcements and clocks.
void com_ban(Game& g);

} // namespace korvanu
