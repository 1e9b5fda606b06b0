// "待った": taking a move back and playing on from the position before it.
#pragma once

namespace korvanu {

struct Table;

// Against the computer, the player's last move and the computer's reply go;
// between two people, the last move. The position shown goes back to the
// record's entry before them with its hands and clocks, later entries are
// dropped, and the clock runs again for the side now to move. Refused with
// the forbidden sound when there is no such move, and while a loaded record
// is shown.
// In a network game the peer is asked instead (play/net_game.h).
void MATTA_Click(Table& g);

// Goes back `n` moves of the record as 待った does, whose turn it then is
// following from how many.
void takeBackMoves(Table& g, int n);

} // namespace korvanu
