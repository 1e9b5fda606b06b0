#include "play/commands.h"

#include "play/clock.h"
#include "settings/options.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/dialogs.h"

namespace korvanu {

namespace {

void leaveProgram(Game& g) {
  終了処理(g);
  g.ui.quit();
}

} // namespace

void OWARI_Click(Game& g) { leaveProgram(g); }

void Form_KeyPress(Game& g, int keyAscii) {
  if (keyAscii == KEY_ESCAPE) leaveProgram(g);
}

void Form_Unload(Game& g) { leaveProgram(g); }

void onMenu(Game& g, Menu item) {
  switch (item) {
  case Menu::OWARI: OWARI_Click(g); break;
  case Menu::MIDORI: MIDORI_Click(g); break;
  case Menu::TATAMI: TATAMI_Click(g); break;
  case Menu::TAKE: TAKE_Click(g); break;
  case Menu::UCHU: UCHU_Click(g); break;
  case Menu::RENGA: RENGA_Click(g); break;
  case Menu::MOCHIKOMA: MOCHIKOMA_Click(g); break;
  case Menu::SIDOU: SIDOU_Click(g); break;
  case Menu::KEIKA: KEIKA_Click(g); break;
  case Menu::BGM: BGM_Click(g); break;
  case Menu::VER: VER_Click(g); break;
  default: break;
  }
}

} // namespace korvanu
