// The explosion a capture would set off, drawn over the board before the
// click: the block outlined, and on every piece it touches a mark for what
// becomes of it with either button. Repainting the squares removes it.
#pragma once

#include "rules/move_preview.h"
#include "state/pieces.h"

namespace korvanu {

class Canvas;
// The block round the capture square.
constexpr int COLOR_PREVIEW_BLOCK = COLOR_LIGHT_CYAN;
// A small triangle in the corner that faces the hand the piece goes to, in
// the colour of the side that receives it: the lower side's stand is on the
// right, below; the upper side's on the left, above.
constexpr int COLOR_LOWER_SIDE = COLOR_LIGHT_BLUE;
constexpr int COLOR_UPPER_SIDE = COLOR_LIGHT_YELLOW;
// A dot on a piece that stays (an unpromoted pawn).
constexpr int COLOR_SURVIVOR = COLOR_LIGHT_GREEN;
// A thick frame round a king that would be lost.
constexpr int COLOR_KING_LOST = COLOR_LIGHT_RED;

// Draws the preview of the move put down with the left button over the
// board as it stands before the move. Where the right button (a promotion)
// would end a piece otherwise, its mark for that is added hollow. The mark
// for the piece that moves goes on the square it leaves, where the player
// sees it.
void drawExplosionPreview(Canvas& c, const Game& g, const MovePreview& left,
                          const MovePreview& right);

} // namespace korvanu
