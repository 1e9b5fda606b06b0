// The pieces each handicap level takes away, and the board a handicapped
// game starts from: what the handicap buttons and the network game's two
// ends build alike.
#pragma once

#include "state/constants.h"

namespace korvanu {

struct HandicapPiece {
  int x, y, code;
};

// The pieces each level gives up, in order: level k (k > 0) takes the upper
// side's UPPER[k - 1] away, level -k the lower side's LOWER[k - 1]. The two
// sides mirror each other through the centre of the board.
constexpr HandicapPiece HANDICAP_UPPER[10] = {
    {8, 2, CODE_UE_KAKU}, {2, 2, CODE_UE_SYA}, {9, 1, CODE_UE_KYOU}, {1, 1, CODE_UE_KYOU},
    {8, 1, CODE_UE_KEI},  {2, 1, CODE_UE_KEI}, {7, 1, CODE_UE_GIN},  {3, 1, CODE_UE_GIN},
    {6, 1, CODE_UE_KIN},  {4, 1, CODE_UE_KIN},
};
constexpr HandicapPiece HANDICAP_LOWER[10] = {
    {2, 8, CODE_SITA_KAKU}, {8, 8, CODE_SITA_SYA}, {1, 9, CODE_SITA_KYOU}, {9, 9, CODE_SITA_KYOU},
    {2, 9, CODE_SITA_KEI},  {8, 9, CODE_SITA_KEI}, {3, 9, CODE_SITA_GIN},  {7, 9, CODE_SITA_GIN},
    {4, 9, CODE_SITA_KIN},  {6, 9, CODE_SITA_KIN},
};

// Empties the squares of the pieces a handicap of `level` has taken away,
// on a board that holds the full set: the board the handicapped game
// started from.
inline void removeHandicapPieces(int board[10][10], int level) {
  for (int k = 1; k <= 10; ++k) {
    if (k <= level) board[HANDICAP_UPPER[k - 1].x][HANDICAP_UPPER[k - 1].y] = EMPTY;
    if (k <= -level) board[HANDICAP_LOWER[k - 1].x][HANDICAP_LOWER[k - 1].y] = EMPTY;
  }
}

} // namespace korvanu
