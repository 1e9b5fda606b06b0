// The ds* entry points the game finds with dlsym. Everything runs on the
// game's UI thread; SDL_mixer mixes on its own thread, so channels are only
// ever touched through Mix_* calls, never through the chunk structures.
#include "korvanu_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "wav_image.h"

#define KORVANU_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kBufferFrames = 1024;  // ~23 ms: a click lands without a noticeable lag
constexpr int kMixChannels = 16;     // the looping music plus plenty of overlapping effects
constexpr std::int32_t kFlagMusic = 1;
// Background music sits a little under the effects so moves and blasts stay
// audible over it; every other flag value plays at full volume.
constexpr int kMusicVolume = MIX_MAX_VOLUME * 3 / 4;

// Handle of the open device, 0 while closed. Each opening gets a new value so
// a handle kept from an earlier session is refused.
std::int32_t gDevice = 0;
std::int32_t gLastDevice = 0;
std::int32_t gLastId = 0;  // ids only grow, so a freed id never comes back
// The flags live on in the chunk's own volume, set once at creation.
std::map<std::int32_t, Mix_Chunk*> gChunks;

Mix_Chunk* findChunk(std::int32_t id) {
    if (gDevice == 0) return nullptr;
    const auto it = gChunks.find(id);
    return it == gChunks.end() ? nullptr : it->second;
}

std::int32_t play(std::int32_t id, int loops) {
    Mix_Chunk* chunk = findChunk(id);
    if (chunk == nullptr) return 0;
    // -1 picks any idle channel; with all of them busy the sound is dropped.
    return Mix_PlayChannel(-1, chunk, loops) >= 0 ? 1 : 0;
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
    gDevice = ++gLastDevice;
    return gDevice;
}

std::int32_t terminate(std::int32_t device) {
    if (device == 0 || device != gDevice) return 0;
    for (auto& [id, chunk] : gChunks) Mix_FreeChunk(chunk);  // halts them too
    gChunks.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gDevice = 0;
    return 1;
}

std::int32_t create(std::int32_t device, const void* image, std::int32_t length, std::int32_t flags) {
    if (device == 0 || device != gDevice || image == nullptr || length <= 0) return 0;
    if (gLastId == INT32_MAX) return 0;
    const auto* bytes = static_cast<const unsigned char*>(image);
    if (!korvanu::sound::wavImageIsPlayable(bytes, static_cast<std::size_t>(length))) return 0;

    SDL_RWops* rw = SDL_RWFromConstMem(image, length);
    if (rw == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(rw, 1);  // decodes into its own copy; closes rw
    if (chunk == nullptr) return 0;
    if (flags == kFlagMusic) Mix_VolumeChunk(chunk, kMusicVolume);
    try {
        gChunks.emplace(gLastId + 1, chunk);
    } catch (...) {
        Mix_FreeChunk(chunk);
        return 0;
    }
    return ++gLastId;
}

std::int32_t stop(std::int32_t id) {
    const Mix_Chunk* chunk = findChunk(id);
    if (chunk == nullptr) return 0;
    // Only this thread starts sounds, so a channel found playing `chunk` can at
    // worst finish on its own before the halt, which is harmless.
    for (int channel = 0; channel < kMixChannels; ++channel) {
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
    }
    return 1;
}

std::int32_t release(std::int32_t id) {
    Mix_Chunk* chunk = findChunk(id);
    if (chunk == nullptr) return 0;
    Mix_FreeChunk(chunk);  // halts every channel still playing it first
    gChunks.erase(id);
    return 1;
}

}  // namespace

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

KORVANU_EXPORT std::int32_t dsStop(std::int32_t id) {
    return traced(stop(id), "dsStop(%d)", id);
}

KORVANU_EXPORT std::int32_t dsFree(std::int32_t id) {
    return traced(release(id), "dsFree(%d)", id);
}
