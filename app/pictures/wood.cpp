// The kaya-wood board square. The grain is a fixed set of wavy lines whose
// waves repeat every 41 pixels, so squares stacked in a file join up.
#include "painting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <numbers>

namespace korvanu::art {

namespace {

struct Grain {
  double x;      // mean position of the line
  double sway;   // amplitude of the slow wave
  double ripple; // amplitude of the faster wave
  double phase;
  double width;
  int alpha;
};

constexpr Grain kGrain[] = {
    {3.5, 0.7, 0.15, 0.4, 0.5, 50},  {8.0, 1.0, 0.2, 2.1, 0.9, 35},
    {12.5, 0.8, 0.1, 4.0, 0.4, 60},  {17.5, 1.2, 0.25, 1.3, 1.2, 28},
    {22.0, 0.9, 0.15, 5.2, 0.5, 55}, {26.5, 1.1, 0.2, 3.1, 0.8, 38},
    {30.5, 0.6, 0.1, 0.9, 0.4, 50},
};

} // namespace

void paintWood(QPainter& p) {
  constexpr double kW = 33, kH = 41;
  QLinearGradient tone(0, 0, kW, 0);
  tone.setColorAt(0, QColor(230, 191, 115));
  tone.setColorAt(0.5, QColor(235, 197, 122));
  tone.setColorAt(1, QColor(229, 189, 113));
  p.fillRect(QRectF(0, 0, kW, kH), tone);

  constexpr double kTurn = 2 * std::numbers::pi / kH;
  for (const Grain& g : kGrain) {
    QPainterPath line;
    for (int y = -1; y <= kH + 1; ++y) {
      const double x = g.x + g.sway * std::sin(kTurn * y + g.phase) +
                       g.ripple * std::sin(3 * kTurn * y + 2 * g.phase);
      if (y < 0) {
        line.moveTo(x, y);
      } else {
        line.lineTo(x, y);
      }
    }
    p.strokePath(line, QPen(QColor(160, 110, 50, g.alpha), g.width));
  }
}

} // namespace korvanu::art
