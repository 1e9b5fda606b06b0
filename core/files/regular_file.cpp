#include "files/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace korvanu {

namespace {

int kindError(const struct stat& st) {
  if (S_ISREG(st.st_mode)) return 0;
  return S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
}

int readAll(int fd, std::string& bytes, size_t maxBytes) {
  char chunk[65536];
  while (bytes.size() < maxBytes) {
    const ssize_t n = ::read(fd, chunk, std::min(sizeof chunk, maxBytes - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  return 0;
}

} // namespace

int readRegularFile(const std::string& path, std::string& bytes, size_t maxBytes) {
  bytes.clear();
  // Not waiting in open is what makes the kind checkable afterwards.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat st {};
  int error = ::fstat(fd, &st) == 0 ? kindError(st) : errno;
  if (error == 0) {
    // Sized once: growing chunk by chunk copies a long piece of music
    // several times over and leaves the heap scattered with the old copies.
    bytes.reserve(std::min(static_cast<size_t>(st.st_size), maxBytes));
    error = readAll(fd, bytes, maxBytes);
  }
  ::close(fd);
  if (error != 0) bytes.clear();
  return error;
}

bool isRegularFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace korvanu
