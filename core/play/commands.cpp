#include "play/commands.h"
#include "play/panel_shown.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/explosion_preview.h"
#include "play/file_panel.h"
#include "play/game_modes.h"
#include "play/handicap.h"
#include "play/hint.h"
#include "play/keys_help.h"
#include "play/navigation.h"
#include "play/net_game.h"
#include "play/opponent.h"
#include "play/record_list.h"
#include "play/resign.h"
#include "play/setup.h"
#include "play/take_back.h"
#include "play/view_turn.h"
#include "settings/language_option.h"
#include "settings/options.h"
#include "sound/sound.h"
#include "view/dialogs.h"

namespace korvanu {

void OWARI_Click(Table& g) {
  if (quitAllowed(g)) endProgram(g);
}

void Form_KeyPress(Table& g, int keyAscii) {
  if (keyAscii == KEY_ESCAPE) OWARI_Click(g);
}

void Form_Unload(Table& g) {
  if (quitAllowed(g)) endProgram(g);
}

void VER_Click(Table& g) {
  closeFilePanel(g);
  playSound(g, g.SOUND_OTHER);
  g.ui.messageBox(tr("  Version 0.9\n\nQuillon 1999.1"), "Korvanu", Buttons::Ok, Icon::None);
}

namespace {

// What would step, turn, reload or restart the record, or change the terms
// the two players agreed: the opponent of the moment may refuse it (the peer
// does, and nothing acts while the computer thinks); the rest only looks and
// stays allowed.
bool changesNetGame(Menu item) {
  switch (item) {
  case Menu::REPLAY:
  case Menu::AFTER:
  case Menu::CANCEL:
  case Menu::REVERSE:
  case Menu::KIFU_READ:
  case Menu::START:
  case Menu::SENTE:
  case Menu::GOTE:
  case Menu::LBEL_UP:
  case Menu::LEBEL_DOWN:
  case Menu::MOCHIKOMA: return true;
  default: return false;
  }
}

} // namespace

void onMenu(Table& g, Menu item) {
  hideExplosionPreview(g);
  clearHint(g);
  if (changesNetGame(item) && !opponentOf(g).allowsChange(g, menuItem(item).caption.data())) return;
  switch (item) {
  case Menu::TAIKYOKU: TAIKYOKU_Click(g); break;
  case Menu::STOP: STOP_Click(g); break;
  case Menu::OPTION: OPTION_Click(g); break;
  case Menu::START: START_Click(g); break;
  case Menu::SENTE: SENTE_Click(g); break;
  case Menu::GOTE: GOTE_Click(g); break;
  case Menu::LEVEL1: LEVEL1_Click(g); break;
  case Menu::LEVEL2: LEVEL2_Click(g); break;
  case Menu::LEVEL3: LEVEL3_Click(g); break;
  case Menu::LEVEL4: LEVEL4_Click(g); break;
  case Menu::NET_HOST: NET_HOST_Click(g); break;
  case Menu::NET_JOIN: NET_JOIN_Click(g); break;
  case Menu::RESIGN: RESIGN_Click(g); break;
  case Menu::OWARI: OWARI_Click(g); break;
  case Menu::KIFU_READ: KIFU_READ_Click(g); break;
  case Menu::KIFU_WRITE: KIFU_WRITE_Click(g); break;
  case Menu::CANCEL: CANCEL_Click(g); break;
  case Menu::REVERSE: REVERSE_Click(g); break;
  case Menu::VIEW_TURN: VIEW_TURN_Click(g); break;
  case Menu::MATTA: MATTA_Click(g); break;
  case Menu::HINT: HINT_Click(g); break;
  case Menu::KIFU_LIST: KIFU_LIST_Click(g); break;
  case Menu::REPLAY: REPLAY_Click(g); break;
  case Menu::AFTER: AFTER_Click(g); break;
  case Menu::LBEL_UP: LBEL_UP_Click(g); break;
  case Menu::LEBEL_DOWN: LEBEL_DOWN_Click(g); break;
  case Menu::MIDORI: MIDORI_Click(g); break;
  case Menu::TATAMI: TATAMI_Click(g); break;
  case Menu::TAKE: TAKE_Click(g); break;
  case Menu::UCHU: UCHU_Click(g); break;
  case Menu::RENGA: RENGA_Click(g); break;
  case Menu::MOCHIKOMA: MOCHIKOMA_Click(g); break;
  case Menu::SIDOU: SIDOU_Click(g); break;
  case Menu::KEIKA: KEIKA_Click(g); break;
  case Menu::BGM: BGM_Click(g); break;
  case Menu::KEYS: KEYS_Click(g); break;
  case Menu::LANG_JA:
  case Menu::LANG_EN:
  case Menu::LANG_DESKTOP:
    chooseLanguage(g, item);
    updateMoveList(g); // its rows are written in the language too
    break;
  case Menu::VER: VER_Click(g); break;
  default: break;
  }
}

void moveListRowClicked(Table& g, int row) {
  if (g.QUITTING) return;
  // What a menu command puts away goes with a click here too.
  hideExplosionPreview(g);
  clearHint(g);
  closeFilePanel(g);
  if (!opponentOf(g).allowsChange(g, N_("棋譜一覧"))) return;
  stepTo(g, row);
}

} // namespace korvanu
