#include "position_setup.h"

#include "computer/survey.h"
#include "rules/mate.h"

namespace korvanu {

void setUpPosition(ComputerBoard& g, const RecordEntry& position, int level) {
  g.COM_LEVEL = level;
  restorePosition(g, position);
  afterMove(g, false);
}

void afterMove(ComputerBoard& g, bool upperMoved) {
  勢力調査(g);
  // With a king gone the game ends before any mate test, which would look at
  // the square the king no longer stands on.
  if (winnerOf(g) != Winner::None) return;
  if (upperMoved)
    詰めかMAN(g);
  else
    詰めかCOM(g);
}

} // namespace korvanu
