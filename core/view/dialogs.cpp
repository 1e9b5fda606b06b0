#include "view/dialogs.h"

#include <string>

#include "language/translate.h"
#include "platform/platform.h"

namespace korvanu {

void 描画_メッセージ(WindowPort& w, int reason) {
  const char* why = reason == 1   ? tr("棋譜ﾓｰﾄﾞではできません")
                    : reason == 2 ? tr("対局途中ではできません")
                    : reason == 3 ? tr("反転後ではできません")
                                  : "";
  w.messageBox(std::string(why) + tr("\n\n局面→最初にして下さい"), tr("ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"),
               Buttons::Ok, Icon::None);
}

} // namespace korvanu
