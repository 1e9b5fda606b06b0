#include "play/cursor.h"

#include "state/game.h"
#include "view/cursor_view.h"

namespace korvanu {

void putCursorAway(Game& g) {
  if (!g.CURSOR_SHOWN) return;
  g.CURSOR_SHOWN = false;
  eraseCursor(g);
}

} // namespace korvanu
