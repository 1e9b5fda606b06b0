#include "sound/sound_library.h"

#include <dlfcn.h>

#include "files/regular_file.h"

namespace korvanu {

namespace {

template <typename Fn>
bool bind(void* handle, const char* name, Fn& fn) {
  fn = reinterpret_cast<Fn>(dlsym(handle, name));
  return fn != nullptr;
}

} // namespace

std::unique_ptr<SoundLibrary> SoundLibrary::open(const std::string& path) {
  // The loader would wait in open on a FIFO by the library's name (a bare
  // name is the loader's to search for among the system's libraries).
  if (path.find('/') != std::string::npos && !isRegularFile(path)) return nullptr;
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  if (!handle) return nullptr;
  SoundApi api;
  const bool complete = bind(handle, "dsInitialize", api.dsInitialize) &&
                        bind(handle, "dsTerminate", api.dsTerminate) &&
                        bind(handle, "dsCreateDSB", api.dsCreateDSB) &&
                        bind(handle, "dsPlay", api.dsPlay) &&
                        bind(handle, "dsPlayLooping", api.dsPlayLooping) &&
                        bind(handle, "dsStop", api.dsStop) && bind(handle, "dsFree", api.dsFree);
  if (!complete) {
    dlclose(handle);
    return nullptr;
  }
  return std::unique_ptr<SoundLibrary>(new SoundLibrary(handle, api));
}

// The library stays mapped after dlclose (RTLD_NODELETE): the audio thread it
// started may still be winding down, and leak reports keep its symbols.
SoundLibrary::~SoundLibrary() { dlclose(handle_); }

} // namespace korvanu
