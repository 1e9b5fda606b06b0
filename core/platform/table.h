// The game at its table: the game's state joined to the window it is played
// in. What acts on the game through the window (the play layer, the options,
// the sounds) takes a Table; what only reads or rules takes the Game or a
// part of it, and the view takes the Canvas it draws on.
#pragma once

#include "platform/platform.h"
#include "state/game.h"

namespace korvanu {

struct Table : Game {
  explicit Table(Platform& platform) : ui(platform) {}

  Platform& ui;
};

// Checks or clears a menu item: the game's option and the window's mark.
void setChecked(Table& t, Menu item, bool checked);

} // namespace korvanu
