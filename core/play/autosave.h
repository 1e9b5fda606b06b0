// The record kept when the program ends, so that quitting loses no game.
#pragma once

#include <string>

namespace korvanu {

struct Game;

// "前回の対局.棋譜", in the records folder (the current directory when the
// game keeps no records folder): one file, each autosave replacing the last.
inline constexpr const char* AUTOSAVE_TITLE = "前回の対局";
std::string autosavePath(const Game& g);

// Writes the record there, whole or not at all, when it holds moves that are
// in no file yet and could be saved through the file panel (a turned or
// handicapped game cannot). Never asks anything: quitting stays instant, and
// a write that fails leaves the previous autosave as it was. True when
// written.
bool autosaveRecord(Game& g);

} // namespace korvanu
