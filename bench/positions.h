// Positions the timings share.
#pragma once

namespace korvanu::bench {

// A crowded middle game, rows from the top, columns 1..9: open files and
// diagonals, promoted pieces on both sides, the UE king in check.
constexpr int MIDDLE_GAME[9][9] = {
    {20, 30, 0, 50, 0, 0, 40, 0, 20},    {0, 70, 40, 0, 80, 50, 0, 0, 0},
    {10, 0, 10, 10, 10, 0, 30, 10, 10},  {0, 10, 0, 0, -41, 10, 0, 0, 0},
    {0, 0, -10, 0, -30, 0, 61, -61, 0},  {-10, -10, 0, -10, 0, -10, 0, 0, 0},
    {0, 0, -10, -40, 0, 0, -10, -10, 0}, {0, 0, -80, -50, 0, 0, -40, -71, 0},
    {-20, -30, 0, 0, 0, -50, 0, 0, -20},
};

} // namespace korvanu::bench
