#include "net/protocol.h"

#include <charconv>
#include <vector>

namespace korvanu::net {

namespace {

// How each verb is written and what it takes: `count` numbers, each within
// [low, high], and a text or hex words where marked.
struct Shape {
  Verb verb;
  std::string_view word;
  int count;
  std::int64_t low, high;
  bool text;
};

constexpr std::int64_t MAX_MS = 1'000'000'000'000;
constexpr Shape SHAPES[] = {
    {Verb::Welcome, "welcome", 0, 0, 0, false},
    {Verb::Refused, "refused", 0, 0, 0, true},
    {Verb::Settings, "settings", 5, -10, 36000, false},
    {Verb::Agree, "agree", 0, 0, 0, false},
    {Verb::Move, "move", 5, -100, 100, false},
    {Verb::Resync, "resync", 1, 0, 100000, false},
    {Verb::Past, "past", 5, -100, 100, false},
    {Verb::Clock, "clock", 2, 0, MAX_MS, false},
    {Verb::TakeBackAsk, "takeback-ask", 2, 0, 100000, false},
    {Verb::TakeBackYes, "takeback-yes", 1, 0, 100000, false},
    {Verb::TakeBackNo, "takeback-no", 0, 0, 0, false},
    {Verb::Resign, "resign", 0, 0, 0, false},
    {Verb::Timeout, "timeout", 1, 0, 1, false},
    {Verb::Ping, "ping", 0, 0, 0, false},
    {Verb::Bye, "bye", 0, 0, 0, false},
    {Verb::Error, "error", 0, 0, 0, true},
};

const Shape* shapeOf(Verb v) {
  for (const Shape& s : SHAPES)
    if (s.verb == v) return &s;
  return nullptr;
}

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  while (start <= line.size()) {
    const std::size_t end = std::min(line.find(' ', start), line.size());
    out.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

// A decimal number as written by formatMessage: no sign but '-', no leading
// zero, no empty word.
std::optional<std::int64_t> number(std::string_view w) {
  if (w.empty() || w.size() > 14) return std::nullopt;
  const std::string_view digits = w.front() == '-' ? w.substr(1) : w;
  if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
  if (w == "-0") return std::nullopt;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
  if (ec != std::errc() || end != w.data() + w.size()) return std::nullopt;
  return v;
}

bool isReason(std::string_view w) {
  return w == "code" || w == "busy" || w == "wait" || w == "version";
}

} // namespace

bool isHex(std::string_view text) {
  if (text.size() != HEX_LENGTH) return false;
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

std::string toHex(std::string_view bytes) {
  static constexpr char DIGITS[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += DIGITS[c >> 4];
    out += DIGITS[c & 15];
  }
  return out;
}

std::optional<Message> parseMessage(std::string_view line) {
  // Error's words may hold spaces: everything after "error ".
  if (line.starts_with("error ")) {
    Message m{Verb::Error, {}, std::string(line.substr(6)), {}};
    if (m.text.empty()) return std::nullopt;
    return m;
  }
  const std::vector<std::string_view> w = words(line);
  if (w[0] == "KORVANU") {
    if (w.size() < 4) return std::nullopt;
    const auto version = number(w[1]);
    if (!version || *version < 0 || !isHex(w[3])) return std::nullopt;
    Message m;
    m.n[0] = *version;
    m.text = std::string(w[3]);
    if (w[2] == "hello" && w.size() == 4) {
      m.verb = Verb::Hello;
      return m;
    }
    if (w[2] == "join" && w.size() == 5 && isHex(w[4])) {
      m.verb = Verb::Join;
      m.proof = std::string(w[4]);
      return m;
    }
    return std::nullopt;
  }
  for (const Shape& s : SHAPES) {
    if (w[0] != s.word || s.verb == Verb::Error) continue;
    Message m;
    m.verb = s.verb;
    if (s.verb == Verb::Welcome) {
      if (w.size() != 2 || !isHex(w[1])) return std::nullopt;
      m.proof = std::string(w[1]);
      return m;
    }
    if (s.verb == Verb::Refused) {
      if (w.size() != 2 || !isReason(w[1])) return std::nullopt;
      m.text = std::string(w[1]);
      return m;
    }
    if (static_cast<int>(w.size()) != s.count + 1) return std::nullopt;
    for (int i = 0; i < s.count; ++i) {
      const auto v = number(w[i + 1]);
      if (!v || *v < s.low || *v > s.high) return std::nullopt;
      m.n[i] = *v;
    }
    return m;
  }
  return std::nullopt;
}

std::string formatMessage(const Message& m) {
  switch (m.verb) {
  case Verb::Hello: return "KORVANU " + std::to_string(m.n[0]) + " hello " + m.text;
  case Verb::Join: return "KORVANU " + std::to_string(m.n[0]) + " join " + m.text + " " + m.proof;
  case Verb::Welcome: return "welcome " + m.proof;
  case Verb::Refused: return "refused " + m.text;
  case Verb::Error: return "error " + m.text;
  default: break;
  }
  const Shape* s = shapeOf(m.verb);
  std::string out(s->word);
  for (int i = 0; i < s->count; ++i) out += " " + std::to_string(m.n[i]);
  return out;
}

std::optional<Sealed> parseSealed(std::string_view line) {
  const std::size_t a = line.find(' ');
  if (a == std::string_view::npos) return std::nullopt;
  const std::size_t b = line.find(' ', a + 1);
  if (b == std::string_view::npos) return std::nullopt;
  const auto seq = number(line.substr(0, a));
  const std::string_view mac = line.substr(a + 1, b - a - 1);
  if (!seq || *seq < 1 || !isHex(mac)) return std::nullopt;
  return Sealed{static_cast<std::uint64_t>(*seq), std::string(mac),
                std::string(line.substr(b + 1))};
}

std::string formatSealed(const Sealed& s) {
  return std::to_string(s.seq) + " " + s.mac + " " + s.body;
}

std::string macInput(bool fromHost, std::uint64_t seq, std::string_view body) {
  return std::string(fromHost ? "H " : "J ") + std::to_string(seq) + " " + std::string(body);
}

} // namespace korvanu::net
