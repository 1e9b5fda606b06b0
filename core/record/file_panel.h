// The file panel: the drive, folder and file lists and the text fields with
// which records are loaded and saved; and the record's title and names shown
// on the window after loading.
#pragma once

namespace korvanu {

struct Game;

// Shows or hides the drive, folder and file lists.
void 描画_可視(Game& g, bool drive, bool folder, bool files);
// 0 shows the text fields, their labels and the button; anything else empties
// the fields and hides them all.
void 描画_棋譜_IO(Game& g, int mode);
// Hides the lists and empties and hides the fields and their button.
void closeFilePanel(Game& g);
// Paints over a loaded record's title and player names.
void 描画_棋譜読込み部分消去(Game& g);

} // namespace korvanu
