// The player's options: background picture, pieces in hand, move guidance,
// elapsed time and music, kept as the check marks of the option menu. Every
// change is written to the settings file.
#pragma once

#include "state/menu.h"

namespace korvanu {

struct Game;

// Checks the background item of `background` and unchecks the other four;
// an id that is no background leaves all five unchecked.
void チェック設定(Game& g, int background);

// The menu item of a background id; OPTION for an id that is no background.
Menu backgroundItem(int background);

// Puts the window at the top-left of the screen at its opening size, unless
// it is maximised.
void placeWindow(Game& g);

void MIDORI_Click(Game& g);
void TATAMI_Click(Game& g);
void TAKE_Click(Game& g);
void UCHU_Click(Game& g);
void RENGA_Click(Game& g);
void MOCHIKOMA_Click(Game& g);
void SIDOU_Click(Game& g);
void BGM_Click(Game& g);

} // namespace korvanu
