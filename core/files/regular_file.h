// Reading a file whole without ever waiting on it. Opening a FIFO by name
// waits for a writer (and a signal does not end the wait), a device may never
// answer: anything but a regular file counts as unreadable. Every read of the
// game's own files goes through here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvanu {

// 0 when `bytes` holds the file's first `maxBytes` bytes, else the system's
// error number (EISDIR for a folder, EINVAL for a FIFO, device or socket)
// and `bytes` is empty.
int readRegularFile(const std::string& path, std::string& bytes, size_t maxBytes = SIZE_MAX);

// For what is opened by others (a library): true when `path` names a regular
// file, after links.
bool isRegularFile(const std::string& path);

} // namespace korvanu
