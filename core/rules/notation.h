// A move as Western shogi players write it: the piece's letter ("+" before
// a promoted one), where it came from only when another piece of its kind
// could have gone there too, "-" for a move, "x" for a capture, "*" for a
// drop, the square as file digit and rank letter (7f), then "+" for a
// promotion taken or "=" for one declined: P-7f, Bx2b+, P*5e, G6i-5h.
#pragma once

#include <string>

namespace korvanu {

struct Position;

struct MoveNote {
  std::string text; // without the blast
  int blown = 0;    // pieces the capture's explosion took
};

// The move of the piece on (fromX, fromY), or dropped from the hand column
// 11 or -1, to (toX, toY) as `piece`, read on the position before it is made.
MoveNote noteMove(const Position& p, int fromX, int fromY, int toX, int toY, int piece);

// The blast in the language in use, "(3 blown up)"; empty for none.
std::string blastNote(int blown);
// The note with its blast: "Bx2b+ (3 blown up)".
std::string westernMove(const MoveNote& note);

} // namespace korvanu
