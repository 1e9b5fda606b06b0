// Which codes 描画_絵 can paint, and the natural size of each picture.
#pragma once

#include "state/pieces.h"

namespace korvanu {

struct PictureSize {
  int width = 0; // pixels; one pixel is 15 twips
  int height = 0;
};

// Piece codes (both sides, promoted forms where the kind has one), EMPTY,
// the title, the five backgrounds and the three explosion pictures.
bool hasPicture(int code);

// {0, 0} for a code without a picture.
PictureSize pictureSize(int code);

} // namespace korvanu
