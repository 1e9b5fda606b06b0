// What one evaluation of a candidate shares between its terms: the move and
// the reads every term makes. Private to the evaluation.
#pragma once

#include "state/game.h"

namespace korvanu {

// A term either adds to s or ends the evaluation with a result.
struct Eval {
  ComputerBoard& g;
  int captured, piece, fx, fy, tx, ty;
  int kx, ky; // the human's king
  double s = 0;

  bool attacked(int x, int y) const { return g.INFLUENCE_SITA[x][y] > 0; }
  bool defended(int x, int y) const { return g.INFLUENCE_UE[x][y] > 0; }
  bool drop() const { return fx < 0; }
  bool givesCheck() const { return g.INFLUENCE_UE[kx][ky] > 0; }
  int at(int x, int y) const { return g.BOARD[x][y]; }
};

// The terms of the strongest level, by the piece now on the destination;
// the score so far is in `e.s`. Answers the evaluation's result.
double byPiece(Eval& e);

} // namespace korvanu
