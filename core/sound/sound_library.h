// The sound library, opened at run time so that the game still runs (silently)
// when it is missing.
#pragma once

#include <memory>
#include <string>

#include "korvanu_sound.h"

namespace korvanu {

struct SoundApi {
  dsInitialize_fn dsInitialize = nullptr;
  dsTerminate_fn dsTerminate = nullptr;
  dsCreateDSB_fn dsCreateDSB = nullptr;
  dsId_fn dsPlay = nullptr;
  dsId_fn dsPlayLooping = nullptr;
  dsId_fn dsStop = nullptr;
  dsId_fn dsFree = nullptr;
};

class SoundLibrary {
public:
  // Null when the file is missing or lacks one of the seven calls.
  static std::unique_ptr<SoundLibrary> open(const std::string& path);
  ~SoundLibrary();
  SoundLibrary(const SoundLibrary&) = delete;
  SoundLibrary& operator=(const SoundLibrary&) = delete;

  const SoundApi& api() const { return api_; }

private:
  SoundLibrary(void* handle, const SoundApi& api) : handle_(handle), api_(api) {}
  void* handle_;
  SoundApi api_;
};

} // namespace korvanu
