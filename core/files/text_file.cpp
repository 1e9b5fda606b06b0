#include "files/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "files/cp932.h"

namespace korvanu {

namespace {

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

int createExclusive(const std::string& path) {
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0 && errno == EEXIST) {
    // Left behind by an earlier run that died while writing.
    ::unlink(path.c_str());
    fd = ::open(path.c_str(), flags, 0666);
  }
  return fd;
}

} // namespace

std::optional<std::string> encodeLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) {
    const std::optional<std::string> bytes = toCp932(line);
    if (!bytes) return std::nullopt;
    out += *bytes;
    out += "\r\n";
  }
  return out;
}

TextLines decodeLines(std::string_view bytes) {
  TextLines lines;
  size_t start = 0;
  while (start < bytes.size()) {
    // CP932 never uses CR or LF inside a character, so a byte search is safe.
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    lines.push_back(fromCp932(bytes.substr(start, end - start)));
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

std::optional<TextLines> readTextFile(const std::string& path, size_t maxBytes) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  bool failed = false;
  while (bytes.size() < maxBytes) {
    const size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
    const size_t n = std::fread(chunk, 1, want, f);
    bytes.append(chunk, n);
    if (n < want) {
      failed = std::ferror(f) != 0;  // a folder opens but does not read
      break;
    }
  }
  std::fclose(f);
  if (failed) return std::nullopt;
  return decodeLines(bytes);
}

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
  const std::optional<std::string> bytes = encodeLines(lines);
  if (!bytes) return false;
  const std::string temp = path + "." + std::to_string(::getpid()) + ".tmp";
  const int fd = createExclusive(temp);
  if (fd < 0) return false;
  // On disk before the rename, so a crash leaves the old file or the new one.
  bool ok = writeAll(fd, *bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

} // namespace korvanu
