#include "surface_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "state/constants.h"
#include "surface.h"
#include "view/palette.h"

namespace korvanu {

SurfaceView::SurfaceView(const Surface& surface, QWidget* parent)
    : QWidget(parent), surface_(surface) {
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
  // Where the surface is kept at exactly the shown density, copy it pixel
  // for pixel: resampling would blur the hinted text.
  const double density = target.width() * devicePixelRatioF() / SURFACE_WIDTH;
  const QImage& exact = surface_.imageAt(qRound(density));
  if (!exact.isNull() && qFuzzyCompare(density, double(qRound(density))) &&
      qFuzzyCompare(target.height() * devicePixelRatioF(), double(exact.height()))) {
    p.drawImage(target, exact);
    return;
  }
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(target, surface_.image());
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
