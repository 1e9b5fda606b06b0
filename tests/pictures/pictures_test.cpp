#include "pictures/pictures.h"

#include "state/constants.h"
#include "view/pictures.h"

#include <QSet>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace korvanu {
namespace {

std::vector<int> codesWithPictures() {
  std::vector<int> codes;
  for (int code = -100; code <= 100; ++code) {
    if (hasPicture(code)) codes.push_back(code);
  }
  return codes;
}

std::vector<int> pieceCodes() {
  std::vector<int> codes;
  for (int code : codesWithPictures()) {
    if (kindOf(code) >= HU) codes.push_back(code);
  }
  return codes;
}

int countPixels(const QImage& image, const std::function<bool(QRgb)>& match) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += match(image.pixel(x, y)) ? 1 : 0;
  }
  return n;
}

bool isRedInk(QRgb c) { return qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80; }
bool isBlackInk(QRgb c) { return qRed(c) < 70 && qGreen(c) < 70 && qBlue(c) < 70; }

TEST(Pictures, EveryPictureHasItsSizeAndIsOpaqueAndDrawn) {
  ASSERT_EQ(pieceCodes().size(), 28u);
  for (int code : codesWithPictures()) {
    const PictureSize size = pictureSize(code);
    for (int scale = 1; scale <= 3; ++scale) {
      SCOPED_TRACE(testing::Message() << "code " << code << " scale " << scale);
      const QImage image = renderPicture(code, scale);
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.width(), size.width * scale);
      EXPECT_EQ(image.height(), size.height * scale);
      if (code != PIC_TITLE) {
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_EQ(countPixels(image, [](QRgb c) { return qAlpha(c) != 255; }), 0);
      }
      // Everything but the plain green is a drawing, not a flat fill.
      QSet<QRgb> colours;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
      }
      EXPECT_GT(colours.size(), code == BG_MIDORI ? 0 : 10);
    }
  }
}

TEST(Pictures, TitlePlateIsSolidButForItsRoundedCorners) {
  for (int scale = 1; scale <= 3; ++scale) {
    SCOPED_TRACE(testing::Message() << "scale " << scale);
    const QImage title = renderPicture(PIC_TITLE, scale);
    const int w = title.width(), h = title.height();
    // Whatever background the plate stands on shows in its four corners.
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
      EXPECT_EQ(qAlpha(title.pixel(corner)), 0) << corner.x() << "," << corner.y();
    // Along the straight edges and inside, the plate covers it all.
    int seeThrough = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 8 * scale; x < w - 8 * scale; ++x)
        seeThrough += qAlpha(title.pixel(x, y)) != 255;
    for (int y = 8 * scale; y < h - 8 * scale; ++y)
      for (int x = 0; x < w; ++x) seeThrough += qAlpha(title.pixel(x, y)) != 255;
    EXPECT_EQ(seeThrough, 0);
  }
}

TEST(Pictures, CodesWithoutPictureOrBadScaleGiveNullImages) {
  for (int code : {-1, -9, -12, -51, -81, -90, 12, 51, 52, 81, 90, 100, -100}) {
    EXPECT_TRUE(renderPicture(code, 2).isNull()) << "code " << code;
  }
  EXPECT_TRUE(renderPicture(CODE_SITA_HU, 0).isNull());
  EXPECT_TRUE(renderPicture(EMPTY, -2).isNull());
}

TEST(Pictures, UpperPiecesAreLowerPiecesTurnedOver) {
  for (int code : pieceCodes()) {
    if (code > 0) continue;
    for (int scale : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "code " << code << " scale " << scale);
      const QImage lower = renderPicture(code, scale);
      const QImage upper = renderPicture(-code, scale);
      EXPECT_EQ(upper, lower.mirrored(true, true));
      EXPECT_NE(upper, lower);
    }
  }
}

TEST(Pictures, PromotedNamesAreRedAndOthersBlack) {
  for (int code : pieceCodes()) {
    SCOPED_TRACE(testing::Message() << "code " << code);
    const QImage image = renderPicture(code, 2);
    const int red = countPixels(image, isRedInk);
    const int black = countPixels(image, isBlackInk);
    if (isPromoted(code)) {
      EXPECT_GT(red, 40);
      EXPECT_EQ(black, 0);
    } else {
      EXPECT_EQ(red, 0);
      EXPECT_GT(black, 40);
    }
  }
}

TEST(Pictures, AllPiecesLookDifferent) {
  const std::vector<int> codes = pieceCodes();
  std::vector<QImage> images;
  for (int code : codes) images.push_back(renderPicture(code, 1));
  for (size_t i = 0; i < images.size(); ++i) {
    for (size_t j = i + 1; j < images.size(); ++j) {
      EXPECT_NE(images[i], images[j]) << codes[i] << " vs " << codes[j];
    }
  }
}

TEST(Pictures, BackgroundsMatchTheWindowAndTileWithoutSeams) {
  for (int scale = 1; scale <= 3; ++scale) {
    const QImage green = renderPicture(BG_MIDORI, scale);
    EXPECT_EQ(countPixels(green, [](QRgb c) { return (c & 0xffffff) != 0x008000; }), 0);
  }

  // Tiles are laid 33 pixels apart, so the extra column must repeat the
  // first one; a neighbouring tile covers it in the game.
  for (int code = BG_MIDORI; code <= BG_RENGA; ++code) {
    for (int scale = 1; scale <= 3; ++scale) {
      SCOPED_TRACE(testing::Message() << "code " << code << " scale " << scale);
      const QImage tile = renderPicture(code, scale);
      int worst = 0;
      for (int y = 0; y < tile.height(); ++y) {
        for (int x = 0; x < scale; ++x) {
          const QRgb a = tile.pixel(x, y);
          const QRgb b = tile.pixel(x + 33 * scale, y);
          worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                            std::abs(qBlue(a) - qBlue(b))});
        }
      }
      EXPECT_LE(worst, 3);
    }
  }
}

TEST(Pictures, TheIconStandsOnATransparentGroundAtEverySizeADesktopAsksFor) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
    SCOPED_TRACE(testing::Message() << "size " << size);
    const QImage icon = renderIcon(size);
    ASSERT_EQ(icon.size(), QSize(size, size));
    ASSERT_TRUE(icon.hasAlphaChannel());
    for (QPoint corner : {QPoint(0, 0), QPoint(size - 1, 0)})
      EXPECT_EQ(qAlpha(icon.pixel(corner)), 0);
    const int opaque = countPixels(icon, [](QRgb c) { return qAlpha(c) == 255; });
    EXPECT_GT(opaque, size * size / 4) << "the drawing fills a good part of the square";
    EXPECT_LT(opaque, size * size * 9 / 10);
    // The piece's character and the bomb read even at the smallest sizes.
    EXPECT_GT(countPixels(icon, [](QRgb c) { return qAlpha(c) == 255 && isRedInk(c); }),
              size * size / 100);
    EXPECT_GT(countPixels(icon, [](QRgb c) { return qAlpha(c) == 255 && isBlackInk(c); }),
              size * size / 50);
  }
  EXPECT_TRUE(renderIcon(0).isNull());
  EXPECT_TRUE(renderIcon(4096).isNull());
  EXPECT_EQ(gameIcon().availableSizes().size(), 3);
}

} // namespace
} // namespace korvanu
