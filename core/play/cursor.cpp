#include "play/cursor.h"

#include "platform/table.h"
#include "view/cursor_view.h"

namespace korvanu {

void putCursorAway(Table& g) {
  if (!g.CURSOR_SHOWN) return;
  g.CURSOR_SHOWN = false;
  eraseCursor(g.ui);
}

} // namespace korvanu
