// The ds* entry points the game finds with dlsym. They run on the game's UI
// thread, and SDL calls the mixer from its audio thread: every call that
// touches the mixer holds the device lock, and a sound's samples are freed
// only once the mixer has let go of them.
//
// Sounds are kept as their WAV's own samples (22 kHz mono music stays that
// size) and the mixer reads them at the device's rate as it plays.
#include "korvanu_sound.h"

#include <SDL.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>

#include "mixer.h"
#include "wav_image.h"

#define KORVANU_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using korvanu::sound::Mixer;
using korvanu::sound::Pcm;

constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024; // ~23 ms: a click lands without a noticeable lag
constexpr std::int32_t kFlagMusic = 1;
// Background music sits a little under the effects so moves and blasts stay
// audible over it; every other flag value plays at full volume.
constexpr int kMusicVolume = Mixer::kFullVolume * 3 / 4;

struct Sound {
  Pcm pcm;
  bool music = false;
};

// Handle of the open device, 0 while closed. Each opening gets a new value so
// a handle kept from an earlier session is refused.
std::int32_t gDevice = 0;
std::int32_t gLastDevice = 0;
std::int32_t gLastId = 0; // ids only grow, so a freed id never comes back
SDL_AudioDeviceID gAudio = 0;
Mixer gMixer;
std::map<std::int32_t, Sound> gSounds; // nodes stay put while the mixer reads them

// Holds SDL's audio thread off the mixer for one call.
class AudioLock {
public:
  AudioLock() { SDL_LockAudioDevice(gAudio); }
  ~AudioLock() { SDL_UnlockAudioDevice(gAudio); }
  AudioLock(const AudioLock&) = delete;
  AudioLock& operator=(const AudioLock&) = delete;
};

void fillBuffer(void* /*userdata*/, Uint8* stream, int bytes) {
  gMixer.mix(reinterpret_cast<std::int16_t*>(stream),
             std::size_t(bytes) / (2 * sizeof(std::int16_t)));
}

Sound* findSound(std::int32_t id) {
  if (gDevice == 0) return nullptr;
  const auto it = gSounds.find(id);
  return it == gSounds.end() ? nullptr : &it->second;
}

std::int32_t play(std::int32_t id, bool looping) {
  const Sound* sound = findSound(id);
  if (sound == nullptr) return 0;
  const AudioLock lock;
  if (sound->music) {
    gMixer.playMusic(id, sound->pcm, looping, kMusicVolume);
    return 1;
  }
  // With every effect voice busy the sound is dropped.
  return gMixer.playEffect(id, sound->pcm, looping) ? 1 : 0;
}

// KORVANU_SOUND_TRACE=1 writes every call and its answer to stderr, so what
// the game asks of its sound can be seen from outside.
bool tracing() {
  static const bool on = [] {
    const char* v = std::getenv("KORVANU_SOUND_TRACE");
    return v != nullptr && v[0] != '\0' && !(v[0] == '0' && v[1] == '\0');
  }();
  return on;
}

__attribute__((format(printf, 2, 3))) std::int32_t traced(std::int32_t result, const char* call,
                                                          ...) {
  if (!tracing()) return result;
  std::va_list args;
  va_start(args, call);
  std::fputs("korvanu-sound: ", stderr);
  std::vfprintf(stderr, call, args);
  std::fprintf(stderr, " = %d\n", result);
  va_end(args);
  return result;
}

std::int32_t initialize() {
  if (gDevice != 0) return gDevice;
  if (gLastDevice == INT32_MAX) return 0;
  // SDL would otherwise catch SIGINT and SIGTERM and only queue a quit event
  // the game never reads; ending on a signal is the game's business.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = kBufferFrames;
  want.callback = fillBuffer;
  SDL_AudioSpec have{};
  // The mixer reads every sound at whatever rate the device runs; SDL
  // converts anything else.
  gAudio = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (gAudio == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  gMixer.reset(have.freq); // the device opens paused: the callback is not running yet
  SDL_PauseAudioDevice(gAudio, 0);
  gDevice = ++gLastDevice;
  return gDevice;
}

std::int32_t terminate(std::int32_t device) {
  if (device == 0 || device != gDevice) return 0;
  SDL_CloseAudioDevice(gAudio); // waits for the audio thread to end
  gAudio = 0;
  gSounds.clear();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  gDevice = 0;
  return 1;
}

std::int32_t create(std::int32_t device, const void* image, std::int32_t length,
                    std::int32_t flags) {
  if (device == 0 || device != gDevice || image == nullptr || length <= 0) return 0;
  if (gLastId == INT32_MAX) return 0;
  try {
    std::optional<Pcm> pcm = korvanu::sound::readWavImage(static_cast<const unsigned char*>(image),
                                                          static_cast<std::size_t>(length));
    if (!pcm) return 0;
    gSounds.emplace(gLastId + 1, Sound{std::move(*pcm), flags == kFlagMusic});
  } catch (...) { // out of memory: the sound is simply not made
    return 0;
  }
  return ++gLastId;
}

std::int32_t stop(std::int32_t id) {
  if (findSound(id) == nullptr) return 0;
  const AudioLock lock;
  gMixer.stop(id);
  return 1;
}

std::int32_t release(std::int32_t id) {
  if (stop(id) == 0) return 0;
  gSounds.erase(id); // the mixer no longer reads it
  return 1;
}

} // namespace

KORVANU_EXPORT std::int32_t dsInitialize(intptr_t /*window*/) {
  return traced(initialize(), "dsInitialize()");
}

KORVANU_EXPORT std::int32_t dsTerminate(std::int32_t device) {
  return traced(terminate(device), "dsTerminate(%d)", device);
}

KORVANU_EXPORT std::int32_t dsCreateDSB(std::int32_t device, const void* image, std::int32_t length,
                                        std::int32_t flags) {
  return traced(create(device, image, length, flags), "dsCreateDSB(%d, %d bytes, %d)", device,
                length, flags);
}

KORVANU_EXPORT std::int32_t dsPlay(std::int32_t id) {
  return traced(play(id, false), "dsPlay(%d)", id);
}

KORVANU_EXPORT std::int32_t dsPlayLooping(std::int32_t id) {
  return traced(play(id, true), "dsPlayLooping(%d)", id);
}

KORVANU_EXPORT std::int32_t dsStop(std::int32_t id) { return traced(stop(id), "dsStop(%d)", id); }

KORVANU_EXPORT std::int32_t dsFree(std::int32_t id) {
  return traced(release(id), "dsFree(%d)", id);
}
