#include "play/recorded_moves.h"

#include "platform/table.h"
#include "state/handicap_pieces.h"
#include "view/status_view.h"

namespace korvanu {

RecordEntry playedEntry(const Table& g, int n) {
  RecordEntry e = g.REC[static_cast<size_t>(n)];
  if (n == 0 && g.HANDICAP_SET == ON && g.REVERSED == OFF)
    removeHandicapPieces(e.BOARD, g.HANDICAP_LEVEL);
  return e;
}

int moverInto(const Table& g, int n) {
  const int toMove = (g.MOVE_NO - n) % 2 == 0 ? g.TURN : -g.TURN;
  return -toMove == g.SIDE_MAN ? -1 : -toMove == g.SIDE_COM ? 1 : 0;
}

std::optional<RecordedMove> moveInto(const Table& g, int n) {
  if (n <= 0 || n >= static_cast<int>(g.REC.size())) return std::nullopt;
  return moveBetween(playedEntry(g, n - 1), g.REC[static_cast<size_t>(n)], moverInto(g, n));
}

void showLastMoves(const Table& g) {
  // The sides take turns: the last two moves are one of each, the later one
  // written over the earlier should one side have made both.
  std::optional<RecordedMove> last[2]; // the lower side's, the upper side's
  for (int n = g.MOVE_NO - 1; n <= g.MOVE_NO; ++n)
    if (auto m = moveInto(g, n)) last[m->piece >= CODE_UE_HU] = m;
  const int sides[2] = {g.SIDE_MAN, g.SIDE_COM};
  for (int i = 0; i < 2; ++i)
    if (last[i])
      描画_移動結果(g.ui, g, sides[i], *last[i], COLOR_RESULT);
    else
      消去_移動結果(g.ui, g, sides[i]);
}

} // namespace korvanu
