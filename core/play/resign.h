// 投了: the side to move gives the game up.
#pragma once

namespace korvanu {

struct Game;

// Ends the game as a lost king would, the other side named the winner: the
// record keeps every move played and nothing more, the clocks stop. Refused
// with no game running, in a loaded record and on the computer's turn.
void RESIGN_Click(Game& g);

} // namespace korvanu
