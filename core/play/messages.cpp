#include "play/messages.h"

#include "sound/sound.h"
#include "state/game.h"

namespace korvanu {

void say(Game& g, const std::string& text, const char* title) {
  g.ui.messageBox(text, title, Buttons::Ok, Icon::None);
}

void sayRefused(Game& g, const std::string& text, const char* title) {
  playSound(g, g.SOUND_FORBIDDEN);
  say(g, text, title);
}

} // namespace korvanu
