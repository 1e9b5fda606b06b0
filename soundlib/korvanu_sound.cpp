// The ds* entry points the game finds with dlsym. Everything runs on the
// game's UI thread; SDL_mixer mixes on its own thread, so channels are only
// ever touched through Mix_* calls, never through the chunk structures.
//
// Effects are decoded once into the device's format. Music (flag 1) would
// grow fourfold that way (22 kHz mono to 44.1 kHz stereo, and eight times
// that while SDL converts it), so it stays as its WAV image and SDL_mixer's
// music stream decodes it as it plays: one music at a time.
#include "korvanu_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "wav_image.h"

#define KORVANU_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024; // ~23 ms: a click lands without a noticeable lag
constexpr int kMixChannels = 16;    // plenty of overlapping effects beside the music
constexpr std::int32_t kFlagMusic = 1;
// Background music sits a little under the effects so moves and blasts stay
// audible over it; every other flag value plays at full volume.
constexpr int kMusicVolume = MIX_MAX_VOLUME * 3 / 4;

struct Sound {
  Mix_Chunk* chunk = nullptr;       // an effect
  Mix_Music* music = nullptr;       // or music, read from `image` as it plays
  std::vector<unsigned char> image; // the library's own copy of the music's WAV
};

// Handle of the open device, 0 while closed. Each opening gets a new value so
// a handle kept from an earlier session is refused.
std::int32_t gDevice = 0;
std::int32_t gLastDevice = 0;
std::int32_t gLastId = 0; // ids only grow, so a freed id never comes back
std::map<std::int32_t, Sound> gSounds;
std::int32_t gMusicId = 0; // the music last started on the music stream

Sound* findSound(std::int32_t id) {
  if (gDevice == 0) return nullptr;
  const auto it = gSounds.find(id);
  return it == gSounds.end() ? nullptr : &it->second;
}

void freeSound(std::int32_t id, Sound& sound) {
  if (sound.chunk != nullptr) Mix_FreeChunk(sound.chunk); // halts its channels first
  if (sound.music != nullptr) Mix_FreeMusic(sound.music); // halts it first if playing
  if (gMusicId == id) gMusicId = 0;
}

std::int32_t play(std::int32_t id, int loops) {
  Sound* sound = findSound(id);
  if (sound == nullptr) return 0;
  if (sound->music != nullptr) {
    // Once is 1 here, where a channel counts repeats after the first.
    if (Mix_PlayMusic(sound->music, loops < 0 ? -1 : 1) != 0) return 0;
    gMusicId = id;
    return 1;
  }
  // -1 picks any idle channel; with all of them busy the sound is dropped.
  return Mix_PlayChannel(-1, sound->chunk, loops) >= 0 ? 1 : 0;
}

// An effect decoded for the device. SDL converts in a buffer sized for its
// widest intermediate format and keeps it; only the converted part is kept.
Mix_Chunk* loadEffect(const void* image, std::int32_t length) {
  SDL_RWops* rw = SDL_RWFromConstMem(image, length);
  if (rw == nullptr) return nullptr;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1); // decodes into its own copy; closes rw
  if (chunk != nullptr && chunk->allocated != 0 && chunk->alen > 0) {
    void* fitted = SDL_realloc(chunk->abuf, chunk->alen);
    if (fitted != nullptr) chunk->abuf = static_cast<Uint8*>(fitted);
  }
  return chunk;
}

bool loadMusic(Sound& sound, const void* image, std::int32_t length) {
  const auto* bytes = static_cast<const unsigned char*>(image);
  sound.image.assign(bytes, bytes + length);
  SDL_RWops* rw = SDL_RWFromConstMem(sound.image.data(), length);
  if (rw == nullptr) return false;
  sound.music = Mix_LoadMUSType_RW(rw, MUS_WAV, 1); // closes rw when freed, or now on failure
  return sound.music != nullptr;
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
  if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  Mix_AllocateChannels(kMixChannels);
  Mix_VolumeMusic(kMusicVolume);
  gDevice = ++gLastDevice;
  return gDevice;
}

std::int32_t terminate(std::int32_t device) {
  if (device == 0 || device != gDevice) return 0;
  for (auto& [id, sound] : gSounds) freeSound(id, sound);
  gSounds.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  gDevice = 0;
  return 1;
}

std::int32_t create(std::int32_t device, const void* image, std::int32_t length,
                    std::int32_t flags) {
  if (device == 0 || device != gDevice || image == nullptr || length <= 0) return 0;
  if (gLastId == INT32_MAX) return 0;
  const auto* bytes = static_cast<const unsigned char*>(image);
  if (!korvanu::sound::wavImageIsPlayable(bytes, static_cast<std::size_t>(length))) return 0;

  Sound sound;
  try {
    if (flags == kFlagMusic) {
      if (!loadMusic(sound, image, length)) return 0;
    } else {
      sound.chunk = loadEffect(image, length);
      if (sound.chunk == nullptr) return 0;
    }
    gSounds.emplace(gLastId + 1, std::move(sound));
  } catch (...) {
    freeSound(0, sound);
    return 0;
  }
  return ++gLastId;
}

std::int32_t stop(std::int32_t id) {
  const Sound* sound = findSound(id);
  if (sound == nullptr) return 0;
  if (sound->music != nullptr) {
    if (gMusicId == id) Mix_HaltMusic();
    return 1;
  }
  // Only this thread starts sounds, so a channel found playing the chunk can
  // at worst finish on its own before the halt, which is harmless.
  for (int channel = 0; channel < kMixChannels; ++channel) {
    if (Mix_Playing(channel) && Mix_GetChunk(channel) == sound->chunk) Mix_HaltChannel(channel);
  }
  return 1;
}

std::int32_t release(std::int32_t id) {
  Sound* sound = findSound(id);
  if (sound == nullptr) return 0;
  freeSound(id, *sound);
  gSounds.erase(id);
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
  return traced(play(id, 0), "dsPlay(%d)", id);
}

KORVANU_EXPORT std::int32_t dsPlayLooping(std::int32_t id) {
  return traced(play(id, -1), "dsPlayLooping(%d)", id);
}

KORVANU_EXPORT std::int32_t dsStop(std::int32_t id) { return traced(stop(id), "dsStop(%d)", id); }

KORVANU_EXPORT std::int32_t dsFree(std::int32_t id) {
  return traced(release(id), "dsFree(%d)", id);
}
