#include "rules/king_danger.h"

#include <cstdlib>

#include "rules/move_gen.h"

namespace korvanu {

namespace {

bool nextToOrOn(int x, int y, int kingX, int kingY) {
  return std::abs(x - kingX) <= 1 && std::abs(y - kingY) <= 1;
}

// The side a move belongs to, by the piece it puts down.
bool moverIsUpper(const Move& m) { return isUe(m.code); }

bool kingStands(const Position& p, bool upper) {
  const int x = upper ? p.OU_UE_X : p.OU_SITA_X, y = upper ? p.OU_UE_Y : p.OU_SITA_Y;
  return onBoard(x, y) && p.BOARD[x][y] == (upper ? CODE_UE_OU : CODE_SITA_OU);
}

// Looks at the position with the kings' squares found on the board, so that
// a position set up by hand answers as one reached by moves.
Position withKingsFound(const Position& p) {
  Position q = p;
  findKings(q);
  return q;
}

DangerMark hitsKing(const Position& q, bool upper) {
  if (!kingStands(q, false) || !kingStands(q, true)) return {};
  const int kx = upper ? q.OU_SITA_X : q.OU_UE_X, ky = upper ? q.OU_SITA_Y : q.OU_UE_Y;
  MoveList list;
  // Drops are left out: they never capture.
  generateMoves(q, upper, false, list);
  for (const Move& m : list)
    if (q.BOARD[m.tx][m.ty] != EMPTY && nextToOrOn(m.tx, m.ty, kx, ky)) return {kx, ky};
  return {};
}

} // namespace

DangerMark kingInReach(const Position& p, bool upper) { return hitsKing(withKingsFound(p), upper); }

bool leavesKingToBeLost(const Position& p, const Move& m) {
  const bool upper = moverIsUpper(m);
  Position q = withKingsFound(p);
  Key unused = 0;
  makeMove(q, m, unused);
  if (!kingStands(q, !upper)) return false; // the other king is gone: the move wins
  return !kingStands(q, upper) || hitsKing(q, !upper).shown();
}

} // namespace korvanu
