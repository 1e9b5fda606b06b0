#include "files/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "files/cp932.h"
#include "files/regular_file.h"

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

// Whether `candidate` is "name.PID.tmp", the name a write of `name` works under.
bool isTempOf(std::string_view candidate, std::string_view name) {
  constexpr std::string_view suffix = ".tmp";
  if (candidate.size() <= name.size() + 1 + suffix.size() || !candidate.starts_with(name) ||
      candidate[name.size()] != '.' || !candidate.ends_with(suffix))
    return false;
  const std::string_view pid =
      candidate.substr(name.size() + 1, candidate.size() - name.size() - 1 - suffix.size());
  return std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A write holds a lock on its temporary file until it is renamed; one that
// nobody holds was left by a process that died while writing.
void removeLeftoversOf(const std::string& path) {
  const std::filesystem::path target(path);
  const std::string name = target.filename().string();
  std::filesystem::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (!isTempOf(candidate, name)) continue;
    const std::string leftover = it->path().string();
    const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
      ::unlink(leftover.c_str());
    ::close(fd);
  }
}

// Whatever the folder allows, a file marked read-only is the user's to keep.
bool mayReplace(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  return ::access(path.c_str(), W_OK) == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

int createExclusive(const std::string& path) {
  const int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;
  int fd = ::open(path.c_str(), flags, 0666);
  if (fd < 0 && errno == EEXIST) {
    // Left behind by an earlier run that died while writing.
    ::unlink(path.c_str());
    fd = ::open(path.c_str(), flags, 0666);
  }
  // Without locks on this file system the write still goes ahead.
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);
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
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
  return lines;
}

std::optional<TextLines> readTextFile(const std::string& path, size_t maxBytes) {
  std::string bytes;
  if (readRegularFile(path, bytes, maxBytes) != 0) return std::nullopt;
  return decodeLines(bytes);
}

bool writeTextFile(const std::string& path, const std::vector<std::string>& lines) {
  const std::optional<std::string> bytes = encodeLines(lines);
  return bytes && writeWholeFile(path, *bytes);
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
  if (!mayReplace(path)) return false;
  removeLeftoversOf(path);
  const std::string temp = path + "." + std::to_string(::getpid()) + ".tmp";
  const int fd = createExclusive(temp);
  if (fd < 0) return false;
  // On disk before the rename, so a crash leaves the old file or the new one.
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

} // namespace korvanu
