#include "play/keys_help.h"

#include "language/translate.h"
#include "platform/table.h"
#include "sound/sound.h"

namespace korvanu {

// The bar menu an item sits under, or the item itself on the bar.
Menu barMenuOf(Menu item) {
  const auto items = menuItems();
  for (auto i = static_cast<size_t>(item) + 1; i-- > 0;)
    if (items[i].depth == 0) return items[i].id;
  return item;
}

std::string keysText() {
  std::string text = tr("← →：戻 ／ 進\n");
  for (const MenuItem& item : menuItems()) {
    const std::string_view keys = menuShortcut(item.id);
    if (keys.empty()) continue;
    const Menu bar = barMenuOf(item.id);
    text += std::string(keys) + tr("：");
    if (bar != item.id) text += tr(menuItem(bar).caption) + " → ";
    text += tr(item.caption) + "\n";
  }
  return text + tr("\n"
                   "Enter, Space, ↑, ↓：カーソルを出す\n"
                   "カーソルが出ている間は\n"
                   "　↑ ↓ ← →：カーソルを動かす\n"
                   "　Enter, Space：駒を取る・置く（左クリック）\n"
                   "　Shift+Enter：成って置く（右クリック）\n"
                   "　Ctrl+← →：戻 ／ 進\n"
                   "マウスを押すとカーソルは消えます\n"
                   "\n"
                   "Esc：終わり（棋譜の読込・書込では、その画面を閉じる）");
}

void KEYS_Click(Table& g) {
  playSound(g, g.SOUND_OTHER);
  g.ui.messageBox(keysText(), tr("キー操作"), Buttons::Ok, Icon::None);
}

} // namespace korvanu
