#include "surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
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

int Surface::screenScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? std::clamp(qRound(screen->devicePixelRatio()), 1, 4) : 1;
}

Surface::Surface(int scale, int nativeScale) : scale_(scale) {
  for (int s : {scale, nativeScale}) {
    if (s < 1 || imageAt(s).width() > 0) continue;
    layers_.push_back({s, QImage(SURFACE_WIDTH * s, SURFACE_HEIGHT * s, QImage::Format_RGB32), {}});
  }
  fill(COLOR_BOARD);
}

const QImage& Surface::imageAt(int scale) const {
  static const QImage none;
  for (const Layer& layer : layers_)
    if (layer.scale == scale) return layer.image;
  return none;
}

int Surface::toDevice(double twips, int scale) {
  // Whole window pixels: the board's top (100 twips) falls inside a pixel,
  // and a one-pixel outline placed there at device precision would straddle
  // two rows of the window at its natural size and show blurred.
  return static_cast<int>(std::floor(twips / TWIPS_PER_PIXEL + 1e-9)) * scale;
}

void Surface::fill(int colour) {
  for (Layer& layer : layers_) layer.image.fill(qcolour(colour));
}

const QImage& Surface::picture(Layer& layer, int code) {
  auto it = layer.pictures.find(code);
  if (it == layer.pictures.end())
    it = layer.pictures.emplace(code, renderPicture(code, layer.scale)).first;
  return it->second;
}

void Surface::drawPicture(int code, double left, double top) {
  for (Layer& layer : layers_) {
    const QImage& pic = picture(layer, code);
    if (pic.isNull()) return;
    QPainter p(&layer.image);
    p.drawImage(toDevice(left, layer.scale), toDevice(top, layer.scale), pic);
  }
}

void Surface::drawOutline(int colour, double left, double top, double right, double bottom) {
  // One logical pixel wide, both corners included, as the grid expects:
  // neighbouring cells share their edges.
  const QColor c = qcolour(colour);
  for (Layer& layer : layers_) {
    const int s = layer.scale;
    const int l = toDevice(left, s), t = toDevice(top, s), r = toDevice(right, s),
              b = toDevice(bottom, s);
    const int w = r - l + s, h = b - t + s;
    QPainter p(&layer.image);
    p.fillRect(l, t, w, s, c);
    p.fillRect(l, b, w, s, c);
    p.fillRect(l, t, s, h, c);
    p.fillRect(r, t, s, h, c);
  }
}

void Surface::drawTint(std::uint32_t argb, double left, double top, double right, double bottom) {
  // Blended over what is there, corners included as for an outline.
  for (Layer& layer : layers_) {
    const int s = layer.scale;
    const int l = toDevice(left, s), t = toDevice(top, s);
    QPainter p(&layer.image);
    p.fillRect(l, t, toDevice(right, s) - l + s, toDevice(bottom, s) - t + s,
               QColor::fromRgba(static_cast<QRgb>(argb)));
  }
}

void Surface::drawText(const QString& text, double left, double top, int colour, double points,
                       bool bold) {
  for (Layer& layer : layers_) {
    const int s = layer.scale;
    QFont font(QStringLiteral("IPAPMincho"));
    font.setFamilies({QStringLiteral("IPAPMincho"), QStringLiteral("IPAMincho")});
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(points * TWIPS_PER_POINT / TWIPS_PER_PIXEL * s))));
    font.setBold(bold);
    QPainter p(&layer.image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(qcolour(colour));
    // On whole device pixels, where the hinted glyphs were made to stand.
    const double x = std::round(left * s / TWIPS_PER_PIXEL);
    const double y = std::round(top * s / TWIPS_PER_PIXEL + QFontMetricsF(font).ascent());
    p.drawText(QPointF(x, y), text);
  }
}

} // namespace korvanu
