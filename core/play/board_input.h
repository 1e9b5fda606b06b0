// The human's mouse on the window: picking up, guidance, putting down,
// promotion by the right button, drops, and the turn handed on.
#pragma once

#include "play/move_guide.h"

namespace korvanu {

struct Table;

// A press of `button` (BUTTON_LEFT or BUTTON_RIGHT) at (X, Y), twips of the
// window's client area.
void Form_MouseDown(Table& g, int button, int shift, double X, double Y);

// The pointer moved to (X, Y), twips of the client area, or left the window
// (any point off the board).
void Form_MouseMove(Table& g, double X, double Y);

} // namespace korvanu
