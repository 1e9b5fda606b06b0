// Background tiles. Tiles are laid every 33 x 41 pixels and each is one pixel
// wider than that step, so every pattern here repeats with exactly that
// period: anything crossing an edge is drawn again one period over, and the
// extra column repeats the first one.
#include "painting.h"

#include "state/constants.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>

namespace korvanu::art {

namespace {

constexpr double kStepX = 33;
constexpr double kStepY = 41;

// Draws `draw` at the tile and at its eight neighbouring copies.
template <class Draw>
void wrapped(QPainter& p, Draw draw) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      p.save();
      p.translate(dx * kStepX, dy * kStepY);
      draw();
      p.restore();
    }
  }
}

// A small fixed shade table keeps repeated elements from looking stamped.
int shade(int i, int j) {
  static constexpr int kTable[] = {0, 7, -5, 3, -9, 5, -2, 9, -6, 2, 6, -4, 4, -8, 1, -3};
  return kTable[(i * 5 + j * 3) & 15];
}

QColor tinted(const QColor& c, int d) {
  return QColor(std::clamp(c.red() + d, 0, 255), std::clamp(c.green() + d, 0, 255),
                std::clamp(c.blue() + d, 0, 255));
}

void plainGreen(QPainter& p) {
  // Exactly the window's colour so the tile disappears into it.
  p.fillRect(QRectF(0, 0, 34, 41), QColor(0, 128, 0));
}

void tatami(QPainter& p) {
  // Straws run across; binding threads run down every third of the step.
  constexpr int kRows = 16;
  constexpr int kSegments = 3;
  constexpr double rowH = kStepY / kRows;
  constexpr double segW = kStepX / kSegments;
  const QColor straw(112, 158, 66);
  for (int r = 0; r < kRows; ++r) {
    for (int s = 0; s <= kSegments; ++s) {
      const QRectF cell(s * segW, r * rowH, segW, rowH);
      // Rows differ a little, the pieces of one straw hardly at all.
      const QColor c = tinted(straw, shade(r, 0) * 2 + shade(s % kSegments, r) / 2);
      QLinearGradient round(0, cell.top(), 0, cell.bottom());
      round.setColorAt(0, c.lighter(118));
      round.setColorAt(0.55, c);
      round.setColorAt(1, c.darker(135));
      p.fillRect(cell, round);
    }
  }
  const QPen thread(QColor(60, 96, 34), 0.8);
  for (int s = 0; s <= kSegments; ++s) {
    const double x = s * segW;
    p.setPen(thread);
    p.drawLine(QPointF(x, 0), QPointF(x, kStepY));
  }
}

void bambooStem(QPainter& p, double x, double width, double nodeY, const QColor& c) {
  QLinearGradient round(x - width / 2, 0, x + width / 2, 0);
  round.setColorAt(0, c.darker(150));
  round.setColorAt(0.3, c.lighter(135));
  round.setColorAt(0.7, c);
  round.setColorAt(1, c.darker(170));
  p.fillRect(QRectF(x - width / 2, -kStepY, width, 3 * kStepY), round);
  // Each stem has one node per tile; drawn three times so it shows in every copy.
  for (int k = -1; k <= 1; ++k) {
    const double y = nodeY + k * kStepY;
    p.setPen(QPen(c.darker(190), 0.9));
    p.drawLine(QPointF(x - width / 2, y), QPointF(x + width / 2, y));
    p.setPen(QPen(c.lighter(150), 0.5));
    p.drawLine(QPointF(x - width / 2 + 0.4, y + 0.8), QPointF(x + width / 2 - 0.4, y + 0.8));
  }
}

void bambooLeaf(QPainter& p, QPointF base, double dx, double dy) {
  QPainterPath leaf;
  const QPointF tip = base + QPointF(dx, dy);
  const QPointF normal(-dy * 0.18, dx * 0.18);
  const QPointF mid = (base + tip) / 2;
  leaf.moveTo(base);
  leaf.quadTo(mid + normal, tip);
  leaf.quadTo(mid - normal, base);
  p.setPen(QPen(QColor(20, 80, 20), 0.3));
  p.setBrush(QColor(70, 150, 50));
  p.drawPath(leaf);
}

