#include "view/cursor_view.h"

#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

void drawCursor(const Game& g) {
  const double left = cellLeft(g.CURSOR_X), top = cellTop(g.CURSOR_Y);
  g.ui.showCursor(COLOR_CURSOR, left, top, left + SQUARE_WIDTH, top + SQUARE_HEIGHT);
}

void eraseCursor(const Game& g) { g.ui.hideCursor(); }

} // namespace korvanu
