// One position of the record as a fixed-width text line: 81 board fields of
// three characters (columns outer, rows inner), 14 one-character hand counts
// (for each kind the lower hand, then the upper), and four clock totals of
// five characters.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "state/game.h"

namespace korvanu {

constexpr size_t ENTRY_BOARD_CHARS = 81 * 3;
constexpr size_t ENTRY_LINE_NO_CLOCKS = ENTRY_BOARD_CHARS + 14;
constexpr size_t ENTRY_LINE_CHARS = ENTRY_LINE_NO_CLOCKS + 4 * 5;

// A count of ten or more still takes one character: 10 is "A", 11 "B" and so
// on, so the line keeps its length while counts below ten read as always.
char handCountChar(int count);

// Clock totals are written in whole seconds, held within their five characters.
std::string formatEntryLine(const RecordEntry& e);

// The line must hold board and hands (257 characters) and may hold the
// clocks (277). Impossible codes, counts or piece numbers, and boards no game
// could leave (positionFault), are refused with a reason.
std::optional<RecordEntry> parseEntryLine(std::string_view line, std::string* why = nullptr);

} // namespace korvanu
