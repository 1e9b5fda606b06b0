// Whether a king can be lost on the very next move. The game has no check
// rule: a king left where it can be taken or blown up is a legal move, so
// the board warns of it instead.
#pragma once

#include "rules/make_move.h"
#include "state/position.h"
#include "state/square_marks.h"

namespace korvanu {

// The other king's square when the side (`upper` or lower) can take or blow
// it up with one move: any capture on the king's square or next to it does,
// since every capture blows up the block round it. A drop never captures, so
// the pieces in hand never count. None once either king is gone.
DangerMark kingInReach(const Position& p, bool upper);

// Whether the side (`upper` or lower) has a capture on the other king's square
// or beside it, both kings standing on the squares the position keeps for
// them: kingInReach without looking for the kings.
bool blastsKing(const Position& p, bool upper);

// Whether the move `m` (a drop from the hand cell the rules name it by)
// loses its own side's king at once: blown up by its own capture, or left
// where the other side can take or blow it up with its reply. A move that
// takes the other king wins instead and is never such a move.
bool leavesKingToBeLost(const Position& p, const Move& m);

} // namespace korvanu
