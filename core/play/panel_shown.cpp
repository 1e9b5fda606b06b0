#include "play/panel_shown.h"

#include "platform/table.h"

namespace korvanu {

void 描画_可視(Table& g, bool drive, bool folder, bool files) {
  g.ui.showFileLists(drive, folder, files);
}

void 描画_棋譜_IO(Table& g, int mode) {
  if (mode == 0) {
    g.ui.showRecordFields(true);
    return;
  }
  g.ui.clearRecordFields();
  g.ui.showRecordFields(false);
}

void closeFilePanel(Table& g) {
  描画_可視(g, false, false, false);
  描画_棋譜_IO(g, 1);
}

} // namespace korvanu
