// The file panel's parts shown and hidden: what nearly every command does
// first, so it stands apart from what the panel loads and saves.
#pragma once

namespace korvanu {

struct Table;

// Shows or hides the drive, folder and file lists.
void 描画_可視(Table& g, bool drive, bool folder, bool files);
// 0 shows the text fields, their labels and the button; anything else empties
// the fields and hides them all.
void 描画_棋譜_IO(Table& g, int mode);
// Hides the lists and empties and hides the fields and their button.
void closeFilePanel(Table& g);

} // namespace korvanu
