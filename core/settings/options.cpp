#include "settings/options.h"

#include "platform/table.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
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

void chooseBackground(Table& g, int id) {
  // The window opens with 畳 checked but no background drawn, so the check
  // mark alone does not prove the picture is up.
  if (!isChecked(g, backgroundItem(id)) || g.BACKGROUND != id) {
    チェック設定(g, id);
    g.BACKGROUND = id;
  }
  書込_環境設定ファイル(g);
  画面_再描画(g.ui, g);
}

} // namespace

void チェック設定(Table& g, int background) {
  for (const BackgroundItem& b : BACKGROUND_ITEMS) setChecked(g, b.item, false);
  for (const BackgroundItem& b : BACKGROUND_ITEMS)
    if (b.id == background) setChecked(g, b.item, true);
}

Menu backgroundItem(int background) {
  for (const BackgroundItem& b : BACKGROUND_ITEMS)
    if (b.id == background) return b.item;
  return Menu::OPTION;
}

void placeWindow(Table& g) {
  if (g.ui.windowRect().top == MAXIMISED_TOP) return;
  g.ui.setWindowRect({0, 0, WINDOW_WIDTH_TWIPS, WINDOW_HEIGHT_TWIPS});
}

void MIDORI_Click(Table& g) { chooseBackground(g, BG_MIDORI); }
void TATAMI_Click(Table& g) { chooseBackground(g, BG_TATAMI); }
void TAKE_Click(Table& g) { chooseBackground(g, BG_TAKE); }
void UCHU_Click(Table& g) { chooseBackground(g, BG_UCHU); }
void RENGA_Click(Table& g) { chooseBackground(g, BG_RENGA); }

void MOCHIKOMA_Click(Table& g) {
  setChecked(g, Menu::MOCHIKOMA, !isChecked(g, Menu::MOCHIKOMA));
  画面_再描画(g.ui, g);
  書込_環境設定ファイル(g);
}

void SIDOU_Click(Table& g) {
  if (isChecked(g, Menu::SIDOU)) {
    // Wipe every highlight guidance may have left on the board and the stands.
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) 描画_桝輪郭(g.ui, g, COLOR_GRID, x, y);
    for (int y = 1; y <= 7; ++y) 描画_桝輪郭(g.ui, g, COLOR_GRID, -1, y);
    for (int y = 3; y <= 9; ++y) 描画_桝輪郭(g.ui, g, COLOR_GRID, 11, y);
    setChecked(g, Menu::SIDOU, false);
    g.GUIDE_ON = OFF;
    g.COLOR_GUIDE = COLOR_GRID;
  } else {
    setChecked(g, Menu::SIDOU, true);
    g.GUIDE_ON = ON;
    g.COLOR_GUIDE = COLOR_WHITE;
  }
  書込_環境設定ファイル(g);
}

void BGM_Click(Table& g) {
  if (isChecked(g, Menu::BGM)) {
    setChecked(g, Menu::BGM, false);
    stopSound(g, g.SOUND_BGM);
  } else {
    setChecked(g, Menu::BGM, true);
    loopSound(g, g.SOUND_BGM);
  }
  書込_環境設定ファイル(g);
}

} // namespace korvanu
