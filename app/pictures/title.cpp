// The game's name plate.
#include "painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace korvanu::art {

void paintTitle(QPainter& p) {
  // Outside the rounded corners the image stays transparent, so the corners
  // show whichever background the plate stands on.
  const QRectF plate(0.75, 0.75, 171.5, 37.5);
  QLinearGradient face(0, plate.top(), 0, plate.bottom());
  face.setColorAt(0, QColor(255, 250, 215));
  face.setColorAt(1, QColor(246, 230, 160));
  p.setBrush(face);
  p.setPen(QPen(QColor(70, 45, 20), 1.5));
  p.drawRoundedRect(plate, 6, 6);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(150, 110, 50), 0.5));
  p.drawRoundedRect(plate.adjusted(2.5, 2.5, -2.5, -2.5), 4, 4);

  QFont font;
  font.setFamilies({"DejaVu Serif", "IPAMincho", "Liberation Serif", "serif"});
  font.setPixelSize(100);
  font.setBold(true);
  font.setStyleStrategy(QFont::PreferOutline);
  paintFittedText(p, QStringLiteral("Korvanu"), font, plate.adjusted(12, 6.5, -12, -6.5),
                  QColor(10, 8, 5), 0);
}

} // namespace korvanu::art
