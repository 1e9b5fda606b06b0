// The game's artwork, drawn by code so that it stays sharp at any scale.
#pragma once

#include <QImage>

namespace korvanu {

// Renders the picture 描画_絵 paints for `code` (see view/pictures.h for the
// codes and their natural sizes) at `scale` device pixels per picture pixel.
// The image is pictureSize(code) * scale, fully opaque. A code without a
// picture gives a null image.
QImage renderPicture(int code, int scale);

// The upper side's pieces face the human: each is the lower side's picture
// turned round. For such a code, the lower side's code; otherwise 0.
int turnedFrom(int code);
QImage turnRound(const QImage& lowerPiece);

} // namespace korvanu
