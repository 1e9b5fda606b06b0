// A piece picked up: where it may go, outlined for the player, and whether it
// is still where it was picked up. The click, the keyboard's cursor, the hint,
// the explosion preview and the turned view all draw with it.
#pragma once

namespace korvanu {

struct Table;

// The hand stands' cells, as clicks name them.
constexpr int LOWER_HAND = 11, LOWER_FIRST = 3, LOWER_LAST = 9;
constexpr int UPPER_HAND = -1, UPPER_FIRST = 1, UPPER_LAST = 7;

// Resets the board outlines, then, with move guidance on, outlines in
// `colour` every square `piece` may go to from (fromX, fromY): in the warning
// colour instead where the move would lose its own king at once.
void 描画_移動可能桝色(Table& g, int fromX, int fromY, int colour, int piece);

// The picked-up piece is still where it was picked up: on its square, or in
// a hand that may still be dropped from.
bool stillPickedUp(const Table& g, int fromX, int fromY, int piece);

} // namespace korvanu
