// Menu commands and keys as the window hands them to the game.
#pragma once

#include "state/menu.h"

namespace korvanu {

struct Game;

// Runs the click handler of a menu item; opening a menu on the bar counts as
// a click on it.
void onMenu(Game& g, Menu item);

void OWARI_Click(Game& g);
void Form_KeyPress(Game& g, int keyAscii);
// Closing the window; a network game asks first, and the window stays open
// (QUITTING not set) when the player says no.
void Form_Unload(Game& g);
// "その他": the about box.
void VER_Click(Game& g);

} // namespace korvanu
