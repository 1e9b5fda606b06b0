// Playing from the keyboard: the record steps on ← and →, the keys of the
// menus, and a cursor with which pieces are picked up and put down just as
// by a click on its cell.
#pragma once

#include "play/cursor.h"
#include "play/keys_help.h"

#include <string>

#include "state/menu.h"

namespace korvanu {

struct Table;

// Keys and shift states as the window hands them over.
constexpr int KEY_RETURN = 13;
constexpr int KEY_SPACE = 32;
constexpr int KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40;
constexpr int SHIFT_MASK = 1, CTRL_MASK = 2, ALT_MASK = 4;

// A key going down on the window; answers whether the game used it.
//   ← →          step the record back and forward, as 戻 and 進; while the
//                cursor shows they move it instead, and Ctrl+← → step
//   ↑ ↓          move the cursor
//   Enter Space  the first press brings the cursor out; then a press on its
//                cell, with Shift as by the right button (promotion)
// The cursor's first appearance does nothing else, so a player sees where it
// is before anything happens.
bool Form_KeyDown(Table& g, int keyCode, int shift);

// An item's key: what opening its menu on the bar and choosing it does.
void menuKey(Table& g, Menu item);

// Moves the cursor one cell, over the board and, with pieces in hand, the
// hand stands beside it; it stops at the edges.
void moveCursor(Table& g, int dx, int dy);
// A press of the left button, or of the right one to promote, in the middle
// of the cursor's cell.
void cursorPress(Table& g, bool promote);

} // namespace korvanu
