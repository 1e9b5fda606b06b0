// Handicaps: before the first move, either side gives up pieces one click
// at a time, from "12級" (the upper side without ten pieces) to "名人".
#pragma once

namespace korvanu {

struct Game;

void LBEL_UP_Click(Game& g);
void LEBEL_DOWN_Click(Game& g);

// Empties the squares of the pieces a handicap of `level` has taken away,
// on a board that holds the full set: the board the handicapped game
// started from.
void removeHandicapPieces(int board[10][10], int level);

} // namespace korvanu
