#include "state/game.h"

namespace korvanu {

bool isChecked(const Game& g, Menu item) { return g.MENU_CHECKED[static_cast<int>(item)]; }

} // namespace korvanu
