// Feeds arbitrary bytes to korvanu-engine's command handler, split into lines
// as the tool splits its standard input: whatever comes in and in whatever
// order, every reply ends with "ok" or is a single "error ..." line, nothing
// reads out of bounds, and the position the commands leave behind writes out
// as a line that reads back the same.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "engine.h"
#include "record/entry_line.h"

namespace {

// bench replays sixty fixed positions at every level, which takes seconds
// under the sanitizers and reads nothing from the input: the engine's tests
// run it, the fuzzer leaves it out.
bool isBench(std::string_view line) { return line == "bench" || line == "bench\r"; }

// A perft past two moves counts thousands of positions and more: the engine's
// tests pin those, the fuzzer keeps to the shallow ones.
bool isDeepPerft(std::string_view line) {
  if (!line.starts_with("perft ")) return false;
  const std::string_view depth = line.substr(6, line.find(' ', 6) - 6);
  return !(depth == "0" || depth == "1" || depth == "2");
}

// A search tries every move and drop of the position, each with a full
// survey. A few per input reach every path; more would only slow the runs.
constexpr int MAX_SEARCHES = 3;
bool isSearch(std::string_view line) {
  const std::string_view command = line.substr(0, line.find(' '));
  return command == "best" || command == "scores" || command == "best\r" || command == "scores\r";
}

// Level 4 thinks for its time a move unless held to nodes: every input
// holds it to a few hundred, set again after each `set`, so that a budget
// the input chose never makes a run slow. An input that asks for the time
// (`set nodes 0`) gets a few milliseconds instead, which reaches the clock's
// paths: the stop on time and the depth cut short.
const std::string FEW_NODES = "set nodes 300";
const std::string FEW_MILLIS = "set movetime 3";
bool isSet(std::string_view line) { return line.starts_with("set "); }
bool asksForTime(std::string_view line) { return line == "set nodes 0" || line == "set nodes 0\r"; }

bool wellFormed(const std::string& reply) {
  if (reply.empty() || reply.back() != '\n') return false;
  if (reply.starts_with("error ")) return reply.find('\n') == reply.size() - 1;
  return reply == "ok\n" || reply.ends_with("\nok\n");
}

std::string ask(korvanu::Engine& engine, const std::string& line) {
  std::ostringstream reply;
  engine.handle(line, reply);
  return reply.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvanu::Engine engine;
  ask(engine, FEW_NODES);
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  int searches = 0;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    const std::string line(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (isBench(line) || isDeepPerft(line) || (isSearch(line) && ++searches > MAX_SEARCHES))
      continue;
    std::ostringstream reply;
    const bool more = engine.handle(line, reply);
    if (!more) {
      if (!reply.str().empty()) __builtin_trap(); // quit answers nothing
      break;
    }
    if (!wellFormed(reply.str())) __builtin_trap();
    if (isSet(line)) ask(engine, asksForTime(line) ? FEW_MILLIS : FEW_NODES);
  }

  // Whatever the commands did, the position is one the protocol can carry:
  // the line shown reads back (as `position` reads it) to the same line.
  const std::string shown = ask(engine, "show");
  if (!shown.ends_with("\nok\n")) __builtin_trap();
  const std::string line = shown.substr(0, shown.find('\n'));
  const auto entry = korvanu::parseEntryLine(line);
  if (!entry || korvanu::formatEntryLine(*entry) != line) __builtin_trap();
  return 0;
}
