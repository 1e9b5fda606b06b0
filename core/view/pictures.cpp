#include "view/pictures.h"

#include "state/constants.h"

namespace korvanu {

namespace {

bool isPieceCode(int code) {
  const int a = code < 0 ? -code : code;
  const int kind = a / 10;
  const int promoted = a % 10;
  if (kind < HU || kind > OU || promoted > 1) return false;
  // Gold and king have no promoted form.
  return promoted == 0 || (kind != KIN && kind != OU);
}

} // namespace

bool hasPicture(int code) {
  if (code >= EMPTY && code <= PIC_BOMB) return true;
  return isPieceCode(code);
}

PictureSize pictureSize(int code) {
  if (!hasPicture(code)) return {};
  if (code == PIC_TITLE) return {173, 39};
  if (code >= BG_MIDORI && code <= BG_RENGA) return {34, 41};
  return {33, 41};
}

} // namespace korvanu
