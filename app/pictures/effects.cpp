// The capture explosion frames and the bomb.
#include "painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace korvanu::art {

namespace {

constexpr QPointF kMiddle(16.5, 20.5);

} // namespace

// A ragged star: spike lengths cycle through a fixed table so the burst looks
// torn rather than geometric.
QPainterPath burstShape(QPointF c, int spikes, double inner, double outer) {
  static constexpr double kReach[] = {1.0, 0.72, 0.9, 0.64, 0.96, 0.78, 0.85, 0.68};
  QPainterPath path;
  for (int i = 0; i < 2 * spikes; ++i) {
    const double angle = std::numbers::pi * i / spikes - std::numbers::pi / 2;
    const double r = i % 2 == 0 ? outer * kReach[(i / 2) % 8] : inner;
    const QPointF pt = c + QPointF(r * std::cos(angle), r * std::sin(angle));
    if (i == 0) {
      path.moveTo(pt);
    } else {
      path.lineTo(pt);
    }
  }
  path.closeSubpath();
  return path;
}

namespace {

struct Spark {
  double angle; // degrees, clockwise from the right
  double distance;
  double radius;
  QColor color;
};

void paintSparks(QPainter& p, const Spark* sparks, int count, double spread, bool streaks) {
  for (int i = 0; i < count; ++i) {
    const Spark& s = sparks[i];
    const double a = s.angle * std::numbers::pi / 180;
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF at = kMiddle + dir * (s.distance * spread);
    if (streaks) {
      QColor trail = s.color;
      trail.setAlpha(120);
      p.setPen(QPen(trail, s.radius * 0.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(at - dir * (s.radius * 3.5), at);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(s.color);
    p.drawEllipse(at, s.radius, s.radius);
  }
}

const QColor kYellow(255, 235, 60);
const QColor kCyan(80, 230, 255);
const QColor kGreen(110, 255, 100);
const QColor kOrange(255, 150, 40);
const QColor kWhite(255, 255, 255);

const Spark kSparks[] = {
    {-80, 13, 1.0, kYellow}, {-35, 12, 0.9, kCyan},   {10, 13, 1.1, kOrange},
    {55, 12, 0.9, kGreen},   {100, 14, 1.0, kYellow}, {145, 12, 0.9, kCyan},
    {190, 13, 1.1, kGreen},  {235, 12, 0.9, kOrange}, {-58, 16, 0.7, kWhite},
    {122, 16, 0.7, kWhite},  {32, 17, 0.8, kYellow},  {212, 17, 0.8, kCyan},
    {78, 18, 0.7, kOrange},  {-12, 18, 0.7, kGreen},  {168, 18, 0.7, kYellow},
    {258, 17, 0.7, kGreen},
};

} // namespace

void paintBurst(QPainter& p, int frame) {
  const bool wide = frame == 2;
  QRadialGradient sky(kMiddle, 26);
  sky.setColorAt(0, wide ? QColor(150, 20, 60) : QColor(120, 10, 40));
  sky.setColorAt(1, QColor(30, 0, 10));
  p.fillRect(QRectF(0, 0, 33, 41), sky);

  const double outer = wide ? 15.5 : 10;
  const double inner = wide ? 6.5 : 4;
  QRadialGradient glow(kMiddle, outer);
  glow.setColorAt(0, kWhite);
  glow.setColorAt(wide ? 0.25 : 0.4, QColor(255, 230, 245));
  glow.setColorAt(0.7, QColor(255, 120, 200));
  glow.setColorAt(1, QColor(230, 60, 160));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawPath(burstShape(kMiddle, wide ? 11 : 8, inner, outer));
  // A white core keeps the centre bright in both frames.
  p.setBrush(kWhite);
  p.drawPath(burstShape(kMiddle, wide ? 11 : 8, inner * 0.45, outer * 0.45));

  // Frame 1 shows the first ring of sparks close in; frame 2 throws them out
  // with trails and adds the outer ring.
  const int count = wide ? int(std::size(kSparks)) : 8;
  paintSparks(p, kSparks, count, wide ? 1.0 : 0.75, wide);
}

void paintBomb(QPainter& p) {
  paintWood(p);
  paintLitBomb(p);
}

void paintLitBomb(QPainter& p) {
  const QPointF c(16, 25);
  constexpr double r = 10;

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(80, 50, 20, 80));
  p.drawEllipse(QPointF(c.x() + 1, 36.5), r * 0.95, 2.4);

  // Fuse first so the cap covers its root.
  QPainterPath fuse;
  fuse.moveTo(c.x() + 5.5, c.y() - 8.5);
  fuse.cubicTo(c.x() + 7, c.y() - 13, c.x() + 11, c.y() - 12, c.x() + 10.5, c.y() - 17);
  p.strokePath(fuse, QPen(QColor(140, 100, 50), 1.7, Qt::SolidLine, Qt::RoundCap));
  p.strokePath(fuse, QPen(QColor(225, 195, 130), 0.6, Qt::DashLine, Qt::FlatCap));

  QRadialGradient body(c + QPointF(-3.5, -4), r * 1.5, c + QPointF(-4, -4.5));
  body.setColorAt(0, QColor(110, 110, 125));
  body.setColorAt(0.35, QColor(35, 35, 42));
  body.setColorAt(1, QColor(0, 0, 0));
  p.setBrush(body);
  p.setPen(QPen(QColor(0, 0, 0), 0.6));
  p.drawEllipse(c, r, r);

  p.save();
  p.translate(c.x() + 5, c.y() - 8);
  p.rotate(35);
  QLinearGradient metal(-2.5, 0, 2.5, 0);
  metal.setColorAt(0, QColor(60, 60, 70));
  metal.setColorAt(0.4, QColor(150, 150, 165));
  metal.setColorAt(1, QColor(40, 40, 48));
  p.setBrush(metal);
  p.setPen(QPen(QColor(10, 10, 10), 0.4));
  p.drawRect(QRectF(-2.6, -2.2, 5.2, 3.2));
  p.restore();

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(c + QPointF(-4.2, -4.5), 2.4, 1.6);

  // The lit end of the fuse.
  const QPointF tip(c.x() + 10.5, c.y() - 17);
  QRadialGradient flame(tip, 5.5);
  flame.setColorAt(0, QColor(255, 255, 220));
  flame.setColorAt(0.3, QColor(255, 220, 60));
  flame.setColorAt(0.7, QColor(255, 120, 20, 200));
  flame.setColorAt(1, QColor(255, 80, 0, 0));
  p.setBrush(flame);
  p.drawPath(burstShape(tip, 7, 1.8, 5.5));
  p.setBrush(QColor(255, 230, 80));
  for (const QPointF d : {QPointF(-4, -2.5), QPointF(3.5, -3.5), QPointF(4.5, 2), QPointF(-2, 4)}) {
    p.drawEllipse(tip + d * 1.2, 0.5, 0.5);
  }
}

} // namespace korvanu::art
