#include "record/file_panel.h"

#include "state/game.h"
#include "view/board_view.h"
#include "view/status_view.h"

namespace korvanu {

void 描画_可視(Game& g, bool drive, bool folder, bool files) { g.ui.showFileLists(drive, folder, files); }

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

void 描画_棋譜読込み部分消去(Game& g) {
  // The column numbers above the board cover the upper player's name.
  描画_桝_数値(g);
  描画_絵(g, g.BACKGROUND, -1, 10);
  描画_絵(g, g.BACKGROUND, 0, 10);
  for (int x = 1; x <= 9; ++x) {
    描画_絵(g, g.BACKGROUND, x, 10);
    描画_桝輪郭(g, COLOR_BOARD, x, 9);
  }
}

} // namespace korvanu
