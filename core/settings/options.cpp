#include "settings/options.h"

#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

struct BackgroundItem {
  Menu item;
  int id;
};

constexpr BackgroundItem BACKGROUND_ITEMS[] = {
    {Menu::MIDORI, BG_MIDORI}, {Menu::TATAMI, BG_TATAMI}, {Menu::TAKE, BG_TAKE},
    {Menu::UCHU, BG_UCHU},     {Menu::RENGA, BG_RENGA},
};

// A maximised window's top edge sits here.
constexpr int MAXIMISED_TOP = -60;

void chooseBackground(Game& g, Menu item, int id) {
  if (!isChecked(g, item)) {
    チェック設定(g, id);
    g.BACKGROUND = id;
  }
  画面_再描画(g);
}

} // namespace

void チェック設定(Game& g, int background) {
  for (const BackgroundItem& b : BACKGROUND_ITEMS) setChecked(g, b.item, false);
  for (const BackgroundItem& b : BACKGROUND_ITEMS)
    if (b.id == background) setChecked(g, b.item, true);
}

void applyStartupOptions(Game& g) {
  チェック設定(g, BG_MIDORI);
  描画_背景(g, BG_MIDORI);
  g.BACKGROUND = BG_MIDORI;
  setChecked(g, Menu::MOCHIKOMA, false);
  setChecked(g, Menu::SIDOU, false);
  g.GUIDE_ON = OFF;
  g.COLOR_GUIDE = COLOR_GRID;
  setChecked(g, Menu::KEIKA, true);
  setChecked(g, Menu::BGM, true);
  loopSound(g, g.SOUND_BGM);
}

void placeWindow(Game& g) {
  if (g.ui.windowRect().top == MAXIMISED_TOP) return;
  g.ui.setWindowRect({0, 0, WINDOW_WIDTH_TWIPS, WINDOW_HEIGHT_TWIPS});
}

void MIDORI_Click(Game& g) { chooseBackground(g, Menu::MIDORI, BG_MIDORI); }
void TATAMI_Click(Game& g) { chooseBackground(g, Menu::TATAMI, BG_TATAMI); }
void TAKE_Click(Game& g) { chooseBackground(g, Menu::TAKE, BG_TAKE); }
void UCHU_Click(Game& g) { chooseBackground(g, Menu::UCHU, BG_UCHU); }
void RENGA_Click(Game& g) { chooseBackground(g, Menu::RENGA, BG_RENGA); }

void MOCHIKOMA_Click(Game& g) {
  setChecked(g, Menu::MOCHIKOMA, !isChecked(g, Menu::MOCHIKOMA));
  画面_再描画(g);
}

} // namespace korvanu
