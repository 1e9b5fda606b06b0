// ヒント: level 4's move for the player to move, shown on the board until the
// next click or command. Nothing is played or recorded; the clock runs on.
#pragma once

namespace korvanu {

struct Table;

// Thinks as level 4 does in the game, then marks the move. Refused with the
// forbidden sound and a word when no game is played or it is the computer's
// turn.
void HINT_Click(Table& g);

// Takes a shown hint off the board.
void clearHint(Table& g);

} // namespace korvanu
