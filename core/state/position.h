// The position alone: what the rules and a search need, without the rest of
// the game.
#pragma once

namespace korvanu {

// The board, both hands with their totals, and where the kings stand. Rules
// that look only at the position take this. The kings' squares are kept by
// the moves that move a king and found again by restorePosition; a king
// taken or blown up leaves its last square behind.
struct Position {
  int BOARD[10][10] = {};
  int HAND_SITA[8] = {}; // by kind number 1..7
  int HAND_UE[8] = {};
  int HAND_SITA_TOTAL = 0;
  int HAND_UE_TOTAL = 0;
  int OU_SITA_X = 0, OU_SITA_Y = 0;
  int OU_UE_X = 0, OU_UE_Y = 0;

  bool operator==(const Position&) const = default;
};

} // namespace korvanu
