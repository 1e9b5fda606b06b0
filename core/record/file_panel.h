// The file panel: the drive, folder and file lists and the text fields with
// which records are loaded and saved.
#pragma once

namespace korvanu {

struct Game;

// Hides the lists and empties and hides the fields and their button.
void closeFilePanel(Game& g);

} // namespace korvanu
