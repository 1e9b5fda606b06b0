// What a piece code says of itself: its side, its kind and whether it is
// promoted. Codes are 10 x kind (+1 when promoted), negative for the lower
// side; hand cells have codes of their own columns for drops.
#pragma once

#include <string>

#include "state/constants.h"

namespace korvanu {

constexpr bool isSita(int code) { return code <= -10; }
constexpr bool isUe(int code) { return code >= 10; }
// Kind number 1..8 of a piece code, ignoring side and promotion.
constexpr int kindOf(int code) { return (code < 0 ? -code : code) / 10; }
constexpr bool isPromoted(int code) { return (code < 0 ? -code : code) % 10 == 1; }
// A code some piece really has: gold and king have no promoted form.
constexpr bool isPieceCode(int code) {
  const int kind = kindOf(code);
  if (kind < HU || kind > OU || (code < 0 ? -code : code) % 10 > 1) return false;
  return !isPromoted(code) || (kind != KIN && kind != OU);
}
// A drop comes from the lower hand's column 11 or the upper hand's -1.
constexpr bool isDropColumn(int fromX) { return fromX == 11 || fromX == -1; }
// The promoted form of a piece that may promote.
constexpr int promotedOf(int code) { return code < 0 ? code - 1 : code + 1; }
// A square of the 9 x 9 board.
constexpr bool onBoard(int x, int y) {
  return static_cast<unsigned>(x - 1) < 9u && static_cast<unsigned>(y - 1) < 9u;
}

// The kinds 1..8 as players write them in Western notation and in position
// lines: pawn, lance, knight, silver, gold, bishop, rook, king.
constexpr const char* PIECE_LETTERS = " PLNSGBRK";
// A square as those write it: the file's digit, counted from the right, and
// the rank's letter from the top: "7f".
inline std::string squareName(int x, int y) {
  return {static_cast<char>('0' + 10 - x), static_cast<char>('a' + y - 1)};
}

} // namespace korvanu
