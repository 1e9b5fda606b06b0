// Picks the drawing for a picture code and renders it at the asked scale.
#include "pictures/pictures.h"

#include "painting.h"
#include "state/constants.h"
#include "view/pictures.h"

#include <QPainter>

namespace korvanu {

namespace {

// Large enough for any screen; keeps the pixel count far from overflowing.
constexpr int kMaxScale = 32;

bool isPiece(int code) { return code != EMPTY && kindOf(code) >= HU; }

} // namespace

QStringList gameFontFamilies() {
  return {QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho"),
          QStringLiteral("Noto Serif CJK JP"), QStringLiteral("Noto Sans CJK JP")};
}

int turnedFrom(int code) { return hasPicture(code) && isPiece(code) && code > 0 ? -code : 0; }

// A pixel-exact turn keeps both sides identical apart from direction.
QImage turnRound(const QImage& lowerPiece) { return lowerPiece.mirrored(true, true); }

QImage renderPicture(int code, int scale) {
  if (!hasPicture(code) || scale < 1 || scale > kMaxScale) return {};
  if (const int lower = turnedFrom(code)) return turnRound(renderPicture(lower, scale));

  const PictureSize size = pictureSize(code);
  // Only the title plate has see-through parts: its rounded corners.
  const bool seeThrough = code == PIC_TITLE;
  QImage image(size.width * scale, size.height * scale,
               seeThrough ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  image.fill(seeThrough ? Qt::transparent : Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);

  if (isPiece(code)) {
    art::paintPiece(p, kindOf(code), isPromoted(code), scale);
  } else if (code >= BG_MIDORI && code <= BG_RENGA) {
    art::paintBackground(p, code);
  } else if (code == EMPTY) {
    art::paintWood(p);
  } else if (code == PIC_BAKU1) {
    art::paintBurst(p, 1);
  } else if (code == PIC_BAKU2) {
    art::paintBurst(p, 2);
  } else if (code == PIC_BOMB) {
    art::paintBomb(p);
  } else if (code == PIC_TITLE) {
    art::paintTitle(p);
  }
  p.end();
  return image;
}

std::vector<NameGlyph> pieceName(int code, int scale) {
  if (!hasPicture(code) || !isPiece(code) || code > 0 || scale > kMaxScale) return {};
  return art::nameGlyphs(kindOf(code), isPromoted(code), scale);
}

} // namespace korvanu
