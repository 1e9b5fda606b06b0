// Drawing routines shared by the picture sources. Every routine paints in
// picture pixels: the caller has already scaled the painter to device pixels
// and turned antialiasing on.
#pragma once

#include "pictures/pictures.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPainter;
class QPainterPath;

namespace korvanu::art {

// The light kaya-wood square behind every piece (33 x 41).
void paintWood(QPainter& p);

// A lower-side piece of `kind` (1..8), pointing up, on its wood square,
// for a painter scaled by `scale`. Upper-side pieces are this picture turned
// over by the caller.
void paintPiece(QPainter& p, int kind, bool promoted, int scale);

// How paintPiece writes the name of `kind` at `scale` (see pieceName).
std::vector<NameGlyph> nameGlyphs(int kind, bool promoted, int scale);

// The piece alone, without its square: `size` is a fraction of the king's,
// `name` is written top to bottom in `ink`.
void paintToken(QPainter& p, double size, const QString& name, const QColor& ink);

// One of the background tiles BG_MIDORI..BG_RENGA (34 x 41).
void paintBackground(QPainter& p, int code);

// Explosion frame 1 (small, bright) or 2 (wide, scattered).
void paintBurst(QPainter& p, int frame);
void paintBomb(QPainter& p);
// The bomb with its lit fuse alone, on whatever lies beneath.
void paintLitBomb(QPainter& p);
// A ragged star round `c`, its spikes reaching between `inner` and `outer`.
QPainterPath burstShape(QPointF c, int spikes, double inner, double outer);
void paintTitle(QPainter& p);

// Fills `text` as glyph outlines, scaled to fit `box` without distortion and
// centred in it. `weight` thickens the strokes by that many picture pixels,
// which keeps thin mincho strokes visible at small scales.
void paintFittedText(QPainter& p, const QString& text, const QFont& font, const QRectF& box,
                     const QColor& color, double weight);

} // namespace korvanu::art
