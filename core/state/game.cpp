#include "state/game.h"

namespace korvanu {

bool isChecked(const Game& g, Menu item) { return g.MENU_CHECKED[static_cast<int>(item)]; }

void setChecked(Game& g, Menu item, bool checked) {
  g.MENU_CHECKED[static_cast<int>(item)] = checked;
  g.ui.setMenuChecked(item, checked);
}

} // namespace korvanu
