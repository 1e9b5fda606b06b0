#include "play/record_list.h"

#include <string>
#include <vector>

#include "language/translate.h"
#include "play/explosion_preview.h"
#include "play/file_panel.h"
#include "play/hint.h"
#include "play/navigation.h"
#include "play/opponent.h"
#include "play/recorded_moves.h"
#include "rules/record.h"
#include "state/game.h"
#include "view/notation.h"

namespace korvanu {

namespace {

void showList(Game& g) {
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

void KIFU_LIST_Click(Game& g) { showList(g); }

void updateMoveList(Game& g) {
  if (g.ui.moveListShown()) showList(g);
}

void moveListRowClicked(Game& g, int row) {
  if (g.QUITTING) return;
  // What a menu command puts away goes with a click here too.
  hideExplosionPreview(g);
  clearHint(g);
  closeFilePanel(g);
  if (!opponentOf(g).allowsChange(g, N_("棋譜一覧"))) return;
  stepTo(g, row);
}

} // namespace korvanu
