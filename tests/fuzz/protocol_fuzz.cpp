// Feeds arbitrary bytes to the network game's line reader, cut into chunks
// where the input says, and reads every line it yields as a message: nothing
// may crash, every line is short printable text, and a line read as a
// message is written back exactly as it came.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/line_reader.h"
#include "net/protocol.h"

using namespace korvanu::net;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte sets the chunk size, as a socket may cut a stream anywhere.
  const std::size_t chunk = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  LineReader reader;
  std::string line;
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    reader.feed(bytes.substr(at, chunk));
    while (reader.next(line)) {
      if (line.size() > MAX_LINE || !isPrintableUtf8(line)) __builtin_trap();
      if (const auto m = parseMessage(line); m && formatMessage(*m) != line) __builtin_trap();
      if (const auto s = parseSealed(line)) {
        if (formatSealed(*s) != line) __builtin_trap();
        if (const auto m = parseMessage(s->body); m && formatMessage(*m) != s->body)
          __builtin_trap();
      }
    }
    if (reader.failed() && reader.error().empty()) __builtin_trap();
  }
  return 0;
}
