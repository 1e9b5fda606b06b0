// Menu commands, and clicks on the move list's rows, as the window hands them
// to the game.
#pragma once

#include "state/menu.h"

namespace korvanu {

struct Table;

// Runs the click handler of a menu item; opening a menu on the bar counts as
// a click on it.
void onMenu(Table& g, Menu item);

void OWARI_Click(Table& g);
void Form_KeyPress(Table& g, int keyAscii);
// Row n of the list was clicked: entry n is shown, stepped to as 戻 and 進
// step (a picked-up piece is let go). Forward needs a game, as 進 does.
void moveListRowClicked(Table& g, int row);
// Closing the window; a network game asks first, and the window stays open
// (QUITTING not set) when the player says no.
void Form_Unload(Table& g);
// "その他": the about box.
void VER_Click(Table& g);

} // namespace korvanu
