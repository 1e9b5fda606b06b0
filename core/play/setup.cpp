#include "play/setup.h"

#include "play/autosave.h"
#include "play/clock.h"
#include "play/keyboard.h"
#include "play/level4.h"
#include "play/record_list.h"
#include "play/resume.h"
#include "rules/record.h"
#include "settings/options.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "state/game.h"
#include "state/new_game.h"
#include "view/board_view.h"

namespace korvanu {

void 初期設定(Game& g) {
  // A think for the game before is of no use to this one.
  stopThink(g);
  // With no game left to play, ← and → step the record again.
  putCursorAway(g);
  setTimer1(g, false);
  newGame(g);
  画面_再描画(g);
  手順保存(g, g.MAN_TIME, g.MAN_TIME, g.COM_TIME, g.COM_TIME);
  updateMoveList(g);
}

void Form_Load(Game& g) {
  // The sounds come once the window shows (startSounds); until then every
  // sound id is 0 and plays nothing, the music included.
  g.RECORD_MODE = OFF;
  g.GUIDE_ON = OFF;
  g.RECORD_LAST = 0;
  g.COM_LEVEL = 3;
  setChecked(g, Menu::LEVEL3, true);

  g.SIDE_COM = TURN_SENTE;
  g.SIDE_MAN = TURN_GOTE;
  g.ui.fillSurface(COLOR_BOARD);

  読込_環境設定ファイル(g);
  初期設定(g);
  placeWindow(g);
}

void windowShown(Game& g) {
  startSounds(g);
  sayWhereTheLastGameWasKept(g);
  offerToContinue(g);
}

void endProgram(Game& g) {
  stopThink(g);
  autosaveRecord(g);
  終了処理(g);
  g.QUITTING = true;
  g.ui.quit();
}

} // namespace korvanu
