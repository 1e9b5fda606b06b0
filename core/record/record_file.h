// Record files (".棋譜"): CP932 text with CR LF, three header lines (the
// game's title, the upper player's name, the lower player's name) and one
// entry line per move, entry 1 first.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "state/game.h"

namespace korvanu {

inline constexpr const char* RECORD_EXTENSION = ".棋譜";
// Far more than any game; a larger file is no record of ours.
constexpr size_t MAX_RECORD_FILE_BYTES = 4 << 20;

// An open record file, line by line.
struct RecordLines {
  std::vector<std::optional<std::string>> lines; // decoded; empty where not CP932
  size_t next = 0;
};

// Reads the next line into `line` and answers ON; past the end it answers
// OFF and leaves `line` as it was. A line that is no CP932 text reads empty.
int 読込_棋譜ファイル(RecordLines& in, std::string& line);

struct RecordFile {
  std::string title, upperName, lowerName; // UTF-8
  std::vector<RecordEntry> entries;        // moves 1..N
};

// A file with fewer than three lines keeps the last header line read in the
// missing ones, as the game always has. Empty lines and blanks at the end of
// the file are ignored; any other entry line that is not a position is
// refused: `why` says why and `badLine` which line (1-based; 0 when the file
// itself could not be read).
std::optional<RecordFile> parseRecordFile(std::string_view bytes, std::string* why = nullptr,
                                          size_t* badLine = nullptr);
std::optional<RecordFile> readRecordFile(const std::string& path, std::string* why = nullptr,
                                         size_t* badLine = nullptr);

// The game's record, moves 1..RECORD_LAST, as a file: the names of the first
// (先手) and second (後手) player go to the upper and lower lines by the side
// the human plays.
RecordFile recordFileOf(const Game& g, const std::string& title, const std::string& first,
                        const std::string& second);

// The whole file or nothing: written beside `path` and renamed over it.
bool writeRecordFile(const std::string& path, const RecordFile& file);

} // namespace korvanu
