#include "play/setup.h"

#include "platform/table.h"
#include "play/autosave.h"
#include "play/clock.h"
#include "play/cursor.h"
#include "play/level4.h"
#include "play/record_list.h"
#include "rules/record.h"
#include "settings/options.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "state/new_game.h"
#include "view/board_view.h"

namespace korvanu {

void 初期設定(Table& g) {
  // A think for the game before is of no use to this one.
  stopThink(g);
  // With no game left to play, ← and → step the record again.
  putCursorAway(g);
  setTimer1(g, false);
  newGame(g);
  画面_再描画(g.ui, g);
  手順保存(g, g.MAN_TIME, g.MAN_TIME, g.COM_TIME, g.COM_TIME);
  updateMoveList(g);
}

void endProgram(Table& g) {
  stopThink(g);
  autosaveRecord(g);
  終了処理(g);
  g.QUITTING = true;
  g.ui.quit();
}

} // namespace korvanu
