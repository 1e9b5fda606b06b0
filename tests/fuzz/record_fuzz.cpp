// Feeds arbitrary bytes to the record file reader and the SFEN line reader:
// whatever comes in, each answers a position or a refusal that says why, and
// never reads out of bounds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/entry_line.h"
#include "record/record_file.h"
#include "record/sfen.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string why;
  size_t bad = 0;
  if (const auto file = korvanu::parseRecordFile(bytes, &why, &bad)) {
    // What was read writes back as lines that read again the same.
    for (const korvanu::RecordEntry& e : file->entries) {
      const std::string line = korvanu::formatEntryLine(e);
      const auto again = korvanu::parseEntryLine(line);
      if (!again || korvanu::formatEntryLine(*again) != line) __builtin_trap();
    }
  } else if (why.empty()) {
    __builtin_trap(); // a refusal always says why
  }
  korvanu::parseEntryLine(bytes);
  korvanu::Refusal reason;
  if (const auto read = korvanu::parseSfen(bytes, &reason)) {
    const std::string line =
        korvanu::formatSfen(read->position, read->upperToMove, read->moveNumber);
    const auto again = korvanu::parseSfen(line);
    if (!again || again->position != read->position) __builtin_trap();
  } else if (!reason.text) {
    __builtin_trap();
  }
  return 0;
}
