// The names on the pieces must read at the window's natural size, where a
// piece is 33 x 41 device pixels: each character is compared with the same
// glyph drawn alone with full hinting, so blurred, resampled or unhinted
// names, and names that lose a stroke, fail.
#include "pictures/pictures.h"

#include "state/constants.h"
#include "view/pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace korvanu {
namespace {

// Both sides' pieces, promoted forms included.
std::vector<int> pieceCodes() {
  std::vector<int> codes;
  for (int code = -81; code <= 81; ++code)
    if (hasPicture(code) && kindOf(code) >= HU) codes.push_back(code);
  return codes;
}

// How far each pixel goes from its ground to the ink, 0 to 1, told by the
// green channel: the piece's face is pale (green 226 to 244 down its
// gradient) and both the black and the red ink have very little green. The
// ground of each row is its brightest pixel near the glyph.
using Coverage = std::vector<std::vector<double>>;

Coverage coverage(const QImage& image, QRect near, int ink) {
  Coverage c(size_t(image.height()), std::vector<double>(size_t(image.width())));
  const QRect row = near.adjusted(-3, 0, 3, 0) & image.rect();
  for (int y = 0; y < image.height(); ++y) {
    int ground = 0;
    for (int x = row.left(); x <= row.right(); ++x)
      ground = std::max(ground, qGreen(image.pixel(x, y)));
    for (int x = 0; x < image.width(); ++x)
      c[size_t(y)][size_t(x)] =
          ground > ink ? double(ground - qGreen(image.pixel(x, y))) / (ground - ink) : 0;
  }
  return c;
}

// The glyph drawn alone at the device's resolution with full hinting.
QImage reference(const NameGlyph& glyph, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QFont font = glyph.font;
  font.setHintingPreference(QFont::PreferFullHinting);
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(glyph.origin, glyph.character);
  return image;
}

QRect inkBounds(const Coverage& c) {
  QRect r;
  for (size_t y = 0; y < c.size(); ++y)
    for (size_t x = 0; x < c[y].size(); ++x)
      if (c[y][x] >= 0.5) r |= QRect(int(x), int(y), 1, 1);
  return r;
}

// Rows that are mostly ink across the glyph: its horizontal strokes. Runs
// of such rows next to each other count as one stroke.
int horizontalStrokes(const Coverage& c, QRect box) {
  int strokes = 0;
  bool inStroke = false;
  for (int y = box.top(); y <= box.bottom(); ++y) {
    int ink = 0;
    for (int x = box.left(); x <= box.right(); ++x) ink += c[size_t(y)][size_t(x)] >= 0.5;
    const bool stroke = ink * 10 >= box.width() * 6;
    strokes += stroke && !inStroke;
    inStroke = stroke;
  }
  return strokes;
}

TEST(PieceNames, EveryCharacterMatchesItsHintedGlyphAtOneAndTwoDevicePixels) {
  ASSERT_EQ(pieceCodes().size(), 28u);
  int kings = 0;
  for (int code : pieceCodes()) {
    for (int scale : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "code " << code << " scale " << scale);
      // The upper side's piece is the lower one turned over: turn it back.
      const QImage picture =
          code > 0 ? renderPicture(code, scale).mirrored(true, true) : renderPicture(code, scale);
      const std::vector<NameGlyph> name = pieceName(-std::abs(code), scale);
      ASSERT_FALSE(name.empty());
      for (const NameGlyph& glyph : name) {
        SCOPED_TRACE(glyph.character.toStdString());
        const QImage alone = reference(glyph, picture.size());
        const Coverage wanted = coverage(alone, alone.rect(), 0);
        const QRect box = inkBounds(wanted);
        // Large enough to read: the names were once 10 pixels tall.
        EXPECT_GE(box.height(), 11 * scale);
        const QRect around = box.adjusted(-1, -1, 1, 1);
        ASSERT_TRUE(picture.rect().contains(around));
        const Coverage drawn = coverage(picture, around, glyph.ink.green());

        // Around the glyph the piece has ink where the reference has, and
        // none where it has none; half-covered edge pixels are left out.
        int both = 0, either = 0;
        for (int y = around.top(); y <= around.bottom(); ++y) {
          int rowWanted = 0, rowFound = 0;
          for (int x = around.left(); x <= around.right(); ++x) {
            const double w = wanted[size_t(y)][size_t(x)];
            const bool d = drawn[size_t(y)][size_t(x)] >= 0.5;
            if (w > 0.3 && w < 0.7) continue;
            both += w >= 0.7 && d;
            either += w >= 0.7 || d;
            rowWanted += w >= 0.7;
            rowFound += w >= 0.7 && d;
          }
          // No row of strokes goes missing.
          EXPECT_GE(rowFound * 4, rowWanted * 3) << "row " << y;
        }
        EXPECT_GE(both * 10, either * 9) << "intersection " << both << " of " << either;

        // 王 keeps its three strokes apart, the top one included.
        if (glyph.character == QStringLiteral("王")) {
          ++kings;
          EXPECT_EQ(horizontalStrokes(wanted, box), 3);
          EXPECT_EQ(horizontalStrokes(drawn, box), 3);
        }
      }
    }
  }
  // The king and the promoted rook of both sides, at both scales.
  EXPECT_EQ(kings, 8);
}

} // namespace
} // namespace korvanu
