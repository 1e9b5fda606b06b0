#include "play/startup.h"

#include "platform/table.h"
#include "play/autosave.h"
#include "play/resume.h"
#include "play/setup.h"
#include "settings/options.h"
#include "settings/settings_file.h"
#include "sound/sound.h"

namespace korvanu {

void Form_Load(Table& g) {
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

void windowShown(Table& g) {
  startSounds(g);
  sayWhereTheLastGameWasKept(g);
  offerToContinue(g);
}

} // namespace korvanu
