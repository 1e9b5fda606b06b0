// 投了: the side to move gives the game up.
#pragma once

namespace korvanu {

struct Table;

// Ends the game as a lost king would, the other side named the winner: the
// record keeps every move played and nothing more, the clocks stop. Refused
// with no game running, in a loaded record and on the computer's turn.
// In a network game this window's side resigns, whoever's turn it is.
void RESIGN_Click(Table& g);

// `side` (TURN_SENTE / TURN_GOTE, or the human's) gives up, the clocks stop.
void resignSide(Table& g, int side);

} // namespace korvanu
