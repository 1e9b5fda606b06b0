#include "position_setup.h"

#include "computer/survey.h"
#include "rules/mate.h"

namespace korvanu {

void setUpPosition(Game& g, const RecordEntry& position, int level, bool drops) {
  g.COM_LEVEL = level;
  g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = drops;
  restorePosition(g, position);
  勢力調査(g);
  詰めかCOM(g);
}

} // namespace korvanu
