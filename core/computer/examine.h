// Small questions the computer asks about the current position. They read
// BOARD, the hands and the influence maps as they stand; none changes BOARD
// by the time it returns.
#pragma once

namespace korvanu {

struct ComputerBoard;
struct Position;

// Squares `piece` could move to from (x, y) that the opponent does not reach.
int 調査_移動可場所数(const ComputerBoard& g, int x, int y, int piece);
// When a lower major piece attacks the upper pawn or lance on (tx, ty): the
// values of the lower major pieces or king on (tx - 2, ty) and (tx + 2, ty)
// that a knight dropped safely in between could also hit (the attacker's
// column excepted).
int 調査_桂狙い(const ComputerBoard& g, int tx, int ty);
// Value won by dropping a lance behind the upper pawn on (tx, ty).
int 調査_香狙い(const ComputerBoard& g, int tx, int ty);
// Kinds held in hand by the side (SIDE_COM or SIDE_MAN).
int 調査_持駒数(const ComputerBoard& g, int side);
// ON when a lower lance or rook further down the column would reach (x, y)
// were it empty.
int 調査_自守駒MAN_直進駒(ComputerBoard& g, int x, int y);
// Fills BISHOP_TARGET; its answer carries nothing.
int 調査_持角狙座標(ComputerBoard& g);
// Minus the number of upper bishops, rooks and the king round (x, y).
int 調査_周辺状況(const Position& p, int x, int y);
// Fills PINNED_SITA and PINNED_UE_ANY.
void 調査_移動不可駒(ComputerBoard& g);

} // namespace korvanu
