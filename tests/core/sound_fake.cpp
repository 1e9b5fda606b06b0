#include "sound_fake.h"

namespace korvanu::fake {

std::vector<std::string> calls;
int deviceResult = 7;
int nextId = 1;

namespace {

int32_t init(intptr_t) {
  calls.push_back("init");
  return deviceResult;
}
int32_t term(int32_t d) {
  calls.push_back("terminate " + std::to_string(d));
  return 1;
}
int32_t create(int32_t, const void* image, int32_t length, int32_t flags) {
  // Touch every byte so that a wrong length shows up under the sanitizer.
  unsigned sum = 0;
  for (int32_t i = 0; i < length; ++i) sum += static_cast<const unsigned char*>(image)[i];
  (void)sum;
  calls.push_back("create flags=" + std::to_string(flags) + " bytes=" + std::to_string(length));
  return nextId++;
}
int32_t play(int32_t id) {
  calls.push_back("play " + std::to_string(id));
  return 1;
}
int32_t loop(int32_t id) {
  calls.push_back("loop " + std::to_string(id));
  return 1;
}
int32_t stop(int32_t id) {
  calls.push_back("stop " + std::to_string(id));
  return 1;
}
int32_t release(int32_t id) {
  calls.push_back("free " + std::to_string(id));
  return 1;
}

const SoundApi API{init, term, create, play, loop, stop, release};

} // namespace

void reset() {
  calls.clear();
  deviceResult = 7;
  nextId = 1;
}

const SoundApi& api() { return API; }

} // namespace korvanu::fake
