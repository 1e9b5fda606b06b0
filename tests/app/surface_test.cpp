// The surface drawn again from its log at another scale is the surface that
// would have been drawn at that scale, and the log does not grow with time.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>

#include "state/constants.h"
#include "surface.h"

namespace korvanu {
namespace {

// Draws the same on a surface made at scale 1 and straight onto one at 3.
struct TwoSurfaces {
  Surface small{1}, large{3};
  void fill(int colour) {
    for (Surface* s : {&small, &large}) s->fill(colour);
  }
  void picture(int code, double left, double top) {
    for (Surface* s : {&small, &large}) s->drawPicture(code, left, top);
  }
  void outline(int colour, double l, double t, double r, double b) {
    for (Surface* s : {&small, &large}) s->drawOutline(colour, l, t, r, b);
  }
  void tint(std::uint32_t argb, double l, double t, double r, double b) {
    for (Surface* s : {&small, &large}) s->drawTint(argb, l, t, r, b);
  }
  void text(const QString& text, double left, double top, int colour, double points, bool bold) {
    for (Surface* s : {&small, &large}) s->drawText(text, left, top, colour, points, bold);
  }
};

// Pixels that differ by more than text smoothing does: Qt may smooth the
// same glyph a shade differently once its glyph cache has changed.
int differingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 24 || std::abs(qGreen(p) - qGreen(q)) > 24 ||
          std::abs(qBlue(p) - qBlue(q)) > 24)
        ++count;
    }
  return count;
}

double cellX(double x) { return BOARD_LEFT + x * SQUARE_WIDTH; }
double cellY(double y) { return BOARD_TOP + y * SQUARE_HEIGHT; }

TEST(Surface, DrawnAgainAtAnotherScaleItMatchesDrawingThereAndTheLogStaysShort) {
  TwoSurfaces s;
  s.fill(COLOR_BOARD);
  for (int x = -3; x <= 20; ++x)
    for (int y = -2; y <= 15; ++y) s.picture(BG_MIDORI, cellX(x), cellY(y));
  // The title's rounded corners show what was under them: here an outline
  // round its whole plate.
  s.outline(COLOR_LIGHT_RED, cellX(10.8), cellY(0), cellX(10.8) + 172 * TWIPS_PER_PIXEL,
            cellY(0) + 38 * TWIPS_PER_PIXEL);
  s.picture(PIC_TITLE, cellX(10.8), cellY(0));
  // A message reaching off the board, whose part on the board the game
  // paints over while the rest stays.
  s.text(QStringLiteral("王手です"), cellX(8.7), cellY(4.4), COLOR_LIGHT_RED, 20, true);
  // A long game: pieces come and go with tints and guidance outlines, and a
  // clock is drawn every turn over a repainted background. It ends just
  // after the log has forgotten what was hidden, so what shows is what that
  // kept.
  size_t before = 0;
  for (int turn = 0; turn < 3000 || s.small.loggedOps() >= before; ++turn) {
    before = s.small.loggedOps();
    const int x = 1 + turn % 9, y = 1 + (turn / 9) % 9;
    s.picture(EMPTY, cellX(x), cellY(y));
    if (turn % 3 != 0) s.picture(turn % 2 ? CODE_SITA_HU : CODE_UE_GIN, cellX(x), cellY(y));
    if (turn % 5 == 0) s.tint(0x60ff8000, cellX(x), cellY(y), cellX(x + 1), cellY(y + 1));
    s.outline(turn % 2 ? COLOR_WHITE : COLOR_GRID, cellX(x), cellY(y), cellX(x + 1), cellY(y + 1));
    for (int c = 11; c <= 13; ++c) s.picture(BG_MIDORI, cellX(c), cellY(9));
    s.text(QStringLiteral("00:%1").arg(turn % 60, 2, 10, QLatin1Char('0')), cellX(11.2), cellY(9.3),
           COLOR_WHITE, 12, true);
    ASSERT_LT(turn, 10000);
  }
  // Some 700 ops show; the log may reach twice that between clean-ups, while
  // keeping everything would pass 20000.
  EXPECT_LT(s.small.loggedOps(), 1500u) << "the log grows with the game";
  EXPECT_EQ(s.small.extraScale(), 0) << "nothing asked for another scale";
  EXPECT_EQ(differingPixels(s.small.imageAt(3), s.large.image()), 0);
  EXPECT_EQ(s.small.extraScale(), 3);

  // Kept at both scales from then on.
  s.picture(CODE_SITA_OU, cellX(5), cellY(5));
  s.text(QStringLiteral("詰みです"), cellX(3), cellY(6), COLOR_WHITE, 20, true);
  EXPECT_EQ(differingPixels(s.small.imageAt(3), s.large.image()), 0);
  EXPECT_EQ(s.small.image().size(), QSize(SURFACE_WIDTH, SURFACE_HEIGHT)) << "the base stays";
}

TEST(Surface, AFillForgetsEverythingBeforeAndOnlyOneOtherScaleIsKept) {
  TwoSurfaces s;
  for (int i = 0; i < 50; ++i)
    s.text(QStringLiteral("歩"), cellX(i % 9), cellY(1), COLOR_WHITE, 9, false);
  s.fill(COLOR_BLACK);
  EXPECT_EQ(s.small.loggedOps(), 1u);
  s.picture(CODE_UE_SYA, cellX(2), cellY(2));
  EXPECT_EQ(s.small.imageAt(2).size(), QSize(2 * SURFACE_WIDTH, 2 * SURFACE_HEIGHT));
  EXPECT_EQ(differingPixels(s.small.imageAt(3), s.large.image()), 0);
  EXPECT_EQ(s.small.extraScale(), 3) << "the scale asked for last replaces the one before";
  EXPECT_TRUE(s.small.imageAt(5).isNull());
  EXPECT_TRUE(s.small.imageAt(0).isNull());
}

} // namespace
} // namespace korvanu
