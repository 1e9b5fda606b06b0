// The one sequence every move goes through, whoever makes it: the move is
// made by the rules, shown, its explosion shown, recorded, the end of the
// game or a check announced, and the turn handed over.
#pragma once

namespace korvanu {

struct Table;

// Who makes the move: the human against the computer, the computer, or
// either of two people at one mouse.
enum class Mover { Human, Computer, Person };

// Between two people the sides are named by who moved first: "先手" or "後手".
const char* sideName(int side);

// Carries a legal move (`piece` the code that will stand on the
// destination; a drop from (11, kind + 2) or (-1, kind)) through every step
// that follows it. Against the computer, the human's move goes on into the
// computer's reply. False when the game ended on it.
bool playTurnMove(Table& g, Mover who, int fromX, int fromY, int toX, int toY, int piece);

// The computer's whole turn: the thinking message, the search (with the
// clock ticking on screen meanwhile) and the chosen move played.
void com_ban(Table& g);

} // namespace korvanu
