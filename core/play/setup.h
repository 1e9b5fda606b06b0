// A new game on the board, and the window's start-up order.
#pragma once

namespace korvanu {

struct Game;

// Puts the starting position on the board with empty hands and no game
// running, redraws the window and stores the position as move 0.
void 初期設定(Game& g);

// Everything the window does to draw its first picture, in order; the
// rest follows with windowShown once it is on screen.
void Form_Load(Game& g);

// The sounds (startSounds), then word of a game the last run kept aside and
// the offer to go on with it (resume.h).
void windowShown(Game& g);

// Keeps an unsaved record (autosave.h), frees the sounds and ends the
// program; nothing more is handled.
void endProgram(Game& g);

} // namespace korvanu
