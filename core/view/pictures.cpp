#include "view/pictures.h"

#include "state/constants.h"

namespace korvanu {

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
