// The score of one candidate move of the computer, made on BOARD with the
// influence maps surveyed on it. The sum of many hand-tuned terms; the level
// decides how many apply.
#pragma once

namespace korvanu {

struct ComputerBoard;

// Reserved results.
constexpr double SCORE_TAKES_KING = 9999;
constexpr double SCORE_WINS = 9998;
constexpr double SCORE_LOSES = -9998;

// `captured` stood on the destination before the move (EMPTY for none),
// `piece` stands there now; a drop comes from (-1, kind).
double 盤評価(ComputerBoard& g, int captured, int piece, int fx, int fy, int tx, int ty);

} // namespace korvanu
