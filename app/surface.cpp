#include "surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "pictures/pictures.h"
#include "state/constants.h"
#include "view/palette.h"

namespace korvanu {

namespace {

QColor qcolour(int index) {
  const Rgb c = paletteColour(index);
  return QColor(c.r, c.g, c.b);
}

// Twips in one point of type.
constexpr double TWIPS_PER_POINT = 20.0;

} // namespace

int surfaceScaleFor(int screenHeightDevicePixels) {
  const int needed = (screenHeightDevicePixels + SURFACE_HEIGHT - 1) / SURFACE_HEIGHT;
  return std::clamp(needed, 2, 4);
}

Surface::Surface(int scale)
    : scale_(scale),
      image_(SURFACE_WIDTH * scale, SURFACE_HEIGHT * scale, QImage::Format_RGB32) {
  fill(COLOR_BOARD);
}

int Surface::toDevice(double twips) const {
  return static_cast<int>(std::floor(twips * scale_ / TWIPS_PER_PIXEL + 1e-9));
}

void Surface::fill(int colour) { image_.fill(qcolour(colour)); }

const QImage& Surface::picture(int code) {
  auto it = pictures_.find(code);
  if (it == pictures_.end()) it = pictures_.emplace(code, renderPicture(code, scale_)).first;
  return it->second;
}

void Surface::drawPicture(int code, double left, double top) {
  const QImage& pic = picture(code);
  if (pic.isNull()) return;
  QPainter p(&image_);
  p.drawImage(toDevice(left), toDevice(top), pic);
}

void Surface::drawOutline(int colour, double left, double top, double right, double bottom) {
  // One logical pixel wide, both corners included, as the grid expects:
  // neighbouring cells share their edges.
  const int l = toDevice(left), t = toDevice(top), r = toDevice(right), b = toDevice(bottom);
  const int w = r - l + scale_, h = b - t + scale_;
  QPainter p(&image_);
  const QColor c = qcolour(colour);
  p.fillRect(l, t, w, scale_, c);
  p.fillRect(l, b, w, scale_, c);
  p.fillRect(l, t, scale_, h, c);
  p.fillRect(r, t, scale_, h, c);
}

void Surface::drawTint(std::uint32_t argb, double left, double top, double right, double bottom) {
  // Blended over what is there, corners included as for an outline.
  const int l = toDevice(left), t = toDevice(top);
  QPainter p(&image_);
  p.fillRect(l, t, toDevice(right) - l + scale_, toDevice(bottom) - t + scale_,
             QColor::fromRgba(static_cast<QRgb>(argb)));
}

void Surface::drawText(const QString& text, double left, double top, int colour, double points,
                       bool bold) {
  QFont font(QStringLiteral("IPAPMincho"));
  font.setFamilies({QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * TWIPS_PER_POINT / TWIPS_PER_PIXEL * scale_))));
  font.setBold(bold);
  QPainter p(&image_);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(font);
  p.setPen(qcolour(colour));
  const double x = left * scale_ / TWIPS_PER_PIXEL;
  const double y = top * scale_ / TWIPS_PER_PIXEL + QFontMetricsF(font).ascent();
  p.drawText(QPointF(x, y), text);
}

} // namespace korvanu
