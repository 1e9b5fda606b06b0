// What tells the players where the game stands at a glance: the tints on the
// squares of the last move and the marker beside the side to move.
#pragma once

#include <cstdint>

#include "state/square_marks.h"

namespace korvanu {

struct Game;

// The tint (0xAARRGGBB) a mark lays over its square; 0 for none.
std::uint32_t tintOf(SquareMark mark);

// Tints cell (x, y) when the last move marked it, or in a colour of its own
// while a hint marks it (the hint's hand cell too). Call it only on a cell
// just painted, so that no tint ever lies on another.
void drawMark(const Game& g, int x, int y);
// Repaints every square marked by `previous` or by MOVE_MARKS, each with its
// tint: the old marks go, the new ones show.
void showMoveMarks(const Game& g, const MoveMarks& previous);

// The marker beside the side to move (its clock's corner), while a game is
// played; nothing is drawn over a loaded record's headers. Draws on a fresh
// background.
void drawTurnMarker(const Game& g);
// Clears both sides' marker cells, then draws the marker again.
void showTurnMarker(const Game& g);
// Clears both sides' marker cells: the game is over.
void eraseTurnMarker(const Game& g);

} // namespace korvanu
