#include "play/hint.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/level4.h"
#include "play/messages.h"
#include "play/move_guide.h"
#include "play/opponent.h"
#include "rules/make_move.h"
#include "view/board_view.h"
#include "view/hint_view.h"

namespace korvanu {

namespace {

void hintChosen(Table& g, bool found, const Move& m) {
  if (!found) return eraseHintText(g.ui, g);
  // The upper hand is clicked by its screen row, its drops named by kind.
  g.HINT = {true, m.fx, m.fx == UPPER_HAND ? 8 - m.fy : m.fy, m.tx, m.ty};
  showHint(g.ui, g, m.code);
}

} // namespace

void HINT_Click(Table& g) {
  if (g.TURN == NO_GAME || g.RECORD_MODE == ON)
    return sayRefused(g, tr("「対局」で始めて下さい"), tr("ヒント"));
  const bool upper = g.TURN == g.SIDE_COM;
  if (!opponentOf(g).allowsHint(g)) return sayRefused(g, tr("できません"), tr("ヒント"));
  // A piece picked up is put back: the hint is for the board as it stands.
  g.SELECT_STATE = 0;
  描画_将棋盤桝(g.ui, g);
  showHintThinking(g.ui, g);
  g.ui.refresh();
  startThink(g, upper, hintChosen);
}

void clearHint(Table& g) {
  if (!g.HINT.shown) return;
  const HintMarks was = g.HINT;
  g.HINT.shown = false;
  eraseHint(g.ui, g, was);
}

} // namespace korvanu
