#include "record/analysis_file.h"

#include <cerrno>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "files/regular_file.h"
#include "files/text_file.h"
#include "rules/record.h"
#include "state/pieces.h"

namespace korvanu {

namespace {

constexpr const char* FIRST_LINE = "Korvanu analysis 1";
// Far more than the verdicts of any game.
constexpr size_t MAX_ANALYSIS_BYTES = 1 << 20;
constexpr int MAX_DEPTH = 99;

const char* markText(MoveMark m) {
  return m == MoveMark::Mistake ? "?" : m == MoveMark::Doubtful ? "?!" : "-";
}

std::string verdictLine(size_t n, const PositionVerdict& v) {
  std::ostringstream line;
  line << n << ' ' << v.score << ' ' << v.mate << ' ' << v.depth << ' ';
  if (v.hasBest)
    line << v.best.fx << ' ' << v.best.fy << ' ' << v.best.tx << ' ' << v.best.ty << ' '
         << v.best.code;
  else
    line << '-';
  line << ' ' << markText(v.mark);
  return line.str();
}

// The line's words, split at single spaces.
std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  for (size_t i = 0; i <= line.size();) {
    const size_t end = std::min(line.find(' ', i), line.size());
    words.push_back(line.substr(i, end - i));
    i = end + 1;
  }
  return words;
}

template <typename T>
bool numberOf(std::string_view word, T& value, T low, T high) {
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size() && value >= low && value <= high;
}

bool moveOf(const std::vector<std::string_view>& w, size_t at, Move& m) {
  return numberOf(w[at], m.fx, -1, 11) && numberOf(w[at + 1], m.fy, 1, 9) &&
         numberOf(w[at + 2], m.tx, 1, 9) && numberOf(w[at + 3], m.ty, 1, 9) &&
         numberOf(w[at + 4], m.code, -80, 80) && isPieceCode(m.code) &&
         (onBoard(m.fx, m.fy) || isDropColumn(m.fx));
}

std::optional<PositionVerdict> verdictOf(std::string_view line, size_t n) {
  const auto w = wordsOf(line);
  if (w.size() != 6 && w.size() != 10) return std::nullopt;
  PositionVerdict v;
  size_t index = 0;
  if (!numberOf(w[0], index, n, n) || !numberOf(w[1], v.score, -ANALYSIS_SCALE, ANALYSIS_SCALE) ||
      !numberOf(w[2], v.mate, -999, 999) || !numberOf(w[3], v.depth, 0, MAX_DEPTH))
    return std::nullopt;
  v.hasBest = w.size() == 10;
  if (v.hasBest ? !moveOf(w, 4, v.best) : w[4] != "-") return std::nullopt;
  const std::string_view mark = w.back();
  if (mark == "?")
    v.mark = MoveMark::Mistake;
  else if (mark == "?!")
    v.mark = MoveMark::Doubtful;
  else if (mark != "-")
    return std::nullopt;
  return v;
}

std::optional<GameAnalysis> refuse(Refusal* why, const char* text, std::string value = {}) {
  if (why) *why = {text, std::move(value)};
  return std::nullopt;
}

// Line n's value after the header's name, or nothing when it is another line.
std::optional<std::string_view> headerValue(const TextLines& lines, size_t n,
                                            std::string_view name) {
  if (n >= lines.size() || !lines[n]) return std::nullopt;
  const std::string& line = *lines[n];
  if (!line.starts_with(name) || line.size() <= name.size() || line[name.size()] != ' ')
    return std::nullopt;
  return std::string_view(line).substr(name.size() + 1);
}

} // namespace

std::uint64_t recordKeyOf(const std::vector<RecordEntry>& entries) {
  std::uint64_t key = 0xcbf29ce484222325ULL;
  for (const RecordEntry& e : entries) {
    Position p;
    restorePosition(p, e);
    key = (key ^ keyOf(p)) * 0x100000001b3ULL;
  }
  return key;
}

std::string analysisPathFor(const std::string& recordPath) { return recordPath + ".analysis"; }

bool writeAnalysisFile(const std::string& path, const GameAnalysis& a) {
  char key[32];
  std::snprintf(key, sizeof key, "%016" PRIx64, a.record);
  std::vector<std::string> lines{
      FIRST_LINE, std::string("record ") + key,
      "budget " + std::to_string(a.millis) + " " + std::to_string(a.nodes),
      "entries " + std::to_string(a.entries.size())};
  for (size_t n = 0; n < a.entries.size(); ++n) lines.push_back(verdictLine(n, a.entries[n]));
  return writeTextFile(path, lines);
}

std::optional<GameAnalysis> readAnalysisFile(const std::string& path,
                                             const std::vector<RecordEntry>& record, Refusal* why) {
  if (why) *why = {};
  std::string bytes;
  if (const int error = readRegularFile(path, bytes, MAX_ANALYSIS_BYTES + 1)) {
    if (error == ENOENT) return std::nullopt;
    return refuse(why, N_("解析ファイルが読めません: %s"), path);
  }
  const char* damaged = N_("解析ファイルが壊れています（%s行目）");
  if (bytes.size() > MAX_ANALYSIS_BYTES) return refuse(why, damaged, "1");
  TextLines lines = decodeLines(bytes);
  while (!lines.empty() && lines.back() && lines.back()->empty()) lines.pop_back();
  GameAnalysis a;
  size_t count = 0;
  const auto key = headerValue(lines, 1, "record");
  const auto budget = headerValue(lines, 2, "budget");
  const auto entries = headerValue(lines, 3, "entries");
  if (lines.empty() || lines[0] != FIRST_LINE) return refuse(why, damaged, "1");
  if (!key || key->size() != 16 ||
      std::from_chars(key->data(), key->data() + 16, a.record, 16).ptr != key->data() + 16)
    return refuse(why, damaged, "2");
  const auto b = budget ? wordsOf(*budget) : std::vector<std::string_view>{};
  if (b.size() != 2 || !numberOf(b[0], a.millis, 0, 3600 * 1000) ||
      !numberOf(b[1], a.nodes, std::int64_t{0}, INT64_MAX))
    return refuse(why, damaged, "3");
  if (!entries || !numberOf(*entries, count, size_t{1}, lines.size() - 4))
    return refuse(why, damaged, "4");
  if (lines.size() != count + 4) return refuse(why, damaged, std::to_string(count + 5));
  for (size_t n = 0; n < count; ++n) {
    const auto& line = lines[n + 4];
    const auto v = line ? verdictOf(*line, n) : std::nullopt;
    if (!v) return refuse(why, damaged, std::to_string(n + 5));
    a.entries.push_back(*v);
  }
  if (a.record != recordKeyOf(record) || a.entries.size() != record.size())
    return refuse(why, N_("解析ファイルは別の棋譜のものです"));
  return a;
}

} // namespace korvanu
