#include "play/keyboard.h"

#include <algorithm>
#include <string>

#include "language/translate.h"
#include "platform/table.h"
#include "play/board_input.h"
#include "play/commands.h"
#include "play/cursor.h"
#include "play/keys_help.h"
#include "sound/sound.h"
#include "view/board_view.h"
#include "view/cursor_view.h"

namespace korvanu {

namespace {

void bringOutCursor(Table& g) {
  // A piece picked up with the mouse is where the keyboard goes on.
  if (g.SELECT_STATE == 1) {
    g.CURSOR_X = g.MOVE_BUF[3];
    g.CURSOR_Y = g.MOVE_BUF[4];
  }
  g.CURSOR_SHOWN = true;
  drawCursor(g.ui, g);
}

} // namespace

bool Form_KeyDown(Table& g, int keyCode, int shift) {
  if (g.QUITTING || (shift & ALT_MASK)) return false;
  const bool ctrl = shift & CTRL_MASK;
  switch (keyCode) {
  case KEY_LEFT:
  case KEY_RIGHT:
    if (g.CURSOR_SHOWN && !ctrl)
      moveCursor(g, keyCode == KEY_LEFT ? -1 : 1, 0);
    else
      menuKey(g, keyCode == KEY_LEFT ? Menu::REPLAY : Menu::AFTER);
    return true;
  case KEY_UP:
  case KEY_DOWN:
    if (ctrl) return false;
    if (g.CURSOR_SHOWN)
      moveCursor(g, 0, keyCode == KEY_UP ? -1 : 1);
    else
      bringOutCursor(g);
    return true;
  case KEY_RETURN:
  case KEY_SPACE:
    if (ctrl) return false;
    if (g.CURSOR_SHOWN)
      cursorPress(g, shift & SHIFT_MASK);
    else
      bringOutCursor(g);
    return true;
  default: return false;
  }
}

void menuKey(Table& g, Menu item) {
  const Menu bar = barMenuOf(item);
  if (bar != item) onMenu(g, bar);
  if (!g.QUITTING) onMenu(g, item);
}

void moveCursor(Table& g, int dx, int dy) {
  // The keys go the ways of the picture: on the turned view that is the
  // other way on the board.
  if (viewTurned(g)) dx = -dx, dy = -dy;
  const bool hands = isChecked(g, Menu::MOCHIKOMA);
  int x = g.CURSOR_X, y = g.CURSOR_Y;
  // Stands put away since: back on the board beside them.
  if (!hands) x = std::clamp(x, 1, 9);
  if (x == LOWER_HAND) {
    if (dx < 0) x = 9;
    y = std::clamp(y + dy, LOWER_FIRST, LOWER_LAST);
  } else if (x == UPPER_HAND) {
    if (dx > 0) x = 1;
    y = std::clamp(y + dy, UPPER_FIRST, UPPER_LAST);
  } else {
    x += dx;
    y = std::clamp(y + dy, 1, 9);
    // Off the board's edge lies a hand stand where it stands beside the row.
    if (x > 9) x = hands && y >= LOWER_FIRST ? LOWER_HAND : 9;
    if (x < 1) x = hands && y <= UPPER_LAST ? UPPER_HAND : 1;
  }
  g.CURSOR_X = x;
  g.CURSOR_Y = y;
  g.CURSOR_SHOWN = true;
  drawCursor(g.ui, g);
}

void cursorPress(Table& g, bool promote) {
  const Cell at = shownCell(g, g.CURSOR_X, g.CURSOR_Y);
  Form_MouseDown(g, promote ? BUTTON_RIGHT : BUTTON_LEFT, promote ? SHIFT_MASK : 0,
                 cellLeft(at.x) + SQUARE_WIDTH / 2.0, cellTop(at.y) + SQUARE_HEIGHT / 2.0);
}

} // namespace korvanu
