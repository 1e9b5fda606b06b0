// A second account of the rules, kept deliberately plain and slow, written
// from the rules as a player knows them and not from the game's code: the
// random-game tests hold the game's legality, promotion, captures and
// explosions against it. It shares nothing with core/ but the piece codes,
// which are how the two are compared.
#pragma once

#include <string>
#include <vector>

namespace korvanu::oracle {

// Kind numbers are also the hand slots, in the order players count them.
enum Kind { NONE, PAWN, LANCE, KNIGHT, SILVER, GOLD, BISHOP, ROOK, KING };
// The lower side plays up the board (towards row 1), the upper side down.
enum Side { LOWER, UPPER };

struct Piece {
  Kind kind = NONE;
  Side side = LOWER;
  bool promoted = false;
};

// One way a piece goes, as the lower side sees it (dy < 0 is forward).
struct Step {
  int dx, dy;
  bool slides;
};
// Every way the piece goes; nothing for NONE or a piece that cannot exist
// (a promoted gold or king).
const std::vector<Step>& steps(const Piece& p);

struct Position {
  Piece at[10][10];    // [column][row], 1..9 used; column 1 is the left
  int hand[2][8] = {}; // [side][kind], PAWN..ROOK used
};

// A board move from (fx, fy), or a drop of `drop` from `side`'s hand.
struct Move {
  Side side = LOWER;
  int fx = 0, fy = 0, tx = 0, ty = 0;
  Kind drop = NONE;
  bool promote = false;
};

Position startingPosition();

// The piece on (fx, fy) may go to (tx, ty) by its movement alone: on the
// board, not onto its own side, sliding only over empty squares.
bool reaches(const Position& pos, int fx, int fy, int tx, int ty);
// A piece of `kind` from `side`'s hand may be put on (tx, ty) (whether the
// hand holds one aside).
bool mayDrop(const Position& pos, Side side, Kind kind, int tx, int ty);
// Every move `side` may make; drops only when `drops` (the player's option).
std::vector<Move> legalMoves(const Position& pos, Side side, bool drops);
// Makes a legal move with its capture and explosion. Answers how many
// squares the explosion emptied.
int play(Position& pos, const Move& m);
bool kingOnBoard(const Position& pos, Side side);

// The game's piece codes: sign = side (negative lower), tens = kind, units =
// promoted; 0 is an empty square, and anything that names no piece is NONE.
int codeOf(const Piece& p);
Piece pieceOf(int code);
// The code that stands on the destination after the move.
int placedCode(const Position& pos, const Move& m);

// The board as nine text rows of codes and the hands, for failure messages.
std::string describe(const Position& pos);

} // namespace korvanu::oracle
