// Writes the manual page from its template, the KEYS section made from the
// game's own list of keys (ｵﾌﾟｼｮﾝ → キー操作), so the two never differ.
// Usage: korvanu-manual-keys TEMPLATE OUTPUT
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "play/keyboard.h"

namespace {

// The line of the template the section replaces.
constexpr std::string_view MARK = ".\\\" KEYS";

std::string keysSection() {
  std::string roff =
      ".SH KEYS\nThe keys, as \\fBｵﾌﾟｼｮﾝ → キー操作\\fR lists them in the game:\n.PP\n.nf\n";
  std::istringstream in(korvanu::keysText());
  for (std::string line; std::getline(in, line);) {
    if (line.empty()) {
      roff += ".sp\n";
      continue;
    }
    // \& keeps a line from being read as a request; backslashes are printed.
    roff += "\\&";
    for (const char c : line) roff += c == '\\' ? std::string("\\e") : std::string(1, c);
    roff += '\n';
  }
  return roff + ".fi\n";
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: korvanu-manual-keys TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::ostringstream page;
  bool marked = false;
  for (std::string line; std::getline(in, line);) {
    if (line == MARK) {
      page << keysSection();
      marked = true;
    } else {
      page << line << '\n';
    }
  }
  if (!in.eof() || !marked) {
    std::cerr << "korvanu-manual-keys: " << argv[1] << " is unreadable or has no KEYS mark\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << page.str();
  return out.flush() ? 0 : 1;
}
