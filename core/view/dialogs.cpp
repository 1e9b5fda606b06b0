#include "view/dialogs.h"

#include <string>

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

} // namespace korvanu
