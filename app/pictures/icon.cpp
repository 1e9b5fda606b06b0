// The game's icon: a piece marked 爆 in front of an explosion, with a lit
// bomb at its foot. Drawn from the same pieces of art as the board.
#include "pictures/pictures.h"

#include "painting.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace korvanu {

namespace {

// The icon is drawn on a 64 x 64 canvas; the pieces of art keep their own
// 33 x 41 cells and are placed into it.
constexpr double kCanvas = 64;

void paintBlast(QPainter& p) {
  const QPointF c(40, 27);
  QRadialGradient fire(c, 23);
  fire.setColorAt(0, QColor(255, 255, 235));
  fire.setColorAt(0.35, QColor(255, 220, 70));
  fire.setColorAt(0.75, QColor(255, 120, 30));
  fire.setColorAt(1, QColor(215, 40, 30));
  p.setPen(QPen(QColor(150, 30, 20), 0.8));
  p.setBrush(fire);
  p.drawPath(art::burstShape(c, 12, 10, 23));
}

} // namespace

QImage renderIcon(int size) {
  if (size < 1 || size > 1024) return {};
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kCanvas, size / kCanvas);

  paintBlast(p);

  p.save();
  p.translate(1, 8);
  p.scale(1.3, 1.3);
  p.rotate(-8);
  art::paintToken(p, 1.0, QStringLiteral("爆"), QColor(200, 15, 15));
  p.restore();

  p.save();
  p.translate(29, 23);
  p.scale(1.05, 1.05);
  art::paintLitBomb(p);
  p.restore();
  p.end();
  return image;
}

QIcon gameIcon() {
  QIcon icon;
  for (int size : {32, 64, 256}) icon.addPixmap(QPixmap::fromImage(renderIcon(size)));
  return icon;
}

} // namespace korvanu
