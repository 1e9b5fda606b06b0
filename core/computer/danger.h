// What the human could do after a candidate move of the computer: threats to
// its king and pieces, drop forks, hanging pieces, and forks the moved piece
// makes; and whether a lower bishop could hit the moved piece and the upper
// king at once.
#pragma once

namespace korvanu {

struct ComputerBoard;

// What the human could do next once `piece` stands on (tx, ty), as a score
// (negative: danger to us). Reads the maps of the candidate position and
// BOARD_BEFORE, INFLUENCE_UE_BEFORE, PINNED_SITA of the turn's start.
double 盤評価_COM危険座標(ComputerBoard& g, int piece, int tx, int ty);
// 0, or `piece` when the piece on (tx, ty) stands on such a bishop diagonal.
int 盤評価_自角注意_COM(const ComputerBoard& g, int tx, int ty, int piece);

} // namespace korvanu
