// Text drawn as scaled glyph outlines, so a label fills its box exactly and
// stays sharp at every scale instead of depending on hinted font sizes.
#include "painting.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

namespace korvanu::art {

void paintFittedText(QPainter& p, const QString& text, const QFont& font, const QRectF& box,
                     const QColor& color, double weight) {
  QPainterPath glyphs;
  glyphs.addText(0, 0, font, text);
  const QRectF bounds = glyphs.boundingRect();
  if (bounds.isEmpty()) return;

  // The thickening stroke reaches half its width outside the outlines.
  const QRectF room = box.adjusted(weight / 2, weight / 2, -weight / 2, -weight / 2);
  const double s = std::min(room.width() / bounds.width(), room.height() / bounds.height());
  QTransform fit;
  fit.translate(room.center().x(), room.center().y());
  fit.scale(s, s);
  fit.translate(-bounds.center().x(), -bounds.center().y());
  const QPainterPath placed = fit.map(glyphs);

  p.save();
  p.setBrush(color);
  if (weight > 0) {
    p.setPen(QPen(color, weight, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  } else {
    p.setPen(Qt::NoPen);
  }
  p.drawPath(placed);
  p.restore();
}

} // namespace korvanu::art
