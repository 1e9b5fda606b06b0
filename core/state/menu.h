// The window's menu bar: every item, its caption and place, and which items
// carry a check mark. The app builds its menus from this table; the game
// keeps the check marks and tells the window when one changes.
#pragma once

#include <span>
#include <string_view>

namespace korvanu {

enum class Menu {
  TAIKYOKU,
  MATCH_MAN,
  START,
  START2,
  SENTE,
  GOTE,
  LEVEL,
  LEVEL1,
  LEVEL2,
  LEVEL3,
  LEVEL4,
  NET,
  NET_HOST,
  NET_JOIN,
  RESIGN,
  OWARI,
  STOP,
  CANCEL,
  REVERSE,
  VIEW_TURN,
  MATTA,
  HINT,
  KIFU_LIST,
  REPLAY,
  AFTER,
  LBEL_UP,
  LEBEL_DOWN,
  KIFU,
  KIFU_READ,
  KIFU_WRITE,
  OPTION,
  HAIKEI_GA,
  MIDORI,
  TATAMI,
  TAKE,
  UCHU,
  RENGA,
  MOCHIKOMA,
  SIDOU,
  KEIKA,
  BGM,
  KEYS,
  LANGUAGE,
  LANG_JA,
  LANG_EN,
  LANG_DESKTOP,
  VER,
  COUNT
};

constexpr int MENU_COUNT = static_cast<int>(Menu::COUNT);

struct MenuItem {
  Menu id;
  std::string_view name;    // control name, e.g. "LEVEL1"
  std::string_view caption; // what the menu shows
  int depth;                // 0 = on the bar, 1 = in its menu, 2 = in a submenu
  bool checkable;
};

// Display order; an item's children follow it with a greater depth.
std::span<const MenuItem> menuItems();

const MenuItem& menuItem(Menu id);

// The key that chooses an item, as the menus show it ("Ctrl+O"); empty for
// items without one.
std::string_view menuShortcut(Menu id);

} // namespace korvanu
