// A stand-in sound library that logs every call, for the loader's tests.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sound/sound_library.h"

namespace korvanu::fake {

extern std::vector<std::string> calls; // e.g. "init", "create 3 bytes=44", "free 2"
extern int deviceResult;               // what dsInitialize answers
extern int nextId;
// Told of every call as it is logged, when set.
extern std::function<void(const std::string&)> observer;

void reset();
const SoundApi& api();

} // namespace korvanu::fake
