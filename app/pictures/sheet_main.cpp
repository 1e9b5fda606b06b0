// korvanu-pictures OUTDIR: writes every picture on one contact sheet at 1x
// and 4x (OUTDIR/pictures-1x.png, OUTDIR/pictures-4x.png) for checking the
// artwork by eye. Backgrounds are tiled as the game lays them, so seams show.
#include "pictures/pictures.h"

#include "state/constants.h"
#include "view/pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace korvanu;

constexpr int kGap = 4;
constexpr int kMargin = 6;

// Lays pictures out left to right, row by row, in picture pixels.
class Sheet {
public:
  Sheet(QPainter& p, int scale) : p_(p), scale_(scale) {}

  void place(int code, int x, int y) {
    p_.drawImage(QPoint(x * scale_, y * scale_), renderPicture(code, scale_));
  }

  // One picture, or a block of tiles laid 33 x 41 apart like the board cells.
  void add(int code, int across = 1, int down = 1) {
    const PictureSize size = pictureSize(code);
    for (int j = 0; j < down; ++j) {
      for (int i = 0; i < across; ++i) place(code, x_ + i * 33, y_ + j * 41);
    }
    x_ += (across - 1) * 33 + size.width + kGap;
    rowHeight_ = std::max(rowHeight_, down * size.height);
  }

  void newRow() {
    x_ = kMargin;
    y_ += rowHeight_ + kGap;
    rowHeight_ = 0;
  }

private:
  QPainter& p_;
  int scale_;
  int x_ = kMargin;
  int y_ = kMargin;
  int rowHeight_ = 0;
};

std::vector<int> lowerPieces() {
  std::vector<int> codes;
  for (int code = -10; code >= -81; --code) {
    if (hasPicture(code)) codes.push_back(code);
  }
  return codes;
}

QImage drawSheet(int scale) {
  constexpr int kWidth = 5 * (4 * 33 + 1 + kGap) + 2 * kMargin;
  constexpr int kHeight = 2 * 41 + 2 * 41 + 3 * 41 + 3 * kGap + 2 * kMargin;
  QImage sheet(kWidth * scale, kHeight * scale, QImage::Format_RGB32);
  sheet.fill(QColor(128, 128, 128));
  QPainter p(&sheet);
  Sheet s(p, scale);
  for (int code : lowerPieces()) s.add(code);
  s.newRow();
  for (int code : lowerPieces()) s.add(-code);
  s.newRow();
  s.add(EMPTY, 3, 2);
  for (int code : {PIC_BAKU1, PIC_BAKU2, PIC_BOMB, PIC_TITLE}) s.add(code);
  s.newRow();
  for (int code = BG_MIDORI; code <= BG_RENGA; ++code) s.add(code, 4, 3);
  return sheet;
}

} // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvanu-pictures OUTDIR\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  if (!out.exists() && !QDir().mkpath(out.path())) {
    std::fprintf(stderr, "korvanu-pictures: cannot create %s\n", argv[1]);
    return 1;
  }
  for (int scale : {1, 4}) {
    const QString file = out.filePath(QStringLiteral("pictures-%1x.png").arg(scale));
    if (!drawSheet(scale).save(file)) {
      std::fprintf(stderr, "korvanu-pictures: cannot write %s\n", qPrintable(file));
      return 1;
    }
    std::printf("%s\n", qPrintable(file));
  }
  return 0;
}
