#include "record/record_file.h"

#include <cstring>

#include "files/regular_file.h"
#include "files/text_file.h"
#include "record/entry_line.h"

namespace korvanu {

namespace {

std::optional<RecordFile> refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return std::nullopt;
}

constexpr size_t HEADER_LINES = 3;

// Editors leave empty lines and blanks at the end of a file; they hold no
// entry. Blanks anywhere else are still an entry line out of shape.
void dropTrailingBlanks(TextLines& lines) {
  while (lines.size() > HEADER_LINES && lines.back()) {
    std::string& last = *lines.back();
    const size_t end = last.find_last_not_of(" \t");
    if (end == std::string::npos) {
      lines.pop_back();
      continue;
    }
    last.erase(end + 1);
    return;
  }
}

} // namespace

int 読込_棋譜ファイル(RecordLines& in, std::string& line) {
  if (in.next >= in.lines.size()) return OFF;
  line = in.lines[in.next++].value_or("");
  return ON;
}

std::optional<RecordFile> parseRecordFile(std::string_view bytes, std::string* why,
                                          size_t* badLine) {
  if (badLine) *badLine = 0;
  TextLines lines = decodeLines(bytes);
  dropTrailingBlanks(lines);
  RecordLines in{std::move(lines)};
  RecordFile file;
  // Header lines are taken as they come; a missing one repeats the last read.
  std::string line;
  for (std::string* header : {&file.title, &file.upperName, &file.lowerName}) {
    読込_棋譜ファイル(in, line);
    *header = line;
  }
  while (読込_棋譜ファイル(in, line) == ON) {
    std::string reason;
    const bool text = in.lines[in.next - 1].has_value();
    const auto entry = text ? parseEntryLine(line, &reason) : std::nullopt;
    if (!entry) {
      if (!text) reason = "not CP932 text";
      if (badLine) *badLine = in.next;
      return refuse(why, "line " + std::to_string(in.next) + ": " + reason);
    }
    file.entries.push_back(*entry);
  }
  return file;
}

std::optional<RecordFile> readRecordFile(const std::string& path, std::string* why,
                                         size_t* badLine) {
  if (badLine) *badLine = 0;
  std::string bytes;
  if (const int error = readRegularFile(path, bytes, MAX_RECORD_FILE_BYTES + 1))
    return refuse(why, std::strerror(error));
  if (bytes.size() > MAX_RECORD_FILE_BYTES) return refuse(why, "file too large");
  return parseRecordFile(bytes, why, badLine);
}

RecordFile recordFileOf(const Game& g, const std::string& title, const std::string& first,
                        const std::string& second) {
  RecordFile file;
  file.title = title;
  // The upper player's name comes first.
  file.upperName = g.SIDE_MAN == TURN_SENTE ? second : first;
  file.lowerName = g.SIDE_MAN == TURN_SENTE ? first : second;
  for (int n = 1; n <= g.RECORD_LAST; ++n)
    file.entries.push_back(static_cast<size_t>(n) < g.REC.size() ? g.REC[static_cast<size_t>(n)]
                                                                 : RecordEntry{});
  return file;
}

bool writeRecordFile(const std::string& path, const RecordFile& file) {
  std::vector<std::string> lines{file.title, file.upperName, file.lowerName};
  for (const RecordEntry& e : file.entries) lines.push_back(formatEntryLine(e));
  return writeTextFile(path, lines);
}

} // namespace korvanu
