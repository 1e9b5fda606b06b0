// The game's artwork, drawn by code so that it stays sharp at any scale.
#pragma once

#include <QImage>

namespace korvanu {

// Renders the picture 描画_絵 paints for `code` (see view/pictures.h for the
// codes and their natural sizes) at `scale` device pixels per picture pixel.
// The image is pictureSize(code) * scale, fully opaque but for the title
// plate, whose rounded corners are transparent. A code without a picture
// gives a null image.
QImage renderPicture(int code, int scale);

} // namespace korvanu
