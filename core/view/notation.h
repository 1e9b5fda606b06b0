// How a move is written: the texts beside the board and the rows of the move
// list both come from here, so the two never tell a move differently. A move
// has one description (RecordedMove) and two writers, the Japanese and the
// Western, chosen by the language in use.
#pragma once

#include <optional>
#include <string>

namespace korvanu {

struct RecordedMove;

// A move to (x, y) as the board writes it in Japanese: the file's digit, the
// rank's numeral and the name of `piece`.
struct MoveWords {
  std::string file, rank, piece;
};
MoveWords moveWords(int x, int y, int piece);

// The move as Western shogi players write it: the piece's letter ("+" before
// a promoted one), where it came from only when another piece of its kind
// could have gone there too, "-" for a move, "x" for a capture, "*" for a
// drop, the square as file digit and rank letter (7f), then "+" for a
// promotion taken or "=" for one declined: P-7f, Bx2b+, P*5e, G6i-5h.
std::string westernMove(const RecordedMove& move);
// What a blast took, in the language in use: "(3 blown up)"; empty for none.
std::string blastNote(int blown);

// Move `number` of the record as the move list shows it. In Japanese: the
// side's mark (▲ 先手, △ 後手), the destination and the piece that moved,
// "成" for a promotion, "不成" where it could have promoted and did not, "打"
// for a drop a piece on the board could have been taken for, and "爆" with
// the number of pieces its explosion blew up. Otherwise the mark, the
// Western move and its blast: "3 ▲ Bx2b= (4 blown up)". "？" after the
// number for a move the record does not tell.
std::string moveRow(int number, const std::optional<RecordedMove>& move, bool sente);
// The first row: the position before any move.
std::string startRow();

} // namespace korvanu
