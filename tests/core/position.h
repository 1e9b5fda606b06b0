// Building test positions: an empty board with pieces placed by hand.
#pragma once

#include <initializer_list>

#include "platform/headless.h"
#include "state/game.h"

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

// A game on an empty board with empty hands.
struct EmptyGame {
  HeadlessPlatform ui;
  Game g{ui};
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

} // namespace korvanu::testing
