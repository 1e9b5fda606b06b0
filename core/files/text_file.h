// The game's text files: CP932, every line ended by CR LF, read and written
// whole.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvanu {

// Lines as UTF-8; a line that is no CP932 text is left empty-handed, so it
// matches nothing.
using TextLines = std::vector<std::optional<std::string>>;

// Nothing when a line holds a character CP932 lacks.
std::optional<std::string> encodeLines(const std::vector<std::string>& lines);
// CR LF ends a line, and so do a lone CR or LF; a last line needs no end.
TextLines decodeLines(std::string_view bytes);

// Nothing when the file cannot be opened or read, or is no regular file
// (files/regular_file.h). Bytes past `maxBytes` are not read.
std::optional<TextLines> readTextFile(const std::string& path, size_t maxBytes = 1 << 20);

// Writes the lines to a new file beside `path` ("path.PID.tmp") and renames
// it over `path`, so the file is either the old one or the new one whole,
// never half written. Such files left by writes that died are removed first.
// A file marked read-only is not replaced. False when anything failed; the
// old file is then untouched.
bool writeTextFile(const std::string& path, const std::vector<std::string>& lines);
// The same for bytes as they are.
bool writeWholeFile(const std::string& path, std::string_view bytes);

} // namespace korvanu
