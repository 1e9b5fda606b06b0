// The human's mouse on the window: picking up, guidance, putting down,
// promotion by the right button, drops, and the turn handed on.
#pragma once

namespace korvanu {

struct Game;

// A press of `button` (BUTTON_LEFT or BUTTON_RIGHT) at (X, Y), twips of the
// window's client area.
void Form_MouseDown(Game& g, int button, int shift, double X, double Y);

// The pointer moved to (X, Y), twips of the client area, or left the window
// (any point off the board).
void Form_MouseMove(Game& g, double X, double Y);

// Resets the board outlines, then, with move guidance on, outlines in
// `colour` every square `piece` may go to from (fromX, fromY): in the warning
// colour instead where the move would lose its own king at once.
void 描画_移動可能桝色(Game& g, int fromX, int fromY, int colour, int piece);

// The hand stands' cells, as clicks name them.
constexpr int LOWER_HAND = 11, LOWER_FIRST = 3, LOWER_LAST = 9;
constexpr int UPPER_HAND = -1, UPPER_FIRST = 1, UPPER_LAST = 7;

// The picked-up piece is still where it was picked up: on its square, or in
// a hand that may still be dropped from.
bool stillPickedUp(const Game& g, int fromX, int fromY, int piece);

} // namespace korvanu
