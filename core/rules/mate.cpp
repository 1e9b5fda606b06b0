#include "rules/mate.h"

#include <cstdlib>

#include "computer/survey.h"
#include "rules/legality.h"
#include "state/game.h"

namespace korvanu {

namespace {

using Map = int[10][10];

// One side's view of a check: its king, the maps that describe the attack on
// it, its hand and its pieces.
struct Defender {
  int king;    // its own king's code
  int pawn;    // the pawn it might drop between
  int lastRow; // where that pawn may not be dropped
  int kingX, kingY;
  const Map& attackerInfluence;
  const Map& checks;
  int handTotal;
  int handPawns;
  bool (*owns)(int code);
};

Defender lowerSide(const ComputerBoard& g) {
  return {CODE_SITA_OU,
          CODE_SITA_HU,
          1,
          g.OU_SITA_X,
          g.OU_SITA_Y,
          g.INFLUENCE_UE,
          g.CHECK_BY_UE,
          g.HAND_SITA_TOTAL,
          g.HAND_SITA[HU],
          [](int c) { return c <= -10 && c >= -71; }};
}

Defender upperSide(const ComputerBoard& g) {
  return {CODE_UE_OU,
          CODE_UE_HU,
          9,
          g.OU_UE_X,
          g.OU_UE_Y,
          g.INFLUENCE_SITA,
          g.CHECK_BY_SITA,
          g.HAND_UE_TOTAL,
          g.HAND_UE[HU],
          [](int c) { return c >= 10 && c <= 71; }};
}

bool near(int x, int y, int kx, int ky) { return std::abs(x - kx) < 2 && std::abs(y - ky) < 2; }

bool columnHoldsPawn(const ComputerBoard& g, int x, int pawn) {
  for (int y = 1; y <= 9; ++y)
    if (g.BOARD[x][y] == pawn) return true;
  return false;
}

// Does some checking piece still reach the king?
bool aCheckerStillReaches(const ComputerBoard& g, const Defender& d) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (d.checks[x][y] == 9 && 移動チェック(g, x, y, d.kingX, d.kingY, g.BOARD[x][y]) == ON)
        return true;
  return false;
}

// A drop between every checker and the king. Only a pawn is tried, standing
// for any piece; a pawn that may not go there when the hand holds nothing
// else leaves the square empty.
bool dropInterposes(ComputerBoard& g, const Defender& d) {
  if (d.handTotal <= 0) return false;
  const bool onlyPawns = d.handTotal == d.handPawns;
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      if (d.checks[x][y] == 9 && near(x, y, d.kingX, d.kingY)) return false;
      if (d.checks[x][y] != 1) continue;
      const bool pawnBarred = y == d.lastRow || columnHoldsPawn(g, x, d.pawn);
      const int before = g.BOARD[x][y];
      if (!(onlyPawns && pawnBarred)) g.BOARD[x][y] = d.pawn;
      const bool reaches = aCheckerStillReaches(g, d);
      g.BOARD[x][y] = before;
      if (reaches) return false;
    }
  }
  return true;
}

bool kingEscapes(const ComputerBoard& g, const Defender& d) {
  for (int x = d.kingX - 1; x <= d.kingX + 1; ++x)
    for (int y = d.kingY - 1; y <= d.kingY + 1; ++y)
      if (x >= 1 && x <= 9 && y >= 1 && y <= 9 &&
          移動チェック(g, d.kingX, d.kingY, x, y, d.king) == ON && d.attackerInfluence[x][y] == 0)
        return true;
  return false;
}

// Another piece moves onto a checking or between square; `stillAttacked`
// judges the trial position.
template <typename StillAttacked>
bool pieceDefends(ComputerBoard& g, const Defender& d, StillAttacked stillAttacked) {
  for (int x1 = 1; x1 <= 9; ++x1) {
    for (int y1 = 1; y1 <= 9; ++y1) {
      const int code = g.BOARD[x1][y1];
      if (!d.owns(code)) continue;
      for (int x2 = 1; x2 <= 9; ++x2) {
        for (int y2 = 1; y2 <= 9; ++y2) {
          // Read live: a trial survey rewrites the map for the rest of the search.
          if (d.checks[x2][y2] <= 0 || (x2 == x1 && y2 == y1)) continue;
          if (移動チェック(g, x1, y1, x2, y2, code) != ON) continue;
          const int taken = g.BOARD[x2][y2];
          g.BOARD[x2][y2] = code;
          g.BOARD[x1][y1] = EMPTY;
          const bool attacked = stillAttacked();
          g.BOARD[x1][y1] = code;
          g.BOARD[x2][y2] = taken;
          if (!attacked) return true;
        }
      }
    }
  }
  return false;
}

template <typename StillAttacked>
int mated(ComputerBoard& g, const Defender& d, StillAttacked stillAttacked) {
  if (d.attackerInfluence[d.kingX][d.kingY] == 0) return OFF;
  if (dropInterposes(g, d)) return OFF;
  if (kingEscapes(g, d)) return OFF;
  if (pieceDefends(g, d, stillAttacked)) return OFF;
  return ON;
}

} // namespace

int 詰めかMAN_COM移動(const ComputerBoard& g) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (isUe(g.BOARD[x][y]) &&
          移動チェック(g, x, y, g.OU_SITA_X, g.OU_SITA_Y, g.BOARD[x][y]) == ON)
        return ON;
  return OFF;
}

int 詰めかMAN(ComputerBoard& g) {
  return mated(g, lowerSide(g), [&] { return 詰めかMAN_COM移動(g) == ON; });
}

int 詰めかCOM(ComputerBoard& g) {
  return mated(g, upperSide(g), [&] {
    勢力調査(g);
    return g.INFLUENCE_SITA[g.OU_UE_X][g.OU_UE_Y] != 0;
  });
}

int 調査_自王逃道(ComputerBoard& g) {
  const int kx = g.OU_SITA_X, ky = g.OU_SITA_Y;
  int count = 0;
  for (int x = kx - 1; x <= kx + 1; ++x) {
    for (int y = ky - 1; y <= ky + 1; ++y) {
      if ((x == kx && y == ky) || x < 1 || x > 9 || y < 1 || y > 9) continue;
      if (g.BOARD[x][y] == EMPTY && g.INFLUENCE_UE[x][y] == 0) {
        g.ESCAPE_MAP[x][y] = 1;
        ++count;
      }
    }
  }
  return count;
}

} // namespace korvanu
