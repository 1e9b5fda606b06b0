// Shogi pieces: the five-sided wooden token with its name written on it.
#include "painting.h"
#include "pictures/pictures.h"

#include "state/constants.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace korvanu::art {

namespace {

// Names by kind; promoted kinds that do not exist are empty.
const char* const kNames[] = {"", "歩兵", "香車", "桂馬", "銀将", "金将", "角行", "飛車", "王将"};
const char* const kPromotedNames[] = {"", "と", "成香", "成桂", "成銀", "", "龍馬", "龍王", ""};

// Real pieces grow with their rank: the pawn is the smallest, the king the
// largest. Fractions of the king's size.
constexpr double kSizeByKind[] = {0, 0.92, 0.93, 0.94, 0.96, 0.96, 0.98, 0.98, 1.0};

constexpr double kBottom = 39.6; // the base rests just above the square's edge
constexpr double kCentre = 16.5;
constexpr double kKingWidth = 29;
constexpr double kKingHeight = 38;
constexpr double kShoulder = 0.76; // height of the shoulders, fraction of the piece
constexpr double kShoulderHalf = 0.42;
constexpr double kBand = 0.085; // the orange band along the base

QPolygonF outline(double w, double h) {
  const double top = kBottom - h;
  const double shoulderY = kBottom - h * kShoulder;
  return QPolygonF({QPointF(kCentre, top), QPointF(kCentre + w * kShoulderHalf, shoulderY),
                    QPointF(kCentre + w / 2, kBottom), QPointF(kCentre - w / 2, kBottom),
                    QPointF(kCentre - w * kShoulderHalf, shoulderY)});
}

// Glyph outlines for a token drawn under any transform (the icon's tilted
// piece): a large size, scaled to fit.
QFont outlineFont() {
  QFont f;
  f.setFamilies(gameFontFamilies());
  f.setPixelSize(100);
  f.setStyleStrategy(QFont::PreferOutline);
  return f;
}

// The box the name is written in, in picture pixels, and within it one cell
// per character, top to bottom.
std::vector<QRectF> nameCells(double size, qsizetype characters) {
  const double w = kKingWidth * size;
  const double h = kKingHeight * size;
  const double top = kBottom - h * 0.885;
  const double bottom = kBottom - h * (kBand + 0.015);
  const double width = w * 0.78;
  const QRectF area(kCentre - width / 2, top, width, bottom - top);
  if (characters == 1) {
    return {
        QRectF(area.left(), area.top() + area.height() * 0.18, area.width(), area.height() * 0.64)};
  }
  std::vector<QRectF> cells;
  const double cellH = area.height() / double(characters);
  for (qsizetype i = 0; i < characters; ++i) {
    // The upper character sits where the piece narrows towards its point.
    const double inset = i == 0 ? area.width() * 0.1 : 0;
    cells.emplace_back(area.left() + inset, area.top() + double(i) * cellH + 0.25,
                       area.width() - 2 * inset, cellH - 0.5);
  }
  return cells;
}

// Writes the name top to bottom, scaled to fit, under the painter's transform.
void paintOutlinedName(QPainter& p, double size, const QString& name, const QColor& ink) {
  // Thin mincho strokes vanish when a picture pixel is one screen pixel, so
  // small renderings get a heavier stroke.
  const double devicePixel = 1.0 / std::max(1.0, p.deviceTransform().m11());
  const double weight = std::max(0.28, 0.55 * devicePixel);
  const std::vector<QRectF> cells = nameCells(size, name.size());
  for (qsizetype i = 0; i < name.size(); ++i)
    paintFittedText(p, name.mid(i, 1), outlineFont(), cells[size_t(i)], ink, weight);
}

// The names are drawn as text at the device's own resolution with full
// hinting: a piece is only 33 x 41 pixels on a plain screen, and unhinted or
// resampled glyphs there lose their thin mincho strokes (the top stroke of
// 王 first of all). The synthetic bold keeps the strokes a pixel wide.
QFont hintedFont() {
  QFont f;
  f.setFamilies(gameFontFamilies());
  f.setBold(true);
  f.setHintingPreference(QFont::PreferFullHinting);
  // Grey antialiasing only: the upper side's pieces are turned over, which
  // would put colour fringes on the wrong side.
  f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  return f;
}

QString nameOf(int kind, bool promoted) {
  return QString::fromUtf8(promoted ? kPromotedNames[kind] : kNames[kind]);
}

QColor inkOf(bool promoted) { return promoted ? QColor(210, 20, 20) : QColor(15, 10, 5); }

// The pentagon with its shadow, face and band, without the name.
void paintShape(QPainter& p, double size) {
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
}

} // namespace

std::vector<NameGlyph> nameGlyphs(int kind, bool promoted, int scale) {
  if (kind < HU || kind > OU || scale < 1) return {};
  // The fitting loads a font size after size: it is done once for each
  // name and scale, and kept for when the surface is drawn again at that
  // scale (window thread only).
  static std::map<std::tuple<int, bool, int>, std::vector<NameGlyph>> fitted;
  const auto key = std::make_tuple(kind, promoted, scale);
  if (const auto it = fitted.find(key); it != fitted.end()) return it->second;
  const QString name = nameOf(kind, promoted);
  if (name.isEmpty()) return {};
  std::vector<QRectF> cells = nameCells(kSizeByKind[kind], name.size());
  for (QRectF& cell : cells) cell = QRectF(cell.topLeft() * scale, cell.size() * scale);

  // Each character as large as its cell allows once hinted, centred on whole
  // device pixels so that its strokes stay on the pixel grid.
  std::vector<NameGlyph> glyphs;
  for (qsizetype i = 0; i < name.size(); ++i) {
    const QRectF& cell = cells[size_t(i)];
    QFont font = hintedFont();
    auto inkAt = [&](int px) {
      font.setPixelSize(px);
      return QFontMetrics(font).boundingRect(name.at(i));
    };
    auto fits = [&](const QRect& ink) {
      return ink.width() <= cell.width() && ink.height() <= cell.height();
    };
    // The ink grows with the size: halve the range rather than try every
    // size, each of which loads a font of its own.
    int lo = 1, hi = int(cell.height() * 1.5);
    while (lo < hi) {
      const int mid = (lo + hi + 1) / 2;
      if (fits(inkAt(mid)))
        lo = mid;
      else
        hi = mid - 1;
    }
    if (lo < 2) continue;
    const QRect ink = inkAt(lo);
    const QPoint origin(int(std::lround(cell.center().x() - ink.left() - ink.width() / 2.0)),
                        int(std::lround(cell.center().y() - ink.top() - ink.height() / 2.0)));
    glyphs.push_back({name.mid(i, 1), font, origin, inkOf(promoted)});
  }
  fitted.emplace(key, glyphs);
  return glyphs;
}

void paintPiece(QPainter& p, int kind, bool promoted, int scale) {
  paintWood(p);
  if (kind < HU || kind > OU) return;
  paintShape(p, kSizeByKind[kind]);
  p.save();
  p.resetTransform();
  for (const NameGlyph& glyph : nameGlyphs(kind, promoted, scale)) {
    p.setFont(glyph.font);
    p.setPen(glyph.ink);
    p.drawText(glyph.origin, glyph.character);
  }
  p.restore();
}

void paintToken(QPainter& p, double size, const QString& name, const QColor& ink) {
  paintShape(p, size);
  paintOutlinedName(p, size, name, ink);
}

} // namespace korvanu::art
