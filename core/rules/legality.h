// Whether a piece may move or be dropped somewhere. Pure tests on the board:
// nothing changes. A move that leaves or puts one's own
// king in check is legal; so is taking a king.
#pragma once

#include <string>

#include "state/pieces.h"

namespace korvanu {

struct Game;
struct Position;

// `piece` is the code that will stand on the destination (already promoted
// when the move promotes). A drop comes from column 11 (lower hand) or -1
// (upper hand).
int 移動チェック(const Position& p, int fromX, int fromY, int toX, int toY, int piece);
// 移動チェック for a piece standing on the board: it needs the board alone.
int boardMoveCheck(const Position& p, int fromX, int fromY, int toX, int toY, int piece);
// Straight line with only empty squares between.
int 移動チェック飛車(const Position& p, int fromX, int fromY, int toX, int toY);
// Diagonal with only empty squares between.
int 移動チェック角(const Position& p, int fromX, int fromY, int toX, int toY);
// ON if some square holds exactly `code`.
int 調査_駒存在(const Position& p, int code);
// OFF if the unpromoted piece could never move again from row toY.
int 移動後チェック(int toY, int piece);
// Why no game could leave this board, empty when one could: a pawn, lance or
// knight standing where it could never move again, or two unpromoted pawns of
// one side in one column. Piece counts are not its business: handicaps and
// explosions leave any number.
std::string impossibleBoard(const int (&board)[10][10]);

} // namespace korvanu
