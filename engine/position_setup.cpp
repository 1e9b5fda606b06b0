#include "position_setup.h"

#include <cstring>

#include "computer/survey.h"
#include "rules/mate.h"

namespace korvanu {

void setUpPosition(Game& g, const RecordEntry& position, int level, bool drops) {
  g.QUIET = true;
  g.COM_LEVEL = level;
  g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = drops;
  std::memcpy(g.BOARD, position.BOARD, sizeof g.BOARD);
  g.HAND_SITA_TOTAL = g.HAND_UE_TOTAL = 0;
  for (int k = 1; k <= 7; ++k) {
    g.HAND_SITA[k] = position.HAND_SITA[k];
    g.HAND_UE[k] = position.HAND_UE[k];
    g.HAND_SITA_TOTAL += position.HAND_SITA[k];
    g.HAND_UE_TOTAL += position.HAND_UE[k];
  }
  勢力調査(g);
  詰めかCOM(g);
}

RecordEntry positionOf(const Game& g) {
  RecordEntry e;
  std::memcpy(e.BOARD, g.BOARD, sizeof e.BOARD);
  std::memcpy(e.HAND_SITA, g.HAND_SITA, sizeof e.HAND_SITA);
  std::memcpy(e.HAND_UE, g.HAND_UE, sizeof e.HAND_UE);
  return e;
}

} // namespace korvanu
