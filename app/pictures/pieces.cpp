// Shogi pieces: the five-sided wooden token with its name written on it.
#include "painting.h"

#include "state/constants.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

namespace korvanu::art {

namespace {

// Names by kind; promoted kinds that do not exist are empty.
const char* const kNames[] = {"", "歩兵", "香車", "桂馬", "銀将", "金将", "角行", "飛車", "王将"};
const char* const kPromotedNames[] = {"", "と", "成香", "成桂", "成銀", "", "龍馬", "龍王", ""};

// Real pieces grow with their rank: the pawn is the smallest, the king the
// largest. Fractions of the king's size.
constexpr double kSizeByKind[] = {0, 0.88, 0.9, 0.92, 0.95, 0.95, 0.98, 0.98, 1.0};

constexpr double kBottom = 39.6;  // the base rests just above the square's edge
constexpr double kCentre = 16.5;
constexpr double kKingWidth = 29;
constexpr double kKingHeight = 38;
constexpr double kShoulder = 0.76;  // height of the shoulders, fraction of the piece
constexpr double kShoulderHalf = 0.42;
constexpr double kBand = 0.085;     // the orange band along the base

QPolygonF outline(double w, double h) {
  const double top = kBottom - h;
  const double shoulderY = kBottom - h * kShoulder;
  return QPolygonF({QPointF(kCentre, top), QPointF(kCentre + w * kShoulderHalf, shoulderY),
                    QPointF(kCentre + w / 2, kBottom), QPointF(kCentre - w / 2, kBottom),
                    QPointF(kCentre - w * kShoulderHalf, shoulderY)});
}

QFont nameFont() {
  QFont f;
  f.setFamilies({"IPAMincho", "IPAPMincho", "Noto Serif CJK JP", "Noto Sans CJK JP"});
  f.setPixelSize(100);
  f.setStyleStrategy(QFont::PreferOutline);
  return f;
}

// Writes the name top to bottom inside `area`, one character per cell.
void paintName(QPainter& p, const QString& name, const QRectF& area, const QColor& ink) {
  // Thin mincho strokes vanish when a picture pixel is one screen pixel, so
  // small renderings get a heavier stroke.
  const double devicePixel = 1.0 / std::max(1.0, p.deviceTransform().m11());
  const double weight = std::max(0.28, 0.55 * devicePixel);
  const QFont font = nameFont();
  if (name.size() == 1) {
    const QRectF cell(area.left(), area.top() + area.height() * 0.18, area.width(),
                      area.height() * 0.64);
    paintFittedText(p, name, font, cell, ink, weight);
    return;
  }
  const double cellH = area.height() / name.size();
  for (qsizetype i = 0; i < name.size(); ++i) {
    // The upper character sits where the piece narrows towards its point.
    const double inset = i == 0 ? area.width() * 0.1 : 0;
    const QRectF cell(area.left() + inset, area.top() + i * cellH, area.width() - 2 * inset,
                      cellH);
    paintFittedText(p, name.mid(i, 1), font, cell.adjusted(0, 0.25, 0, -0.25), ink, weight);
  }
}

} // namespace

void paintPiece(QPainter& p, int kind, bool promoted) {
  paintWood(p);
  if (kind < HU || kind > OU) return;
  const QString name = QString::fromUtf8(promoted ? kPromotedNames[kind] : kNames[kind]);
  paintToken(p, kSizeByKind[kind], name, promoted ? QColor(210, 20, 20) : QColor(15, 10, 5));
}

void paintToken(QPainter& p, double size, const QString& name, const QColor& ink) {
  const double w = kKingWidth * size;
  const double h = kKingHeight * size;
  const QPolygonF shape = outline(w, h);

  // A soft shadow to the lower right lifts the piece off the board.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(90, 55, 20, 90));
  p.drawPolygon(shape.translated(0.7, 0.5));

  QLinearGradient face(kCentre - w / 2, kBottom - h, kCentre + w / 2, kBottom);
  face.setColorAt(0, QColor(255, 244, 200));
  face.setColorAt(1, QColor(246, 226, 160));
  p.setBrush(face);
  p.drawPolygon(shape);

  QPainterPath body;
  body.addPolygon(shape);
  p.save();
  p.setClipPath(body);
  p.fillRect(QRectF(0, kBottom - h * kBand, 33, h * kBand), QColor(236, 120, 30));
  p.restore();

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(110, 70, 30), 0.7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPolygon(shape);

  const double textTop = kBottom - h * 0.875;
  const double textBottom = kBottom - h * (kBand + 0.02);
  const double textWidth = w * 0.78;
  paintName(p, name, QRectF(kCentre - textWidth / 2, textTop, textWidth, textBottom - textTop),
            ink);
}

} // namespace korvanu::art
