#include "record/entry_line.h"

#include <cmath>
#include <cstdio>

#include "rules/legality.h"
#include "state/pieces.h"

namespace korvanu {

namespace {

constexpr int MAX_CLOCK = 99999;

bool isBoardCode(int code) { return code == EMPTY || isPieceCode(code); }

// A right-aligned number in its field: spaces, an optional "-", digits.
std::optional<int> fieldValue(std::string_view f, bool allowSign) {
  size_t i = 0;
  while (i < f.size() && f[i] == ' ') ++i;
  bool negative = false;
  if (allowSign && i < f.size() && f[i] == '-') {
    negative = true;
    ++i;
  }
  if (i == f.size()) return std::nullopt;
  int value = 0;
  for (; i < f.size(); ++i) {
    if (f[i] < '0' || f[i] > '9') return std::nullopt;
    value = value * 10 + (f[i] - '0');
  }
  return negative ? -value : value;
}

std::optional<int> handCountValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return std::nullopt;
}

std::optional<RecordEntry> refuse(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return std::nullopt;
}

} // namespace

char handCountChar(int count) {
  if (count < 0) count = 0;
  if (count <= 9) return static_cast<char>('0' + count);
  if (count <= 35) return static_cast<char>('A' + count - 10);
  return 'Z';
}

std::string formatEntryLine(const RecordEntry& e) {
  std::string line;
  line.reserve(ENTRY_LINE_CHARS);
  char buf[16];
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      std::snprintf(buf, sizeof buf, "%3d", e.BOARD[x][y]);
      line += buf;
    }
  }
  for (int k = 1; k <= 7; ++k) {
    line += handCountChar(e.HAND_SITA[k]);
    line += handCountChar(e.HAND_UE[k]);
  }
  for (double t : {e.TIME_A, e.TIME_B, e.TIME_C, e.TIME_D}) {
    const double whole = std::floor(t);
    const int seconds = !(whole > 0) ? 0 : whole > MAX_CLOCK ? MAX_CLOCK : static_cast<int>(whole);
    std::snprintf(buf, sizeof buf, "%5d", seconds);
    line += buf;
  }
  return line;
}

std::optional<RecordEntry> parseEntryLine(std::string_view line, std::string* why) {
  if (line.size() != ENTRY_LINE_NO_CLOCKS && line.size() != ENTRY_LINE_CHARS)
    return refuse(why, "line of " + std::to_string(line.size()) + " characters");
  RecordEntry e;
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      const size_t at = static_cast<size_t>(((x - 1) * 9 + (y - 1)) * 3);
      const auto code = fieldValue(line.substr(at, 3), true);
      if (!code || !isBoardCode(*code))
        return refuse(
            why, "bad piece code at column " + std::to_string(x) + " row " + std::to_string(y));
      e.BOARD[x][y] = *code;
    }
  }
  for (int k = 1; k <= 7; ++k) {
    const auto sita = handCountValue(line[ENTRY_BOARD_CHARS + 2 * (k - 1)]);
    const auto ue = handCountValue(line[ENTRY_BOARD_CHARS + 2 * (k - 1) + 1]);
    if (!sita || !ue) return refuse(why, "bad hand count");
    e.HAND_SITA[k] = *sita;
    e.HAND_UE[k] = *ue;
  }
  if (const PositionFault fault = positionFault(e.BOARD, e.HAND_SITA, e.HAND_UE))
    return refuse(why, faultText(fault));
  if (line.size() == ENTRY_LINE_CHARS) {
    double* clocks[4] = {&e.TIME_A, &e.TIME_B, &e.TIME_C, &e.TIME_D};
    for (size_t i = 0; i < 4; ++i) {
      const auto t = fieldValue(line.substr(ENTRY_LINE_NO_CLOCKS + 5 * i, 5), false);
      if (!t) return refuse(why, "bad clock field");
      *clocks[i] = *t;
    }
  }
  return e;
}

} // namespace korvanu
