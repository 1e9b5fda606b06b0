#include "net/line_reader.h"

#include <utility>

namespace korvanu::net {

void LineReader::feed(std::string_view bytes) {
  if (failed()) return;
  buffer_.append(bytes);
  // Only the part after the last line feed can still grow: a whole line that
  // is too long is caught by next().
  const std::size_t end = buffer_.rfind('\n');
  const std::size_t tail = end == std::string::npos ? buffer_.size() : buffer_.size() - end - 1;
  // One byte more may still be the CR of a CR LF.
  if (tail > max_ + 1 || (tail == max_ + 1 && buffer_.back() != '\r')) fail("line too long");
}

bool LineReader::next(std::string& line) {
  if (failed()) return false;
  const std::size_t end = buffer_.find('\n');
  if (end == std::string::npos) return false;
  std::size_t length = end;
  if (length > 0 && buffer_[length - 1] == '\r') --length;
  if (length > max_) {
    fail("line too long");
    return false;
  }
  line.assign(buffer_, 0, length);
  buffer_.erase(0, end + 1);
  if (!isPrintableUtf8(line)) {
    fail("not printable UTF-8 text");
    return false;
  }
  return true;
}

void LineReader::reset() {
  buffer_.clear();
  error_.clear();
}

void LineReader::fail(std::string why) {
  error_ = std::move(why);
  buffer_.clear();
}

bool isPrintableUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      if (c < 0x20 || c == 0x7F) return false;
      ++i;
      continue;
    }
    int extra = 0;
    unsigned code = 0;
    if (c >= 0xC2 && c <= 0xDF)
      extra = 1, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF)
      extra = 2, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4)
      extra = 3, code = c & 0x07;
    else
      return false;
    if (i + extra >= text.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(text[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      code = (code << 6) | (d & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000)) return false;
    if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return false;
    // C1 controls are control characters too.
    if (code >= 0x80 && code <= 0x9F) return false;
    i += extra + 1;
  }
  return true;
}

} // namespace korvanu::net