void bamboo(QPainter& p) {
  p.fillRect(QRectF(0, 0, 34, 41), QColor(18, 62, 24));
  // Stems run straight down, so only the leaves need the neighbouring copies.
  bambooStem(p, 15.5, 3.5, 22, QColor(50, 110, 40));
  bambooStem(p, 6.5, 7.5, 13, QColor(90, 170, 60));
  bambooStem(p, 25, 6, 31, QColor(80, 160, 55));
  wrapped(p, [&p] {
    bambooLeaf(p, QPointF(10.2, 13), 9, -5);
    bambooLeaf(p, QPointF(10.2, 13), 7, -1.5);
    bambooLeaf(p, QPointF(22, 31), -9, -4);
    bambooLeaf(p, QPointF(28, 31), 8, 3);
  });
}

struct Star {
  double x, y, radius;
  QColor color;
  bool sparkle;
};

void starrySky(QPainter& p) {
  p.fillRect(QRectF(0, 0, 34, 41), Qt::black);
  static const Star kStars[] = {
      {4.2, 5.5, 0.55, QColor(255, 255, 255), false},
      {13.7, 2.2, 0.35, QColor(170, 170, 190), false},
      {24.5, 8.3, 1.0, QColor(255, 255, 230), true},
      {30.1, 17.6, 0.4, QColor(150, 190, 255), false},
      {8.8, 18.4, 0.45, QColor(255, 170, 170), false},
      {18.3, 14.9, 0.3, QColor(140, 140, 150), false},
      {2.6, 29.3, 0.8, QColor(200, 220, 255), true},
      {15.2, 27.5, 0.5, QColor(255, 240, 170), false},
      {26.9, 26.2, 0.35, QColor(190, 190, 200), false},
      {21.4, 37.1, 0.6, QColor(255, 255, 255), false},
      {9.9, 36.6, 0.3, QColor(120, 130, 140), false},
      {32.7, 38.8, 0.45, QColor(255, 200, 140), false},
      {0.5, 12.1, 0.3, QColor(160, 160, 170), false},
  };
  wrapped(p, [&p] {
    for (const Star& s : kStars) {
      const QPointF c(s.x, s.y);
      if (s.sparkle) {
        QColor ray = s.color;
        ray.setAlpha(110);
        p.setPen(QPen(ray, 0.35));
        const double r = s.radius * 2.4;
        p.drawLine(c - QPointF(r, 0), c + QPointF(r, 0));
        p.drawLine(c - QPointF(0, r), c + QPointF(0, r));
      }
      p.setPen(Qt::NoPen);
      p.setBrush(s.color);
      p.drawEllipse(c, s.radius, s.radius);
    }
  });
}

void brickWall(QPainter& p) {
  // Four courses fit the height exactly; alternate courses shift half a brick.
  constexpr int kCourses = 4;
  constexpr int kBricks = 2;
  constexpr double courseH = kStepY / kCourses;
  constexpr double brickW = kStepX / kBricks;
  constexpr double mortar = 0.6;
  p.fillRect(QRectF(0, 0, 34, 41), QColor(196, 186, 170));
  const QColor clay(168, 58, 38);
  for (int row = 0; row < kCourses; ++row) {
    const double shift = (row % 2) * brickW / 2;
    for (int b = -1; b <= kBricks; ++b) {
      const int id = ((b % kBricks) + kBricks) % kBricks; // copies share a colour
      const QRectF brick(shift + b * brickW + mortar / 2, row * courseH + mortar / 2,
                         brickW - mortar, courseH - mortar);
      const QColor c = tinted(clay, shade(row, id) * 2);
      QLinearGradient face(0, brick.top(), 0, brick.bottom());
      face.setColorAt(0, c.lighter(115));
      face.setColorAt(0.2, c);
      face.setColorAt(1, c.darker(125));
      p.fillRect(brick, face);
    }
  }
}

} // namespace

void paintBackground(QPainter& p, int code) {
  switch (code) {
  case BG_MIDORI: plainGreen(p); break;
  case BG_TATAMI: tatami(p); break;
  case BG_TAKE: bamboo(p); break;
  case BG_UCHU: starrySky(p); break;
  case BG_RENGA: brickWall(p); break;
  default: break;
  }
}

} // namespace korvanu::art
