// The file panel (its showing and hiding: play/panel_shown.h): the drive, folder and file lists and
// the text fields with which records are loaded and saved; and the record's title and names shown
// on the window after loading.
#pragma once

#include <optional>
#include <string>

#include "record/record_file.h"

namespace korvanu {

struct Table;

// Paints over a loaded record's title and player names.
void 描画_棋譜読込み部分消去(Table& g);

// "読込": the three lists, to choose a record.
void KIFU_READ_Click(Table& g);
// "書込": the folder lists and the fields, unless the board was turned or
// handicapped.
void KIFU_WRITE_Click(Table& g);
// A drive (a mounted volume's folder) was chosen.
void Drive1_Change(Table& g, const std::string& drive);
// The folder list moved to another folder.
void Dir1_Change(Table& g);
// "RETURN": saves the record as the file named in field 1. A title or name
// that a CP932 file cannot hold is named to the player and nothing is written;
// a file already there is replaced only after the player agrees.
void Command1_Click(Table& g);
// A record chosen in the file list is loaded for stepping through.
void File1_Click(Table& g, const std::string& fileName);
// What 読込 does with a chosen record: the file at `path` put up at its first
// position for stepping through, its title and names shown, the sides taken
// from its first move. Nothing changes when it cannot be read (the player is
// told why).
std::optional<RecordFile> loadRecord(Table& g, const std::string& path);

// The label beside text field 1 (file name), 2 (title), 3 (first player) or
// 4 (second player).
const char* recordFieldLabel(int field);

// Where a text of that many characters starts so as to stand centred.
double 取得_棋譜のX座標(const std::string& text);

} // namespace korvanu
