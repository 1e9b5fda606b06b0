// The keyboard's cursor on the board and the hand stands.
#pragma once

namespace korvanu {

struct Game;

// Light cyan: apart from the light red of a picked-up piece, the white of
// the guidance and the green of the grid.
constexpr int COLOR_CURSOR = 11;

// Shows the cursor on cell (CURSOR_X, CURSOR_Y), wherever it stood before.
void drawCursor(const Game& g);
void eraseCursor(const Game& g);

} // namespace korvanu
