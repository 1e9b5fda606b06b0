#include "view/preview_view.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/platform.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

// Marks are drawn in whole pixels inside a square, clear of its outline.
constexpr int SQUARE_PX_W = SQUARE_WIDTH / TWIPS_PER_PIXEL;  // 33
constexpr int SQUARE_PX_H = SQUARE_HEIGHT / TWIPS_PER_PIXEL; // 41
constexpr int TRIANGLE_LEGS = 11;
// Inside a hollow triangle: two pixels in from its legs and its long side.
constexpr int HOLLOW_TRIANGLE_LEGS = TRIANGLE_LEGS - 7;
constexpr int DOT_SIZE = 7;
constexpr int KING_FRAME = 3;

int pixelLeft(int x) { return static_cast<int>(cellLeft(x)) / TWIPS_PER_PIXEL; }
int pixelTop(int y) { return static_cast<int>(cellTop(y)) / TWIPS_PER_PIXEL; }

// A one-pixel row from x1 to x2 (either order) at pixel row y.
void row(Canvas& c, int colour, int x1, int x2, int y) {
  const int t = TWIPS_PER_PIXEL;
  c.drawOutline(colour, std::min(x1, x2) * t, y * t, std::max(x1, x2) * t, y * t);
}

// A filled right triangle whose right angle is the pixel (cx, cy) and whose
// legs run `legs` pixels back towards the square's middle (dir -1 for the
// lower right corner, +1 for the upper left).
void triangle(Canvas& c, int colour, int cx, int cy, int dir, int legs) {
  for (int k = 0; k < legs; ++k) row(c, colour, cx, cx + dir * (legs - 1 - k), cy + dir * k);
}

void square(Canvas& c, int colour, int left, int top, int size) {
  for (int k = 0; k < size; ++k) row(c, colour, left, left + size - 1, top + k);
}

enum class Fate { ToLowerHand, ToUpperHand, Survives, KingLost };

// The left button's outcome is drawn filled. Where a promotion with the
// right button would end otherwise, that outcome is drawn hollow beside it.
enum class Shade { Filled, Hollow };

// A piece goes into its opponent's hand; a king is lost instead.
Fate fateOf(int code) {
  if (kindOf(code) == OU) return Fate::KingLost;
  return isUe(code) ? Fate::ToLowerHand : Fate::ToUpperHand;
}

bool blownUp(const ExplosionEffects& e, int x, int y) {
  for (int i = 0; i < e.count; ++i) {
    const BlownSquare& s = e.squares[static_cast<size_t>(i)];
    if (s.x == x && s.y == y) return true;
  }
  return false;
}

// What `p` does to the piece on (x, y) of the board before the move; none
// for an empty square. The piece taken goes to the taker's hand; the taker
// blows up where it took, unless it is a pawn that stays, and its fate is
// told on the square it leaves.
std::optional<Fate> fateAt(const Game& g, const MovePreview& p, int x, int y) {
  const MoveEffects& m = p.move;
  if (x == m.toX && y == m.toY) return fateOf(m.captured);
  const bool mover = x == m.fromX && y == m.fromY;
  const int code = mover ? m.piece : g.BOARD[x][y];
  if (code == EMPTY) return std::nullopt;
  return blownUp(p.explosion, mover ? m.toX : x, mover ? m.toY : y) ? fateOf(code) : Fate::Survives;
}

// A triangle with a dark edge, which keeps it visible on the piece and on
// the wood; hollow, a band of its colour round a dark middle.
void edgedTriangle(Canvas& c, int colour, int cx, int cy, int dir, Shade shade) {
  triangle(c, COLOR_BLACK, cx, cy, dir, TRIANGLE_LEGS + 2);
  triangle(c, colour, cx, cy, dir, TRIANGLE_LEGS);
  if (shade == Shade::Hollow)
    triangle(c, COLOR_BLACK, cx + 2 * dir, cy + 2 * dir, dir, HOLLOW_TRIANGLE_LEGS);
}

// The mark for `fate` inside square (x, y).
void drawFateMark(Canvas& c, const Game& g, int x, int y, Fate fate, Shade shade) {
  const Cell at = shownCell(g, x, y);
  const int l = pixelLeft(at.x), t = pixelTop(at.y);
  // The square's own pixels lie between its outline's columns and rows.
  const int right = l + SQUARE_PX_W - 2, bottom = t + SQUARE_PX_H - 2;
  const bool hollow = shade == Shade::Hollow;
  switch (fate) {
  case Fate::ToLowerHand:
  case Fate::ToUpperHand: {
    // The triangle points to the stand the piece would go to, wherever the
    // view shows that stand.
    const bool lower = fate == Fate::ToLowerHand;
    const int colour = lower ? COLOR_LOWER_SIDE : COLOR_UPPER_SIDE;
    if (shownCell(g, lower ? 11 : -1, 5).x > 9)
      edgedTriangle(c, colour, right, bottom, -1, shade);
    else
      edgedTriangle(c, colour, l + 2, t + 2, 1, shade);
    break;
  }
  case Fate::Survives: {
    const int dl = l + (SQUARE_PX_W - DOT_SIZE) / 2, dt = t + (SQUARE_PX_H - DOT_SIZE) / 2;
    square(c, COLOR_BLACK, dl - 1, dt - 1, DOT_SIZE + 2);
    square(c, COLOR_SURVIVOR, dl, dt, DOT_SIZE);
    if (hollow) square(c, COLOR_BLACK, dl + 2, dt + 2, DOT_SIZE - 4);
    break;
  }
  case Fate::KingLost:
    for (int k = 1; k <= (hollow ? 1 : KING_FRAME); ++k) {
      const int tw = TWIPS_PER_PIXEL;
      c.drawOutline(COLOR_KING_LOST, (l + k) * tw, (t + k) * tw, (l + SQUARE_PX_W - k) * tw,
                    (t + SQUARE_PX_H - k) * tw);
    }
    break;
  }
}

} // namespace

void drawExplosionPreview(Canvas& c, const Game& g, const MovePreview& left,
                          const MovePreview& right) {
  const MoveEffects& m = left.move;
  forBlock(m.toX, m.toY, [&](int x, int y) { 描画_桝輪郭(c, g, COLOR_PREVIEW_BLOCK, x, y); });
  auto mark = [&](int x, int y) {
    const std::optional<Fate> byLeft = fateAt(g, left, x, y), byRight = fateAt(g, right, x, y);
    if (byLeft) drawFateMark(c, g, x, y, *byLeft, Shade::Filled);
    if (byRight && byRight != byLeft) drawFateMark(c, g, x, y, *byRight, Shade::Hollow);
  };
  forBlock(m.toX, m.toY, mark);
  if (std::abs(m.fromX - m.toX) > 1 || std::abs(m.fromY - m.toY) > 1) mark(m.fromX, m.fromY);
}

} // namespace korvanu
