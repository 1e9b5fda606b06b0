// Which codes 描画_絵 can paint, and the natural size of each picture.
#pragma once

namespace korvanu {

struct PictureSize {
  int width = 0;  // pixels; one pixel is 15 twips
  int height = 0;
};

// Piece codes (both sides, promoted forms where the kind has one), EMPTY,
// the title, the five backgrounds and the three explosion pictures.
bool hasPicture(int code);

// {0, 0} for a code without a picture.
PictureSize pictureSize(int code);

// Kind number 1..8 of a piece code, ignoring side and promotion.
constexpr int kindOf(int code) { return (code < 0 ? -code : code) / 10; }
constexpr bool isPromoted(int code) { return (code < 0 ? -code : code) % 10 == 1; }

} // namespace korvanu
