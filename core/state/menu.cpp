#include "state/menu.h"

#include <array>

namespace korvanu {

namespace {

using M = Menu;

constexpr std::array<MenuItem, MENU_COUNT> ITEMS{{
    {M::TAIKYOKU, "TAIKYOKU", "対局", 0, false},
    {M::MATCH_MAN, "MATCH_MAN", "対局(人間)", 1, false},
    {M::START, "START", "スタート", 2, false},
    {M::START2, "START2", "対局(COM)", 1, false},
    {M::SENTE, "SENTE", "先手", 2, false},
    {M::GOTE, "GOTE", "後手", 2, false},
    {M::LEVEL, "LEVEL", "COM対局ﾚﾍﾞﾙ", 1, false},
    {M::LEVEL1, "LEVEL1", "LEVEL1", 2, true},
    {M::LEVEL2, "LEVEL2", "LEVEL2", 2, true},
    {M::LEVEL3, "LEVEL3", "LEVEL3", 2, true},
    {M::LEVEL4, "LEVEL4", "LEVEL4", 2, true},
    {M::RESIGN, "RESIGN", "投了", 1, false},
    {M::OWARI, "OWARI", "終わり", 1, false},
    {M::STOP, "STOP", "局面", 0, false},
    {M::CANCEL, "CANCEL", "最初", 1, false},
    {M::REVERSE, "REVERSE", "反転", 1, false},
    {M::VIEW_TURN, "VIEW_TURN", "盤面回転", 1, true},
    {M::MATTA, "MATTA", "待った", 1, false},
    {M::HINT, "HINT", "ヒント", 1, false},
    {M::KIFU_LIST, "KIFU_LIST", "棋譜一覧", 1, false},
    {M::REPLAY, "REPLAY", "戻", 0, false},
    {M::AFTER, "AFTER", "進", 0, false},
    {M::LBEL_UP, "LBEL_UP", "△", 0, false},
    {M::LEBEL_DOWN, "LEBEL_DOWN", "▽", 0, false},
    {M::KIFU, "KIFU", "棋譜", 0, false},
    {M::KIFU_READ, "KIFU_READ", "読込", 1, false},
    {M::KIFU_WRITE, "KIFU_WRITE", "書込", 1, false},
    {M::OPTION, "OPTION", "ｵﾌﾟｼｮﾝ", 0, false},
    {M::HAIKEI_GA, "HAIKEI_GA", "背景画", 1, false},
    {M::MIDORI, "MIDORI", "緑", 2, true},
    {M::TATAMI, "TATAMI", "畳", 2, true},
    {M::TAKE, "TAKE", "竹", 2, true},
    {M::UCHU, "UCHU", "宇宙", 2, true},
    {M::RENGA, "RENGA", "煉瓦", 2, true},
    {M::MOCHIKOMA, "MOCHIKOMA", "持駒可", 1, true},
    {M::SIDOU, "SIDOU", "移動指導", 1, true},
    {M::KEIKA, "KEIKA", "経過時間", 1, true},
    {M::BGM, "BGM", "BGM", 1, true},
    {M::KEYS, "KEYS", "キー操作", 1, false},
    {M::VER, "VER", "その他", 0, false},
}};

constexpr bool inEnumOrder() {
  for (int i = 0; i < MENU_COUNT; ++i)
    if (static_cast<int>(ITEMS[i].id) != i) return false;
  return true;
}
static_assert(inEnumOrder(), "menu table must follow the Menu enum");

// The few items a key chooses; the rest have none.
struct MenuKey {
  Menu id;
  std::string_view keys;
};

constexpr MenuKey SHORTCUTS[] = {
    {M::CANCEL, "Home"}, {M::VIEW_TURN, "F"},      {M::MATTA, "Ctrl+Z"},      {M::HINT, "H"},
    {M::KIFU_LIST, "L"}, {M::KIFU_READ, "Ctrl+O"}, {M::KIFU_WRITE, "Ctrl+S"},
};

} // namespace

std::span<const MenuItem> menuItems() { return ITEMS; }

const MenuItem& menuItem(Menu id) { return ITEMS[static_cast<int>(id)]; }

std::string_view menuShortcut(Menu id) {
  for (const MenuKey& k : SHORTCUTS)
    if (k.id == id) return k.keys;
  return {};
}

} // namespace korvanu
