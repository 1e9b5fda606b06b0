// The game's artwork, drawn by code so that it stays sharp at any scale.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <vector>

namespace korvanu {

// Renders the picture 描画_絵 paints for `code` (see view/pictures.h for the
// codes and their natural sizes) at `scale` device pixels per picture pixel.
// The image is pictureSize(code) * scale, fully opaque but for the title
// plate, whose rounded corners are transparent. A code without a picture
// gives a null image.
QImage renderPicture(int code, int scale);

// The upper side's pieces face the human: each is the lower side's picture
// turned round. For such a code, the lower side's code; otherwise 0.
int turnedFrom(int code);
QImage turnRound(const QImage& lowerPiece);

// One character of a piece's name as its picture writes it at some scale:
// the font, sized in device pixels, the start of its baseline in the
// picture's device pixels, and the ink.
struct NameGlyph {
  QString character;
  QFont font;
  QPoint origin;
  QColor ink;
};

// The name on the lower side's piece `code` (code < 0) rendered at `scale`,
// top character first; empty for other codes. The upper side's piece shows
// the same picture turned over.
std::vector<NameGlyph> pieceName(int code, int scale);

// The game's Japanese type, first choice first: IPA P Mincho, with the
// fixed-width IPA Mincho and the Noto CJK faces where it is missing.
QStringList gameFontFamilies();

// The game's icon, `size` pixels square on a transparent ground; a null image
// for sizes outside 1..1024.
QImage renderIcon(int size);
// The icon at the sizes a window manager asks for.
QIcon gameIcon();

} // namespace korvanu
