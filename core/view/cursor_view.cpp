#include "view/cursor_view.h"

#include "platform/platform.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

void drawCursor(Canvas& c, const Game& g) {
  const Cell at = shownCell(g, g.CURSOR_X, g.CURSOR_Y);
  const double left = cellLeft(at.x), top = cellTop(at.y);
  c.showCursor(COLOR_CURSOR, left, top, left + SQUARE_WIDTH, top + SQUARE_HEIGHT);
}

void eraseCursor(Canvas& c) { c.hideCursor(); }

} // namespace korvanu
