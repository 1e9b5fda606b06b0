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

// What no game could hold, and where: a second king of one side, more pieces
// of a kind than a game has (on the board and in hand, promoted or not), a
// pawn, lance or knight standing where it could never move again, or two
// unpromoted pawns of one side in one column.
struct PositionFault {
  enum What { None, TooMany, TwoKings, NeverMoves, SecondPawn } what = None;
  int kind = 0;     // TooMany: the kind number
  int side = 0;     // TwoKings: -1 the lower side, 1 the upper
  int x = 0, y = 0; // NeverMoves, SecondPawn: the square
  explicit operator bool() const { return what != None; }
};

// Fewer pieces than a game has are fine: handicaps and explosions leave any
// number.
PositionFault positionFault(const int (&board)[10][10], const int (&handSita)[8],
                            const int (&handUe)[8]);
// The faults of the board alone: a piece that could never move, a second pawn.
PositionFault boardFault(const int (&board)[10][10]);
// The fault in a few plain words, empty for none.
std::string faultText(const PositionFault& fault);

} // namespace korvanu
