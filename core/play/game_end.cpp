#include "play/game_end.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/autosave.h"
#include "play/opponent.h"
#include "play/setup.h"
#include "view/marks_view.h"

namespace korvanu {

void 終了(Table& g, const std::string& name) {
  // The game is over before anything is said: the peer hears of it, and the
  // game is kept as finished, so that neither box can lose it.
  opponentOf(g).gameEnded(g);
  g.RECORD_ENDED = true;
  g.RECORD_UNSAVED = true;
  autosaveRecord(g);
  // Nobody is to move any more; the last move stays marked.
  eraseTurnMarker(g.ui, g);
  g.ui.messageBox(trFill("%sの勝ちです", tr(name)), tr("終了"), Buttons::Ok, Icon::None);
  if (g.ui.messageBox(tr("続けますか？"), tr("再ゲーム"), Buttons::YesNo, Icon::None) ==
      Answer::Yes) {
    初期設定(g);
  } else {
    endProgram(g);
  }
}

} // namespace korvanu
