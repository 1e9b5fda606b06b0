#include "files/cp932.h"

#include <iconv.h>
#include <cerrno>

namespace korvanu {

namespace {

std::optional<std::string> convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buffer[256];
  bool ok = true;
  while (srcLeft > 0) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    // A full buffer only means more to come; anything else is a character
    // that does not convert or a sequence cut short.
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      ok = false;
      break;
    }
  }
  if (ok) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    ok = iconv(cd, nullptr, nullptr, &dst, &dstLeft) != static_cast<size_t>(-1);
    out.append(buffer, static_cast<size_t>(dst - buffer));
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

} // namespace

std::optional<std::string> toCp932(std::string_view utf8) {
  return convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> fromCp932(std::string_view cp932) {
  return convert("UTF-8", "CP932", cp932);
}

} // namespace korvanu
