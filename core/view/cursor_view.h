// The keyboard's cursor on the board and the hand stands.
#pragma once

#include "state/constants.h"

namespace korvanu {

class Canvas;
struct Game;

// Light cyan: apart from the light red of a picked-up piece, the white of
// the guidance and the green of the grid.
constexpr int COLOR_CURSOR = COLOR_LIGHT_CYAN;

// Shows the cursor on cell (CURSOR_X, CURSOR_Y), wherever it stood before.
void drawCursor(Canvas& c, const Game& g);
void eraseCursor(Canvas& c);

} // namespace korvanu
