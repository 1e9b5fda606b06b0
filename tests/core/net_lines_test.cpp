// The network game's lines: what the reader lets through from any bytes, and
// which lines are messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/line_reader.h"
#include "net/protocol.h"

namespace korvanu::net {
namespace {

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> lines;
  bool fails;
};

TEST(NetLines, ReaderYieldsShortPrintableLinesOrStops) {
  const std::string big(MAX_LINE + 1, 'x');
  const ReadCase cases[] = {
      {"partial line waits", "ping\npi", {"ping"}, false},
      {"CR LF", "ping\r\nbye\n", {"ping", "bye"}, false},
      {"longest line", std::string(MAX_LINE, 'x') + "\n", {std::string(MAX_LINE, 'x')}, false},
      {"too long, no line feed", big, {}, true},
      {"too long, whole", big + "\nping\n", {}, true},
      {"NUL", std::string("pi\0ng\nbye\n", 10), {}, true},
      {"bad UTF-8 stops what follows", "ok\n\xff\nbye\n", {"ok"}, true},
      {"overlong form", "\xc0\xaf\n", {}, true},
      {"surrogate", "\xed\xa0\x80\n", {}, true},
      {"cut sequence", "\xe6\x89\n", {}, true},
      {"Japanese", "error 不正な手\n", {"error 不正な手"}, false},
  };
  for (const ReadCase& c : cases) {
    // Byte by byte and all at once read alike.
    for (const bool byByte : {false, true}) {
      LineReader reader;
      std::vector<std::string> got;
      std::string line;
      for (std::size_t i = 0; i < c.bytes.size(); i += byByte ? 1 : c.bytes.size()) {
        reader.feed(std::string_view(c.bytes).substr(i, byByte ? 1 : c.bytes.size()));
        while (reader.next(line)) got.push_back(line);
      }
      EXPECT_EQ(got, c.lines) << c.name;
      EXPECT_EQ(reader.failed(), c.fails) << c.name;
    }
  }
}

TEST(NetLines, OnlyTheListedMessagesParse) {
  const std::string hex(64, 'a');
  const char* good[] = {"ping",
                        "move 11 3 5 5 -10",
                        "move -1 1 5 5 10",
                        "clock 0 61000",
                        "settings 1 0 -3 600 30",
                        "timeout 1",
                        "error 時間切れ です",
                        "refused wait",
                        "takeback-ask 7 5"};
  for (const char* line : good) {
    const auto m = parseMessage(line);
    ASSERT_TRUE(m) << line;
    EXPECT_EQ(formatMessage(*m), line);
  }
  EXPECT_EQ(parseMessage("KORVANU 1 hello " + hex)->verb, Verb::Hello);
  EXPECT_EQ(parseMessage("KORVANU 2 join " + hex + " " + hex)->n[0], 2);
  const std::string bad[] = {"",
                             "ping ",
                             " ping",
                             "PING",
                             "move 7 7 7 6",
                             "move 7 7 7 6 -10 1",
                             "move 07 7 7 6 -10",
                             "move 7 7 7 6 +10",
                             "move 7 7 7 6 -0",
                             "move 7 7 7 6 999",
                             "timeout 2",
                             "clock -1 0",
                             "refused because",
                             "error ",
                             "error",
                             "welcome " + hex.substr(1),
                             "KORVANU 1 hello " + hex + " x",
                             "KORVANU 1 join " + hex,
                             "launch 1",
                             "move 99999999999999999999 1 1 1 1"};
  for (const std::string& line : bad) EXPECT_FALSE(parseMessage(line)) << line;

  const auto s = parseSealed("12 " + hex + " move 7 7 7 6 -10");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->seq, 12u);
  EXPECT_EQ(s->body, "move 7 7 7 6 -10");
  EXPECT_FALSE(parseSealed("0 " + hex + " ping"));
  EXPECT_FALSE(parseSealed("1 " + std::string(64, 'A') + " ping"));
  EXPECT_NE(macInput(true, 1, "ping"), macInput(false, 1, "ping"));
}

} // namespace
} // namespace korvanu::net
