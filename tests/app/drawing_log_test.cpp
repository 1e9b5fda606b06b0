// The surface drawn again from its log at another scale is the surface that
// would have been drawn at that scale, and the log does not grow with time.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdlib>

#include "drawing_log.h"
#include "state/constants.h"
#include "surface.h"

namespace korvanu {
namespace {

// Draws on a surface kept at scale 1 with its log, and straight onto one at
// scale 3 for comparison.
struct TwoSurfaces {
  Surface small{1}, large{3};
  DrawingLog log;
  void fill(int colour) {
    small.fill(colour);
    large.fill(colour);
    log.fill(colour);
  }
  void picture(int code, double left, double top) {
    small.drawPicture(code, left, top);
    large.drawPicture(code, left, top);
    log.picture(code, left, top);
  }
  void outline(int colour, double l, double t, double r, double b) {
    small.drawOutline(colour, l, t, r, b);
    large.drawOutline(colour, l, t, r, b);
    log.outline(colour, l, t, r, b);
  }
  void text(const QString& s, double left, double top, int colour, double points, bool bold) {
    log.text(s, left, top, colour, points, bold, small.drawText(s, left, top, colour, points, bold));
    large.drawText(s, left, top, colour, points, bold);
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

TEST(DrawingLog, ReplayAtAnotherScaleMatchesDrawingThereAndTheLogStaysShort) {
  TwoSurfaces s;
  s.fill(COLOR_BOARD);
  for (int x = -3; x <= 20; ++x)
    for (int y = -2; y <= 15; ++y) s.picture(BG_MIDORI, cellX(x), cellY(y));
  s.picture(PIC_TITLE, cellX(10.8), cellY(0));
  // A message reaching off the board, whose part on the board the game
  // paints over while the rest stays.
  s.text(QStringLiteral("王手です"), cellX(8.7), cellY(4.4), COLOR_LIGHT_RED, 20, true);
  // A long game: pieces come and go with guidance outlines, and a clock is
  // redrawn every turn over a repainted background. It ends just after the
  // log has forgotten what was hidden, so the replay shows what that kept.
  size_t before = 0;
  for (int turn = 0; turn < 3000 || s.log.size() >= before; ++turn) {
    before = s.log.size();
    const int x = 1 + turn % 9, y = 1 + (turn / 9) % 9;
    s.picture(EMPTY, cellX(x), cellY(y));
    if (turn % 3 != 0) s.picture(turn % 2 ? CODE_SITA_HU : CODE_UE_GIN, cellX(x), cellY(y));
    s.outline(turn % 2 ? COLOR_WHITE : COLOR_GRID, cellX(x), cellY(y), cellX(x + 1), cellY(y + 1));
    for (int c = 11; c <= 13; ++c) s.picture(BG_MIDORI, cellX(c), cellY(9));
    s.text(QStringLiteral("00:%1").arg(turn % 60, 2, 10, QLatin1Char('0')), cellX(11.2), cellY(9.3),
           COLOR_WHITE, 12, true);
    ASSERT_LT(turn, 10000);
  }

  // Some 700 ops show; the log may reach twice that between clean-ups, while
  // keeping everything would pass 20000.
  EXPECT_LT(s.log.size(), 1500u) << "the log grows with the game";
  s.small.setScale(3);
  s.log.replay(s.small);
  EXPECT_EQ(differingPixels(s.small.image(), s.large.image()), 0);
}

TEST(DrawingLog, AFillForgetsEverythingBefore) {
  TwoSurfaces s;
  for (int i = 0; i < 50; ++i) s.text(QStringLiteral("歩"), cellX(i % 9), cellY(1), COLOR_WHITE, 9, false);
  s.fill(COLOR_BLACK);
  EXPECT_EQ(s.log.size(), 1u);
  s.small.setScale(3);
  s.log.replay(s.small);
  EXPECT_EQ(differingPixels(s.small.image(), s.large.image()), 0);
}

} // namespace
} // namespace korvanu
