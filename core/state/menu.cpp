#include "state/menu.h"

#include <array>

#include "language/translate.h"

namespace korvanu {

namespace {

using M = Menu;

constexpr std::array<MenuItem, MENU_COUNT> ITEMS{{
    {M::TAIKYOKU, "TAIKYOKU", N_("対局"), 0, false},
    {M::MATCH_MAN, "MATCH_MAN", N_("対局(人間)"), 1, false},
    {M::START, "START", N_("スタート"), 2, false},
    {M::START2, "START2", N_("対局(COM)"), 1, false},
    {M::SENTE, "SENTE", N_("先手"), 2, false},
    {M::GOTE, "GOTE", N_("後手"), 2, false},
    {M::LEVEL, "LEVEL", N_("COM対局ﾚﾍﾞﾙ"), 1, false},
    {M::LEVEL1, "LEVEL1", "LEVEL1", 2, true},
    {M::LEVEL2, "LEVEL2", "LEVEL2", 2, true},
    {M::LEVEL3, "LEVEL3", "LEVEL3", 2, true},
    {M::LEVEL4, "LEVEL4", "LEVEL4", 2, true},
    {M::NET, "NET", N_("対局(ネット)"), 1, false},
    {M::NET_HOST, "NET_HOST", N_("相手を待つ"), 2, false},
    {M::NET_JOIN, "NET_JOIN", N_("相手につなぐ"), 2, false},
    {M::RESIGN, "RESIGN", N_("投了"), 1, false},
    {M::OWARI, "OWARI", N_("終わり"), 1, false},
    {M::STOP, "STOP", N_("局面"), 0, false},
    {M::CANCEL, "CANCEL", N_("最初"), 1, false},
    {M::REVERSE, "REVERSE", N_("反転"), 1, false},
    {M::VIEW_TURN, "VIEW_TURN", N_("盤面回転"), 1, true},
    {M::MATTA, "MATTA", N_("待った"), 1, false},
    {M::HINT, "HINT", N_("ヒント"), 1, false},
    {M::KIFU_LIST, "KIFU_LIST", N_("棋譜一覧"), 1, false},
    {M::REPLAY, "REPLAY", N_("戻"), 0, false},
    {M::AFTER, "AFTER", N_("進"), 0, false},
    {M::LBEL_UP, "LBEL_UP", N_("△"), 0, false},
    {M::LEBEL_DOWN, "LEBEL_DOWN", N_("▽"), 0, false},
    {M::KIFU, "KIFU", N_("棋譜"), 0, false},
    {M::KIFU_READ, "KIFU_READ", N_("読込"), 1, false},
    {M::KIFU_WRITE, "KIFU_WRITE", N_("書込"), 1, false},
    {M::OPTION, "OPTION", N_("ｵﾌﾟｼｮﾝ"), 0, false},
    {M::HAIKEI_GA, "HAIKEI_GA", N_("背景画"), 1, false},
    {M::MIDORI, "MIDORI", N_("緑"), 2, true},
    {M::TATAMI, "TATAMI", N_("畳"), 2, true},
    {M::TAKE, "TAKE", N_("竹"), 2, true},
    {M::UCHU, "UCHU", N_("宇宙"), 2, true},
    {M::RENGA, "RENGA", N_("煉瓦"), 2, true},
    {M::MOCHIKOMA, "MOCHIKOMA", N_("持駒可"), 1, true},
    {M::SIDOU, "SIDOU", N_("移動指導"), 1, true},
    {M::KEIKA, "KEIKA", N_("経過時間"), 1, true},
    {M::BGM, "BGM", "BGM", 1, true},
    {M::KEYS, "KEYS", N_("キー操作"), 1, false},
    {M::LANGUAGE, "LANGUAGE", N_("言語"), 1, false},
    {M::LANG_JA, "LANG_JA", N_("日本語"), 2, true},
    {M::LANG_EN, "LANG_EN", "English", 2, true},
    {M::LANG_DESKTOP, "LANG_DESKTOP", N_("デスクトップの言語"), 2, true},
    {M::VER, "VER", N_("その他"), 0, false},
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
