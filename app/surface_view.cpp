#include "surface_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "state/constants.h"
#include "surface.h"
#include "view/palette.h"

namespace korvanu {

SurfaceView::SurfaceView(Surface& surface, QWidget* parent) : QWidget(parent), surface_(surface) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(SURFACE_WIDTH / 4, SURFACE_HEIGHT / 4);
  // The game follows the pointer even with no button down.
  setMouseTracking(true);
}

QRect SurfaceView::surfaceRect() const {
  const double f = std::min(double(width()) / SURFACE_WIDTH, double(height()) / SURFACE_HEIGHT);
  const int w = qRound(SURFACE_WIDTH * f), h = qRound(SURFACE_HEIGHT * f);
  return QRect((width() - w) / 2, (height() - h) / 2, w, h);
}

QPointF SurfaceView::toTwips(QPointF widgetPos) const {
  const QRect r = surfaceRect();
  if (r.width() <= 0 || r.height() <= 0) return {};
  return {(widgetPos.x() - r.x()) * SURFACE_WIDTH * TWIPS_PER_PIXEL / r.width(),
          (widgetPos.y() - r.y()) * SURFACE_HEIGHT * TWIPS_PER_PIXEL / r.height()};
}

void SurfaceView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const Rgb bg = paletteColour(COLOR_BOARD);
  QRectF target = surfaceRect();
  target.translate(QPointF(shake_) * target.width() / SURFACE_WIDTH);
  p.fillRect(rect(), QColor(bg.r, bg.g, bg.b));
  const double density = target.width() * devicePixelRatioF() / SURFACE_WIDTH;
  const int whole = qRound(density);
  if (whole >= 1 && whole <= Surface::LARGEST_SCALE && qFuzzyCompare(density, double(whole)) &&
      qFuzzyCompare(target.height() * devicePixelRatioF(), double(SURFACE_HEIGHT * whole))) {
    // At exactly a scale the surface can be drawn at: pixel for pixel, as
    // resampling would blur the hinted text.
    p.drawImage(target, surface_.imageAt(whole));
  } else {
    // Otherwise from the surface at the next scale up, or at the one it was
    // made with if that is larger still.
    const int sharp = std::clamp(int(std::ceil(density - 1e-6)), 1, Surface::LARGEST_SCALE);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(target, sharp <= surface_.scale() ? surface_.image() : surface_.imageAt(sharp));
  }
  if (!cursor_.isEmpty()) paintCursor(p, target);
}

void SurfaceView::setCursorMark(const QRectF& twips, int colour) {
  cursor_ = twips;
  cursorColour_ = colour;
  update();
}

void SurfaceView::paintCursor(QPainter& p, const QRectF& target) const {
  // Whole widget pixels, so the marks stay crisp at any size.
  const double perTwip = target.width() / (SURFACE_WIDTH * TWIPS_PER_PIXEL);
  const double perPixel = target.width() / SURFACE_WIDTH;
  const int thick = std::max(2, qRound(2 * perPixel));
  // Inside the cell's outline, which stays visible round the marks.
  const int inset = thick;
  const int l = qRound(target.x() + cursor_.left() * perTwip) + inset;
  const int t = qRound(target.y() + cursor_.top() * perTwip) + inset;
  const int r = qRound(target.x() + cursor_.right() * perTwip) - inset;
  const int b = qRound(target.y() + cursor_.bottom() * perTwip) - inset;
  const int arm = std::max(thick + 2, (r - l) / 3);
  const Rgb c = paletteColour(cursorColour_);
  const QColor colour(c.r, c.g, c.b);
  for (const auto& [x, y, dx, dy] : {std::tuple{l, t, 1, 1}, std::tuple{r, t, -1, 1},
                                     std::tuple{l, b, 1, -1}, std::tuple{r, b, -1, -1}}) {
    // Each corner an L: one arm along the edge, one down the side.
    p.fillRect(QRect(dx > 0 ? x : x - arm + 1, dy > 0 ? y : y - thick + 1, arm, thick), colour);
    p.fillRect(QRect(dx > 0 ? x : x - thick + 1, dy > 0 ? y : y - arm + 1, thick, arm), colour);
  }
}

void SurfaceView::mousePressEvent(QMouseEvent* event) {
  const int button = event->button() == Qt::LeftButton    ? BUTTON_LEFT
                     : event->button() == Qt::RightButton ? BUTTON_RIGHT
                                                          : 0;
  if (button != 0) emit pressed(button, toTwips(event->position()));
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) { emit moved(toTwips(event->position())); }

void SurfaceView::leaveEvent(QEvent*) { emit moved(QPointF(-1, -1)); }

} // namespace korvanu
