#include "rules/turn_round.h"

#include <utility>

#include "state/game.h"

namespace korvanu {

void turnRound(Position& p) {
  int turned[10][10] = {};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) turned[10 - x][10 - y] = -p.BOARD[x][y];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) p.BOARD[x][y] = turned[x][y];
  for (int k = 1; k <= 7; ++k) std::swap(p.HAND_SITA[k], p.HAND_UE[k]);
  std::swap(p.HAND_SITA_TOTAL, p.HAND_UE_TOTAL);
  const int sitaX = p.OU_SITA_X, sitaY = p.OU_SITA_Y;
  // A king off the board (0, 0) stays off it.
  auto turn = [](int v) { return v == 0 ? 0 : 10 - v; };
  p.OU_SITA_X = turn(p.OU_UE_X);
  p.OU_SITA_Y = turn(p.OU_UE_Y);
  p.OU_UE_X = turn(sitaX);
  p.OU_UE_Y = turn(sitaY);
}

Move turnedRound(const Move& m) {
  Move out{10 - m.fx, 10 - m.fy, 10 - m.tx, 10 - m.ty, -m.code};
  if (m.fx == -1) out = {11, m.fy + 2, out.tx, out.ty, out.code};
  if (m.fx == 11) out = {-1, m.fy - 2, out.tx, out.ty, out.code};
  return out;
}

} // namespace korvanu
