// The core tests run in the C locale with no language chosen, whatever the
// machine's (the desktop's language is then Japanese), and play their sounds
// into nothing. Set before any test starts; ctest's environment property
// could carry only one variable through test discovery.
#include <cstdlib>

namespace {

const bool environmentSet = [] {
  setenv("LC_ALL", "C", 1);
  setenv("LANGUAGE", "", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return true;
}();

} // namespace
