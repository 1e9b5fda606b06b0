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
#include "view/pictures.h"

namespace korvanu {

namespace {

QColor qcolour(int index) {
  const Rgb c = paletteColour(index);
  return QColor(c.r, c.g, c.b);
}

// Twips in one point of type.
constexpr double TWIPS_PER_POINT = 20.0;

// The window pixel holding a twips coordinate.
int toPixel(double twips) { return static_cast<int>(std::floor(twips / TWIPS_PER_PIXEL + 1e-9)); }

QFont textFont(double points, bool bold, int scale) {
  QFont font;
  font.setFamilies(gameFontFamilies());
  font.setPixelSize(std::max(
      1, static_cast<int>(std::lround(points * TWIPS_PER_POINT / TWIPS_PER_PIXEL * scale))));
  font.setBold(bold);
  return font;
}

// Text is placed on whole device pixels, where its hinted glyphs were made
// to stand: the baseline's start at `scale`.
QPointF textOrigin(double left, double top, double ascent, int scale) {
  return {std::round(left * scale / TWIPS_PER_PIXEL),
          std::round(top * scale / TWIPS_PER_PIXEL + ascent)};
}

DrawingOp makeOp(DrawingOp::Kind kind, std::uint32_t value, double left = 0, double top = 0,
                 double right = 0, double bottom = 0) {
  DrawingOp op;
  op.kind = kind;
  op.value = value;
  op.left = left;
  op.top = top;
  op.right = right;
  op.bottom = bottom;
  return op;
}

} // namespace

Surface::Layer::Layer(int s)
    : scale(s), image(SURFACE_WIDTH * s, SURFACE_HEIGHT * s, QImage::Format_RGB32) {}

Surface::Surface(int scale) : base_(std::make_unique<Layer>(std::clamp(scale, 1, LARGEST_SCALE))) {
  fill(COLOR_BOARD);
}

Surface::~Surface() = default;

int Surface::screenScale() {
  // Rounded up: on a screen scaled by 1.25 or 1.5 the window is drawn from
  // the surface at 2, which it would otherwise have to draw again at once.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double ratio = screen ? screen->devicePixelRatio() : 1.0;
  return std::clamp(static_cast<int>(std::ceil(ratio - 1e-6)), 1, LARGEST_SCALE);
}

const QImage& Surface::imageAt(int scale) {
  static const QImage none;
  if (scale < 1 || scale > LARGEST_SCALE) return none;
  if (scale == base_->scale) return base_->image;
  if (!extra_ || extra_->scale != scale) {
    // One more scale is kept: the window is mostly shown at one size, and
    // going back and forth between two need not draw everything each time.
    extra_ = std::make_unique<Layer>(scale);
    log_.replay([this](const DrawingOp& op) { paint(*extra_, op); });
  }
  return extra_->image;
}

int Surface::toDevice(double twips, int scale) {
  // Whole window pixels: the board's top (100 twips) falls inside a pixel,
  // and a one-pixel outline placed there at device precision would straddle
  // two rows of the window at its natural size and show blurred.
  return toPixel(twips) * scale;
}

const QImage& Surface::picture(Layer& layer, int code) {
  auto it = layer.pictures.find(code);
  if (it == layer.pictures.end()) {
    // An upper piece is the lower one turned round, not drawn again.
    const int lower = turnedFrom(code);
    QImage pic = lower ? turnRound(picture(layer, lower)) : renderPicture(code, layer.scale);
    it = layer.pictures.emplace(code, std::move(pic)).first;
  }
  return it->second;
}

QRect Surface::spanned(const DrawingOp& op, int scale) {
  // Both corners included, as the grid expects: neighbouring cells share
  // their edges.
  const int l = toDevice(op.left, scale), t = toDevice(op.top, scale);
  return {l, t, toDevice(op.right, scale) - l + scale, toDevice(op.bottom, scale) - t + scale};
}

void Surface::paintKept(const DrawingOp& op) {
  paint(*base_, op);
  if (extra_) paint(*extra_, op);
}

void Surface::draw(DrawingOp op, const QRect& area, bool opaque) {
  paintKept(op);
  log_.add(std::move(op), area, opaque);
}

void Surface::fill(int colour) {
  DrawingOp op = makeOp(DrawingOp::Kind::Fill, std::uint32_t(colour));
  paintKept(op);
  log_.fill(std::move(op));
}

void Surface::drawPicture(int code, double left, double top) {
  const PictureSize size = pictureSize(code);
  if (size.width <= 0 || size.height <= 0) return; // nothing to paint
  // Every picture is opaque but the title plate's rounded corners.
  draw(makeOp(DrawingOp::Kind::Picture, std::uint32_t(code), left, top),
       QRect(toPixel(left), toPixel(top), size.width, size.height), code != PIC_TITLE);
}

void Surface::drawOutline(int colour, double left, double top, double right, double bottom) {
  const DrawingOp op =
      makeOp(DrawingOp::Kind::Outline, std::uint32_t(colour), left, top, right, bottom);
  draw(op, spanned(op, 1), false);
}

void Surface::drawTint(std::uint32_t argb, double left, double top, double right, double bottom) {
  const DrawingOp op = makeOp(DrawingOp::Kind::Tint, argb, left, top, right, bottom);
  draw(op, spanned(op, 1), false);
}

void Surface::drawText(const QString& text, double left, double top, int colour, double points,
                       bool bold) {
  // Where the glyphs may reach at any scale, from the type's measures
  // rather than laying the text out again; two window pixels more all round
  // for antialiasing and hinting.
  const int s = scale();
  const QFont font = textFont(points, bold, s);
  const QFontMetricsF metrics(font);
  const QPointF origin = textOrigin(left, top, metrics.ascent(), s);
  const double l = origin.x() / s, t = (origin.y() - metrics.ascent()) / s;
  const double r = l + metrics.maxWidth() * text.size() / s,
               b = (origin.y() + metrics.descent()) / s;
  const QRect area(QPoint(int(std::floor(l)) - 2, int(std::floor(t)) - 2),
                   QPoint(int(std::ceil(r)) + 2, int(std::ceil(b)) + 2));
  DrawingOp op = makeOp(DrawingOp::Kind::Text, std::uint32_t(colour), left, top);
  op.points = points;
  op.bold = bold;
  op.text = text;
  draw(std::move(op), area, false);
}

double Surface::textWidth(const QString& text, double points, bool bold) const {
  // Measured at the base scale, where the text is laid out; the glyphs'
  // ink may stand a little past their advance, and smoothing a pixel more.
  const int s = scale();
  const QFontMetricsF metrics(textFont(points, bold, s));
  const double ink = std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right());
  return (std::ceil(ink / s) + 1) * TWIPS_PER_PIXEL;
}

