#include "play/messages.h"

#include "platform/table.h"
#include "sound/sound.h"

namespace korvanu {

void say(Table& g, const std::string& text, const char* title) {
  g.ui.messageBox(text, title, Buttons::Ok, Icon::None);
}

void sayRefused(Table& g, const std::string& text, const char* title) {
  playSound(g, g.SOUND_FORBIDDEN);
  say(g, text, title);
}

} // namespace korvanu
