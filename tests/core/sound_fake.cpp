#include "sound_fake.h"

namespace korvanu::fake {

std::vector<std::string> calls;
int deviceResult = 7;
int nextId = 1;
std::function<void(const std::string&)> observer;

namespace {

void log(const std::string& call) {
  calls.push_back(call);
  if (observer) observer(call);
}

int32_t init(intptr_t) {
  log("init");
  return deviceResult;
}
int32_t term(int32_t d) {
  log("terminate " + std::to_string(d));
  return 1;
}
int32_t create(int32_t, const void* image, int32_t length, int32_t flags) {
  // Touch every byte so that a wrong length shows up under the sanitizer.
  unsigned sum = 0;
  for (int32_t i = 0; i < length; ++i) sum += static_cast<const unsigned char*>(image)[i];
  (void)sum;
  log("create flags=" + std::to_string(flags) + " bytes=" + std::to_string(length));
  return nextId++;
}
int32_t play(int32_t id) {
  log("play " + std::to_string(id));
  return 1;
}
int32_t loop(int32_t id) {
  log("loop " + std::to_string(id));
  return 1;
}
int32_t stop(int32_t id) {
  log("stop " + std::to_string(id));
  return 1;
}
int32_t release(int32_t id) {
  log("free " + std::to_string(id));
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
