// How a move is written: the texts beside the board and the rows of the move
// list both come from here, so the two never tell a move differently.
#pragma once

#include <optional>
#include <string>

namespace korvanu {

struct RecordedMove;

// A move to (x, y) as the board writes it: the file's digit, the rank's
// numeral and the name of `piece`.
struct MoveWords {
  std::string file, rank, piece;
};
MoveWords moveWords(int x, int y, int piece);

// Move `number` of the record as the move list shows it: the side's mark
// (▲ 先手, △ 後手), the destination and the piece that moved, "成" for a
// promotion, "不成" where it could have promoted and did not, "打" for a drop
// a piece on the board could have been taken for, and "爆" with the number
// of pieces its explosion blew up. "？" for a move the record does not tell.
std::string moveRow(int number, const std::optional<RecordedMove>& move, bool sente);
// The first row: the position before any move.
std::string startRow();

} // namespace korvanu
