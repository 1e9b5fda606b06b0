#include "play/panel_shown.h"

#include "state/game.h"

namespace korvanu {

void 描画_可視(Game& g, bool drive, bool folder, bool files) {
  g.ui.showFileLists(drive, folder, files);
}

void 描画_棋譜_IO(Game& g, int mode) {
  if (mode == 0) {
    g.ui.showRecordFields(true);
    return;
  }
  g.ui.clearRecordFields();
  g.ui.showRecordFields(false);
}

void closeFilePanel(Game& g) {
  描画_可視(g, false, false, false);
  描画_棋譜_IO(g, 1);
}

} // namespace korvanu
