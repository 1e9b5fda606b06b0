#include "rules/king_danger.h"

#include "rules/attacks.h"

namespace korvanu {

namespace {

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
  if (!blastsKing(q, upper)) return {};
  return upper ? DangerMark{q.OU_SITA_X, q.OU_SITA_Y} : DangerMark{q.OU_UE_X, q.OU_UE_Y};
}

} // namespace

bool blastsKing(const Position& p, bool upper) {
  // A drop never captures: only the other side's pieces on the block count,
  // the king among them.
  const int kx = upper ? p.OU_SITA_X : p.OU_UE_X, ky = upper ? p.OU_SITA_Y : p.OU_UE_Y;
  bool hit = false;
  forBlock(kx, ky, [&](int x, int y) {
    const int c = p.BOARD[x][y];
    if (!hit && (upper ? isSita(c) : isUe(c))) hit = reaches(p, upper, x, y);
  });
  return hit;
}

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
