#include "computer/examine.h"

#include <cstdlib>

#include "rules/legality.h"
#include "state/game.h"

namespace korvanu {

namespace {

// A lower bishop, rook or one of their promoted forms (as an attacker value).
constexpr bool isMajorAttacker(int value) { return value >= -71 && value <= -60; }

// Lances, bishops and rooks: the pieces that can pin. `side` is +1 for the
// upper pieces, -1 for the lower.
constexpr bool isSliderOf(int code, int side) {
  const int c = code * side;
  return c == CODE_UE_KYOU || c == CODE_UE_KAKU || c == CODE_UE_KAKU_NARI || c == CODE_UE_SYA ||
         c == CODE_UE_SYA_NARI;
}

// Some slider of `side` on the board could move onto (kx, ky).
bool sliderReaches(const ComputerBoard& g, int side, int kx, int ky) {
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j)
      if (isSliderOf(g.BOARD[i][j], side) && 移動チェック(g, i, j, kx, ky, g.BOARD[i][j]) == ON)
        return true;
  return false;
}

// The upper knight dropped on (tx + side, ty - 2) would also hit (tx + 2 side, ty):
// worth the lower major piece or king there, unless that piece is the very
// attacker of (tx, ty).
int knightForkGain(const ComputerBoard& g, int tx, int ty, int side) {
  const int dropX = tx + side, otherX = tx + 2 * side;
  if (g.BOARD[dropX][ty - 2] != EMPTY || g.INFLUENCE_SITA[dropX][ty - 2] != 0) return 0;
  if (g.BOARD[otherX][ty] > CODE_SITA_KAKU) return 0;
  if (g.ATTACKER_SITA_X[tx][ty] == otherX) return 0;
  return std::abs(g.BOARD[otherX][ty]);
}

} // namespace

int 調査_移動可場所数(const ComputerBoard& g, int x, int y, int piece) {
  const int(&opponent)[10][10] = piece >= CODE_UE_HU ? g.INFLUENCE_SITA : g.INFLUENCE_UE;
  int count = 0;
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j)
      if (opponent[i][j] == 0 && 移動チェック(g, x, y, i, j, piece) == ON) ++count;
  return count;
}

int 調査_桂狙い(const ComputerBoard& g, int tx, int ty) {
  if (!isMajorAttacker(g.ATTACKER_SITA[tx][ty]) || ty <= 5) return 0;
  int gain = 0;
  if (tx > 2) gain += knightForkGain(g, tx, ty, -1);
  if (tx < 8) gain += knightForkGain(g, tx, ty, 1);
  return gain;
}

int 調査_香狙い(const ComputerBoard& g, int tx, int ty) {
  if (ty <= 6) return 0;
  if (g.INFLUENCE_UE[tx][ty - 1] == 0 || g.INFLUENCE_SITA[tx][ty - 1] != 0) return 0;
  if (!isMajorAttacker(g.ATTACKER_SITA[tx][ty])) return 0;
  for (int j = ty + 1; j <= 9; ++j) {
    if (g.BOARD[tx][j] == EMPTY) continue;
    return 移動チェック(g, tx, ty, tx, j, CODE_UE_KYOU) == ON ? std::abs(g.BOARD[tx][j]) : 0;
  }
  return 0;
}

int 調査_持駒数(const ComputerBoard& g, int side) {
  const int* hand = side == g.SIDE_COM ? g.HAND_UE : side == g.SIDE_MAN ? g.HAND_SITA : nullptr;
  if (hand == nullptr) return 0;
  int kinds = 0;
  for (int k = 1; k <= 7; ++k)
    if (hand[k] > 0) ++kinds;
  return kinds;
}

int 調査_自守駒MAN_直進駒(ComputerBoard& g, int x, int y) {
  int result = OFF;
  const int removed = g.BOARD[x][y];
  g.BOARD[x][y] = EMPTY;
  for (int j = y + 1; j <= 9; ++j) {
    const int c = g.BOARD[x][j];
    if (isUe(c)) break;
    if (c == CODE_SITA_KYOU || c == CODE_SITA_SYA || c == CODE_SITA_SYA_NARI) {
      // Pieces skipped on the way still block the line here.
      result = 移動チェック(g, x, j, x, y, c);
      break;
    }
  }
  g.BOARD[x][y] = removed;
  return result;
}

int 調査_持角狙座標(ComputerBoard& g) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      g.BISHOP_TARGET[x][y] = 0;
      if (g.BOARD[x][y] != EMPTY) continue;
      const int defenders = g.INFLUENCE_UE[x][y];
      // Next to the king a lone defender is the king itself.
      const bool byKing = std::abs(x - g.OU_UE_X) < 2 && std::abs(y - g.OU_UE_Y) < 2;
      if ((defenders == 0 || (defenders == 1 && byKing)) &&
          移動チェック(g, x, y, g.OU_UE_X, g.OU_UE_Y, CODE_SITA_KAKU) == ON)
        g.BISHOP_TARGET[x][y] = 1;
    }
  return 0;
}

int 調査_周辺状況(const Position& p, int x, int y) {
  int result = 0;
  for (int i = x - 1; i <= x + 1; ++i)
    for (int j = y - 1; j <= y + 1; ++j) {
      if ((i == x && j == y) || i < 1 || i > 9 || j < 1 || j > 9) continue;
      if (p.BOARD[i][j] >= CODE_UE_KAKU) --result;
    }
  return result;
}

void 調査_移動不可駒(ComputerBoard& g) {
  g.PINNED_UE_ANY = OFF;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      g.PINNED_SITA[x][y] = 0;
      const int c = g.BOARD[x][y];
      if (c == EMPTY) continue;
      // Lift the piece and see whether an enemy slider now reaches its king.
      g.BOARD[x][y] = EMPTY;
      if (isSita(c) && sliderReaches(g, 1, g.OU_SITA_X, g.OU_SITA_Y)) g.PINNED_SITA[x][y] = 1;
      if (isUe(c) && sliderReaches(g, -1, g.OU_UE_X, g.OU_UE_Y)) g.PINNED_UE_ANY = ON;
      g.BOARD[x][y] = c;
    }
}

} // namespace korvanu
