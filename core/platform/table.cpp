#include "platform/table.h"

namespace korvanu {

void setChecked(Table& t, Menu item, bool checked) {
  t.MENU_CHECKED[static_cast<int>(item)] = checked;
  t.ui.setMenuChecked(item, checked);
}

} // namespace korvanu
