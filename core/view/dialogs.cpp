#include "view/dialogs.h"

#include <string>

#include "record/file_panel.h"
#include "sound/sound.h"
#include "state/game.h"

namespace korvanu {

void 描画_メッセージ(const Game& g, int reason) {
  const char* why = reason == 1   ? "棋譜ﾓｰﾄﾞではできません"
                    : reason == 2 ? "対局途中ではできません"
                    : reason == 3 ? "反転後ではできません"
                                  : "";
  g.ui.messageBox(std::string(why) + "\n\n局面→最初にして下さい", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定", Buttons::Ok,
                  Icon::None);
}

void VER_Click(Game& g) {
  closeFilePanel(g);
  playSound(g, g.SOUND_OTHER);
  g.ui.messageBox("  Version 0.9\n\nQuillon 1999.1", "Korvanu", Buttons::Ok, Icon::None);
}

} // namespace korvanu
