// The player's options: background picture, pieces in hand, move guidance,
// elapsed time and music, kept as the check marks of the option menu. Every
// change is written to the settings file.
#pragma once

#include "state/menu.h"

namespace korvanu {

struct Table;

// Checks the background item of `background` and unchecks the other four;
// an id that is no background leaves all five unchecked.
void チェック設定(Table& g, int background);

// The menu item of a background id; OPTION for an id that is no background.
Menu backgroundItem(int background);

// Puts the window at the top-left of the screen at its opening size, unless
// it is maximised.
void placeWindow(Table& g);

void MIDORI_Click(Table& g);
void TATAMI_Click(Table& g);
void TAKE_Click(Table& g);
void UCHU_Click(Table& g);
void RENGA_Click(Table& g);
void MOCHIKOMA_Click(Table& g);
void SIDOU_Click(Table& g);
void BGM_Click(Table& g);

} // namespace korvanu
