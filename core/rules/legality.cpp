#include "rules/legality.h"

#include <cstdlib>

#include "state/position.h"

namespace korvanu {

namespace {

int sign(int v) { return (v > 0) - (v < 0); }

// Every square strictly between the two ends of a straight or diagonal line is empty.
bool clearBetween(const Position& p, int fromX, int fromY, int toX, int toY) {
  const int sx = sign(toX - fromX), sy = sign(toY - fromY);
  for (int x = fromX + sx, y = fromY + sy; x != toX || y != toY; x += sx, y += sy)
    if (p.BOARD[x][y] != EMPTY) return false;
  return true;
}

int flag(bool b) { return b ? ON : OFF; }

// The column already holds an unpromoted pawn `pawn`.
bool pawnInColumn(const Position& p, int x, int pawn) {
  for (int y = 1; y <= 9; ++y)
    if (p.BOARD[x][y] == pawn) return true;
  return false;
}

int dropCheck(const Position& p, int toX, int toY, int piece) {
  if (p.BOARD[toX][toY] != EMPTY) return OFF;
  if ((piece == CODE_SITA_HU || piece == CODE_UE_HU) && pawnInColumn(p, toX, piece)) return OFF;
  switch (piece) {
  case CODE_SITA_HU:
  case CODE_SITA_KYOU: return flag(toY != 1);
  case CODE_SITA_KEI: return flag(toY > 2);
  case CODE_UE_HU:
  case CODE_UE_KYOU: return flag(toY != 9);
  case CODE_UE_KEI: return flag(toY < 8);
  default: return ON;
  }
}

bool goldStep(int dx, int dy, int ahead) {
  return (std::abs(dx) <= 1 && (dy == ahead || dy == 0)) || (dx == 0 && dy == -ahead);
}

} // namespace

int 移動チェック飛車(const Position& p, int fromX, int fromY, int toX, int toY) {
  if (fromX != toX && fromY != toY) return OFF;
  return flag(clearBetween(p, fromX, fromY, toX, toY));
}

int 移動チェック角(const Position& p, int fromX, int fromY, int toX, int toY) {
  if (std::abs(toX - fromX) != std::abs(toY - fromY)) return OFF;
  return flag(clearBetween(p, fromX, fromY, toX, toY));
}

int 移動チェック(const Position& p, int fromX, int fromY, int toX, int toY, int piece) {
  if (isDropColumn(fromX)) {
    if (!onBoard(toX, toY)) return OFF;
    return dropCheck(p, toX, toY, piece);
  }
  return boardMoveCheck(p, fromX, fromY, toX, toY, piece);
}

int boardMoveCheck(const Position& p, int fromX, int fromY, int toX, int toY, int piece) {
  if (!onBoard(toX, toY)) return OFF;
  if (toX == fromX && toY == fromY) return OFF;
  const int target = p.BOARD[toX][toY];
  if (isUe(piece) ? target >= 10 : target <= -10) return OFF;

  const int dx = toX - fromX, dy = toY - fromY;
  const int adx = std::abs(dx), ady = std::abs(dy);
  const int ahead = piece < 0 ? -1 : 1; // one step forward
  switch (piece < 0 ? -piece : piece) {
  case 10: return flag(dx == 0 && dy == ahead);
  case 20: return flag(dx == 0 && dy * ahead > 0 && clearBetween(p, fromX, fromY, toX, toY));
  case 30: return flag(dy == 2 * ahead && adx == 1);
  case 40: return flag(adx <= 1 && (dy == ahead || (dy == -ahead && dx != 0)));
  case 50:
  case 11:
  case 21:
  case 31:
  case 41: return flag(goldStep(dx, dy, ahead));
  case 60: return 移動チェック角(p, fromX, fromY, toX, toY);
  case 61:
    if (adx <= 1 && ady <= 1) return ON;
    return 移動チェック角(p, fromX, fromY, toX, toY);
  case 70: return 移動チェック飛車(p, fromX, fromY, toX, toY);
  case 71:
    if (adx <= 1 && ady <= 1) return ON;
    return 移動チェック飛車(p, fromX, fromY, toX, toY);
  case 80: return flag(adx <= 1 && ady <= 1);
  default: return OFF;
  }
}

int 調査_駒存在(const Position& p, int code) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (p.BOARD[x][y] == code) return ON;
  return OFF;
}

PositionFault positionFault(const int (&board)[10][10], const int (&handSita)[8],
                            const int (&handUe)[8]) {
  // How many pieces of each kind a game has, promoted or not, on the board and in hand.
  constexpr int PIECES_OF_KIND[9] = {0, 18, 4, 4, 4, 4, 2, 2, 2};
  int pieces[9] = {};
  int kings[2] = {};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int code = board[x][y];
      if (code == EMPTY) continue;
      ++pieces[kindOf(code)];
      if (kindOf(code) == OU) ++kings[isUe(code)];
    }
  for (int k = 1; k <= 7; ++k) pieces[k] += handSita[k] + handUe[k];
  // Two kings of one side are three or more in all: said as what they are.
  for (int side = 0; side < 2; ++side)
    if (kings[side] > 1) return {PositionFault::TwoKings, 0, side == 0 ? -1 : 1};
  for (int k = 1; k <= 8; ++k)
    if (pieces[k] > PIECES_OF_KIND[k]) return {PositionFault::TooMany, k};
  return boardFault(board);
}

PositionFault boardFault(const int (&board)[10][10]) {
  for (int x = 1; x <= 9; ++x) {
    int pawns[2] = {};
    for (int y = 1; y <= 9; ++y) {
      const int code = board[x][y];
      if (移動後チェック(y, code) == OFF) return {PositionFault::NeverMoves, 0, 0, x, y};
      if ((code == CODE_SITA_HU && ++pawns[0] > 1) || (code == CODE_UE_HU && ++pawns[1] > 1))
        return {PositionFault::SecondPawn, 0, 0, x, y};
    }
  }
  return {};
}

std::string faultText(const PositionFault& fault) {
  const std::string at =
      " at column " + std::to_string(fault.x) + " row " + std::to_string(fault.y);
  switch (fault.what) {
  case PositionFault::TooMany: return "too many pieces of one kind";
  case PositionFault::TwoKings: return "two kings of one side";
  case PositionFault::NeverMoves: return "a piece that could never move" + at;
  case PositionFault::SecondPawn: return "a second pawn of one side in the column" + at;
  case PositionFault::None: break;
  }
  return {};
}

int 移動後チェック(int toY, int piece) {
  switch (piece) {
  case CODE_UE_HU:
  case CODE_UE_KYOU: return flag(toY != 9);
  case CODE_UE_KEI: return flag(toY <= 7);
  case CODE_SITA_HU:
  case CODE_SITA_KYOU: return flag(toY != 1);
  case CODE_SITA_KEI: return flag(toY >= 3);
  default: return ON;
  }
}

} // namespace korvanu