void Surface::paint(Layer& layer, const DrawingOp& op) {
  const int s = layer.scale;
  switch (op.kind) {
  case DrawingOp::Kind::Fill: layer.image.fill(qcolour(int(op.value))); return;
  case DrawingOp::Kind::Picture: {
    const QImage& pic = picture(layer, int(op.value));
    if (pic.isNull()) return;
    QPainter p(&layer.image);
    p.drawImage(toDevice(op.left, s), toDevice(op.top, s), pic);
    return;
  }
  case DrawingOp::Kind::Outline: {
    // One window pixel wide round the spanned rectangle.
    const QColor c = qcolour(int(op.value));
    const QRect r = spanned(op, s);
    QPainter p(&layer.image);
    p.fillRect(r.left(), r.top(), r.width(), s, c);
    p.fillRect(r.left(), r.bottom() + 1 - s, r.width(), s, c);
    p.fillRect(r.left(), r.top(), s, r.height(), c);
    p.fillRect(r.right() + 1 - s, r.top(), s, r.height(), c);
    return;
  }
  case DrawingOp::Kind::Tint:
    // Blended over what is there.
    QPainter(&layer.image).fillRect(spanned(op, s), QColor::fromRgba(static_cast<QRgb>(op.value)));
    return;
  case DrawingOp::Kind::Text: {
    const QFont font = textFont(op.points, op.bold, s);
    QPainter p(&layer.image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font);
    p.setPen(qcolour(int(op.value)));
    p.drawText(textOrigin(op.left, op.top, QFontMetricsF(font).ascent(), s), op.text);
    return;
  }
  }
}

} // namespace korvanu
