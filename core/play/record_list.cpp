#include "play/record_list.h"

#include <string>
#include <vector>

#include "platform/table.h"
#include "play/recorded_moves.h"
#include "rules/record.h"
#include "view/notation.h"

namespace korvanu {

namespace {

void showList(Table& g) {
  const int last = lastShownEntry(g);
  std::vector<std::string> rows{startRow()};
  for (int n = 1; n <= last; ++n) {
    const auto move = moveInto(g, n);
    const int side = move && move->piece >= CODE_UE_HU ? g.SIDE_COM : g.SIDE_MAN;
    rows.push_back(moveRow(n, move, side == TURN_SENTE));
  }
  g.ui.showMoveList(rows, g.MOVE_NO <= last ? g.MOVE_NO : -1);
}

} // namespace

void KIFU_LIST_Click(Table& g) { showList(g); }

void updateMoveList(Table& g) {
  if (g.ui.moveListShown()) showList(g);
}

} // namespace korvanu
