// Where the last move shows on the board: the square it came from, the one
// it went to, and the squares its explosion emptied. Kept until the next
// move, a step through the record, a turn of the board or a new game.
#pragma once

namespace korvanu {

enum class SquareMark : unsigned char { None, From, To, Blown };

struct MoveMarks {
  SquareMark at[10][10] = {}; // [x][y], 1..9 used
};

// The move a hint suggests, marked on the board until the next click or
// command: the cell it comes from (for a drop the hand cell, as a click names
// it) and the square it goes to.
struct HintMarks {
  bool shown = false;
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
};

// The square of the king the side to move can take or blow up with one move,
// marked for as long as that holds; x 0 for none.
struct DangerMark {
  int x = 0, y = 0;
  bool shown() const { return x != 0; }
  bool operator==(const DangerMark&) const = default;
};

} // namespace korvanu
