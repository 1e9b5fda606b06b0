// Check and mate. The mate tests read the influence
// maps, so the caller surveys the position first.
#pragma once

namespace korvanu {

struct ComputerBoard;

// ON when the lower (human's) king is mated.
int 詰めかMAN(ComputerBoard& g);
// ON when the upper king is mated. Leaves the influence maps as surveyed on
// its last trial position: survey again before reading them.
int 詰めかCOM(ComputerBoard& g);
// ON when some upper piece can move onto the lower king's square.
int 詰めかMAN_COM移動(const ComputerBoard& g);
// Counts the lower king's escape squares and marks them in ESCAPE_MAP.
int 調査_自王逃道(ComputerBoard& g);

} // namespace korvanu
