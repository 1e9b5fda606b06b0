// What tells the players where the game stands at a glance: the tints on the
// squares of the last move, the marker beside the side to move and the red
// of a king the side to move can take or blow up.
#pragma once

#include <cstdint>

#include "state/constants.h"
#include "state/square_marks.h"

namespace korvanu {

class Canvas;
struct Game;

// The tint (0xAARRGGBB) a mark lays over its square; 0 for none.
std::uint32_t tintOf(SquareMark mark);
// The tint of a king that can be lost on the next move: red, and strong
// enough to tell from the last move's orange. It takes the place of the
// last move's tint on the king's square.
constexpr std::uint32_t TINT_DANGER = 0x8CFF1A1A;

// Tints cell (x, y) when the last move marked it, or in a colour of its own
// while a hint marks it (the hint's hand cell too) or a king in danger stands
// on it. Call it only on a cell just painted, so that no tint ever lies on
// another.
void drawMark(Canvas& c, const Game& g, int x, int y);
// Repaints every square marked by `previous` or by MOVE_MARKS, each with its
// tint: the old marks go, the new ones show.
void showMoveMarks(Canvas& c, const Game& g, const MoveMarks& previous);

// The marker beside the side to move (its clock's corner), while a game is
// played; nothing is drawn over a loaded record's headers. Draws on a fresh
// background.
void drawTurnMarker(Canvas& c, const Game& g);
// Clears both sides' marker cells, then draws the marker again; and marks
// the king the side to move can now hit, a stepped record's too.
void showTurnMarker(Canvas& c, Game& g);
// Clears both sides' marker cells and the danger mark: the game is over.
void eraseTurnMarker(Canvas& c, Game& g);

// The outline of a guidance square whose move would lose its own king at once.
constexpr int COLOR_GUIDE_WARNING = COLOR_LIGHT_RED;

} // namespace korvanu
