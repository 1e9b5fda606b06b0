// The influence survey: which pieces of each side reach every square, the
// cheapest attacker and defender standing behind each piece, and the check
// marks. The computer reads these maps for every candidate move, so the survey
// only touches Game's fixed arrays.
#pragma once

namespace korvanu {

struct ComputerBoard;

// Rebuilds the influence maps and the king squares from BOARD. The UE square
// maps are not cleared first: a record that keeps only a value leaves them as
// an earlier survey did, and a missing king leaves its square unchanged.
void 勢力調査(ComputerBoard& g);

// Lines of the piece c on (x, y): SITA lines when c is negative, UE lines
// otherwise. A line records the first occupied square and stops there, except
// that it runs on through the opposing king after marking the check.
void 勢力確定上直進(ComputerBoard& g, int c, int x, int y);
void 勢力確定下直進(ComputerBoard& g, int c, int x, int y);
void 勢力確定右直進(ComputerBoard& g, int c, int x, int y);
void 勢力確定左直進(ComputerBoard& g, int c, int x, int y);

// The four diagonal lines: UE lines recording c, SITA lines recording -60.
void 勢力確定敵角(ComputerBoard& g, int c, int x, int y);
void 勢力確定自角(ComputerBoard& g, int x, int y);

// The six gold steps: a UE piece defends with 50 whatever it is; a SITA piece
// records its own code c.
void 勢力確定敵金(ComputerBoard& g, int x, int y);
void 勢力確定自金(ComputerBoard& g, int c, int x, int y);

} // namespace korvanu
