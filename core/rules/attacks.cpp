#include "rules/attacks.h"

#include "rules/steps.h"
#include "state/pieces.h"

namespace korvanu {

namespace {

// For every code (offset by 80): the steps it takes, by (dx + 2, dy + 2),
// and the lines it runs along, by (dx + 1, dy + 1).
struct Reverse {
  bool step[161][5][5] = {};
  bool line[161][3][3] = {};
};

constexpr Reverse build() {
  Reverse r;
  for (int code = -80; code <= 80; ++code) {
    const PieceMoves m = movesOf(code);
    for (const Offset& s : m.steps) r.step[code + 80][s.dx + 2][s.dy + 2] = true;
    for (const Offset& s : m.lines) r.line[code + 80][s.dx + 1][s.dy + 1] = true;
  }
  return r;
}

constexpr Reverse R = build();

} // namespace

bool reaches(const Position& p, bool upper, int x, int y) {
  auto own = [upper](int c) { return upper ? c >= 10 && c <= 80 : c <= -10 && c >= -80; };
  for (int dx = -2; dx <= 2; ++dx)
    for (int dy = -2; dy <= 2; ++dy) {
      const int px = x - dx, py = y - dy;
      if ((dx == 0 && dy == 0) || !onBoard(px, py)) continue;
      const int c = p.BOARD[px][py];
      if (own(c) && R.step[c + 80][dx + 2][dy + 2]) return true;
    }
  for (int ux = -1; ux <= 1; ++ux)
    for (int uy = -1; uy <= 1; ++uy) {
      if (ux == 0 && uy == 0) continue;
      int px = x + ux, py = y + uy;
      while (onBoard(px, py) && p.BOARD[px][py] == EMPTY) px += ux, py += uy;
      if (!onBoard(px, py)) continue;
      const int c = p.BOARD[px][py];
      if (own(c) && R.line[c + 80][1 - ux][1 - uy]) return true;
    }
  return false;
}

} // namespace korvanu
