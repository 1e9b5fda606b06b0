// Building test positions: an empty board with pieces placed by hand.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <ostream>

#include "platform/headless.h"
#include "rules/record.h"
#include "state/game.h"
#include "state/new_game.h"

namespace korvanu::testing {

// What a piece is worth to the computer's scores: its code without the side.
constexpr int worth(int code) { return code < 0 ? -code : code; }

struct Placed {
  int x, y, code;
};
// `on(x, y, code)` rather than braces, so that long lists of pieces pack
// several to a line.
constexpr Placed on(int x, int y, int code) { return {x, y, code}; }
inline void place(Game& g, std::initializer_list<Placed> pieces) {
  for (const Placed& p : pieces) g.BOARD[p.x][p.y] = p.code;
}

// A new game's starting position, kept as the record's first entry, as the
// rules see it: no window, no clocks.
inline void startingGame(Game& g) {
  newGame(g);
  手順保存(g, 0, 0, 0, 0);
}

// A game on an empty board with empty hands, on the headless window.
struct EmptyGame {
  HeadlessPlatform ui;
  Table g{ui};
  explicit EmptyGame(std::initializer_list<Placed> pieces = {}) { place(g, pieces); }
  void hand(int sitaKind, int count) {
    g.HAND_SITA[sitaKind] = count;
    recount();
  }
  void handUe(int kind, int count) {
    g.HAND_UE[kind] = count;
    recount();
  }
  void recount() {
    g.HAND_SITA_TOTAL = g.HAND_UE_TOTAL = 0;
    for (int k = 1; k <= 7; ++k) {
      g.HAND_SITA_TOTAL += g.HAND_SITA[k];
      g.HAND_UE_TOTAL += g.HAND_UE[k];
    }
  }
};

// Whether two boards hold the same pieces, whatever the hands.
inline bool sameBoard(const int (&a)[10][10], const int (&b)[10][10]) {
  return std::ranges::equal(a, b,
                            [](const auto& p, const auto& q) { return std::ranges::equal(p, q); });
}

// A record entry's board and hands alone, to compare with positionOf.
inline RecordEntry withoutClocks(RecordEntry e) {
  e.TIME_A = e.TIME_B = e.TIME_C = e.TIME_D = 0;
  return e;
}

} // namespace korvanu::testing

namespace korvanu {

// Positions as a failed comparison shows them: the board row by row from the
// top, columns 9 to 1 as the record files write them, then the hands.
inline void printBoardAndHands(const int (&board)[10][10], const int (&sita)[8], const int (&ue)[8],
                               std::ostream* os) {
  for (int y = 1; y <= 9; ++y) {
    *os << "\n ";
    for (int x = 9; x >= 1; --x) *os << ' ' << board[x][y];
  }
  *os << "\n  hands";
  for (int k = 1; k <= 7; ++k) *os << ' ' << sita[k];
  *os << " |";
  for (int k = 1; k <= 7; ++k) *os << ' ' << ue[k];
}
inline void PrintTo(const RecordEntry& e, std::ostream* os) {
  printBoardAndHands(e.BOARD, e.HAND_SITA, e.HAND_UE, os);
  *os << "\n  clocks " << e.TIME_A << ' ' << e.TIME_B << ' ' << e.TIME_C << ' ' << e.TIME_D;
}
inline void PrintTo(const Position& p, std::ostream* os) {
  printBoardAndHands(p.BOARD, p.HAND_SITA, p.HAND_UE, os);
  *os << "\n  totals " << p.HAND_SITA_TOTAL << ' ' << p.HAND_UE_TOTAL << ", kings " << p.OU_SITA_X
      << p.OU_SITA_Y << ' ' << p.OU_UE_X << p.OU_UE_Y;
}

} // namespace korvanu
