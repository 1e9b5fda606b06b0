// Picking up, when the program starts, the game the last run kept on quitting.
#pragma once

namespace korvanu {

struct Table;

// Asks whether to go on with the game the autosave kept (autosave.h), when
// there is one with a move to go on from, not resigned and both kings still
// on the board.
// はい loads it as 読込 does, steps to its last position and plays on from
// there in the way it was played: against the computer with the human on the
// side they had, or between two people. いいえ leaves the file as it is.
void offerToContinue(Table& g);

} // namespace korvanu
