// A new game on the board, and the program's end (its start: play/startup.h).
#pragma once

namespace korvanu {

struct Table;

// Puts the starting position on the board with empty hands and no game
// running, redraws the window and stores the position as move 0.
void 初期設定(Table& g);

// Keeps an unsaved record (autosave.h), frees the sounds and ends the
// program; nothing more is handled.
void endProgram(Table& g);

} // namespace korvanu
