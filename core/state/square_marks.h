// Where the last move shows on the board: the square it came from, the one
// it went to, and the squares its explosion emptied. Kept until the next
// move, a step through the record, a turn of the board or a new game.
#pragma once

namespace korvanu {

enum class SquareMark : unsigned char { None, From, To, Blown };

struct MoveMarks {
  SquareMark at[10][10] = {}; // [x][y], 1..9 used
};

} // namespace korvanu
