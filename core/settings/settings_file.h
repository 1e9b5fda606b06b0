// The options as they last from run to run: five lines of "Korvanu.ini" in
// the game folder or the player's configuration folder (files/paths.h), read
// once at start-up and written after every change.
#pragma once

#include <string>

#include "files/paths.h" // SETTINGS_FILE

namespace korvanu {

struct Table;

// Where the file is read and written (the game's locations): every use goes
// through here.
const std::string& settingsPath(const Table& g);

// Applies the file line by line. A missing, short or unreadable file is
// replaced by the defaults, which are applied over whatever was read; a line
// with other text counts as "OFF", and on the first line leaves the menu as
// the window has it while the plain green stands in for the background.
void 読込_環境設定ファイル(Table& g);

// Writes what the option menu shows. A file that cannot be written leaves the
// options as they are; the player hears of it once per run.
void 書込_環境設定ファイル(Table& g);

// Green background, no pieces in hand, no guidance, the clocks shown and the
// music playing; written to the file and applied.
void WriteDefaultSettings(Table& g);

} // namespace korvanu
