// The network game from the command line: --host [PORT] [--second]
// [--drops on|off] [--no-router] waits for a friend, --join ADDRESS[:PORT] --code CODE
// joins one. The code can stay out of the process list, which every local
// user reads: `--code -` takes it from standard input, and without --code
// the environment's KORVANU_CODE gives it.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvanu {

struct NetStart {
  enum class Kind { None, Host, Join } kind = Kind::None;
  int port = 47170;
  bool second = false;
  std::optional<bool> drops; // unset: as the options say
  bool askRouter = true;     // --no-router: the port is forwarded by hand
  std::string address, code;
};

// Reads the network option at args[i] into `start`: how many arguments it
// took (0 when it is no network option), or -1 with `bad` the argument
// that is wrong.
int takeNetOption(std::span<const std::string_view> args, std::size_t i, NetStart& start,
                  std::string_view& bad);
// The joiner's code from where the options say, checked: false with `bad`
// naming its source (never a code read from elsewhere) when it is none.
bool takeJoinCode(NetStart& start, std::string_view& bad);
// Whether the options read hang together (--join with --code, no --host
// with --join): the argument at fault in `bad` when not.
bool netStartComplete(const NetStart& start, std::string_view& bad);

struct Table;
// Starts what the command line asked for once the window shows: the host
// prints "waiting on port PORT, code CODE" on standard output. The exit
// status when it cannot be done.
std::optional<int> startNetGame(Table& g, const NetStart& start);

} // namespace korvanu
