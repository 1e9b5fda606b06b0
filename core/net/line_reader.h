// Cuts the bytes a peer sends into lines: partial lines wait for their end,
// and anything but a short line of printable UTF-8 is an error that sticks,
// so that no byte after a bad one is ever read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvanu::net {

// The longest line the protocol allows, without its line feed.
constexpr std::size_t MAX_LINE = 512;

class LineReader {
public:
  explicit LineReader(std::size_t maxLine = MAX_LINE) : max_(maxLine) {}

  // Takes bytes as they come; a line too long is refused as soon as it is.
  void feed(std::string_view bytes);
  // The next whole line (a trailing CR dropped) into `line`: true. False when
  // none is whole yet or once the stream has failed (then error() says why).
  bool next(std::string& line);
  const std::string& error() const { return error_; }
  bool failed() const { return !error_.empty(); }
  // Bytes waiting for the end of their line.
  std::size_t buffered() const { return buffer_.size(); }
  // A new connection: nothing pending, no error.
  void reset();

private:
  void fail(std::string why);
  std::size_t max_;
  std::string buffer_;
  std::string error_;
};

// Printable UTF-8: well formed (no overlong form, no surrogate, nothing past
// U+10FFFF) and no control character.
bool isPrintableUtf8(std::string_view text);

} // namespace korvanu::net
