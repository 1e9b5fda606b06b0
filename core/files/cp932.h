// The code page of the game's text files (Shift-JIS as Windows writes it).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanu {

// Nothing when the text holds a character the other side cannot express.
std::optional<std::string> toCp932(std::string_view utf8);
std::optional<std::string> fromCp932(std::string_view cp932);

} // namespace korvanu
