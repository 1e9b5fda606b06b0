#include "rules/move_list.h"

#include "rules/legality.h"
#include "rules/moves.h"
#include "state/game.h"

namespace korvanu {

std::vector<Move> playableMoves(Game& g, bool upper) {
  std::vector<Move> out;
  auto consider = [&](int fx, int fy, int tx, int ty, int code) {
    if (isPlayableMove(g, fx, fy, tx, ty, code)) out.push_back({fx, fy, tx, ty, code});
  };
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int c = g.BOARD[fx][fy];
      if (upper ? !isUe(c) : !isSita(c)) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
          consider(fx, fy, tx, ty, c);
          consider(fx, fy, tx, ty, upper ? c + 1 : c - 1);
        }
    }
  for (int k = HU; k <= SYA; ++k)
    for (int tx = 1; tx <= 9; ++tx)
      for (int ty = 1; ty <= 9; ++ty)
        consider(upper ? -1 : 11, upper ? k : k + 2, tx, ty, (upper ? 10 : -10) * k);
  return out;
}

} // namespace korvanu
