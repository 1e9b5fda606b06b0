// The ds* entry points the game finds with dlsym. Everything runs on the
// game's UI thread; SDL_mixer mixes on its own thread, so channels are only
// ever touched through Mix_* calls, never through the chunk structures.
#include "korvanu_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
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

}  // namespace

KORVANU_EXPORT std::int32_t dsInitialize(intptr_t /*window*/) {
    if (gDevice != 0) return gDevice;
    if (gLastDevice == INT32_MAX) return 0;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    if (Mix_OpenAudio(kRate, AUDIO_S16SYS, kChannels, kBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(kMixChannels);
    gDevice = ++gLastDevice;
    return gDevice;
}

KORVANU_EXPORT std::int32_t dsTerminate(std::int32_t device) {
    if (device == 0 || device != gDevice) return 0;
    for (auto& [id, chunk] : gChunks) Mix_FreeChunk(chunk);  // halts them too
    gChunks.clear();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    gDevice = 0;
    return 1;
}

KORVANU_EXPORT std::int32_t dsCreateDSB(std::int32_t device, const void* image, std::int32_t length,
                                        std::int32_t flags) {
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

KORVANU_EXPORT std::int32_t dsPlay(std::int32_t id) {
    return play(id, 0);
}

KORVANU_EXPORT std::int32_t dsPlayLooping(std::int32_t id) {
    return play(id, -1);
}

KORVANU_EXPORT std::int32_t dsStop(std::int32_t id) {
    const Mix_Chunk* chunk = findChunk(id);
    if (chunk == nullptr) return 0;
    // Only this thread starts sounds, so a channel found playing `chunk` can at
    // worst finish on its own before the halt, which is harmless.
    for (int channel = 0; channel < kMixChannels; ++channel) {
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
    }
    return 1;
}

KORVANU_EXPORT std::int32_t dsFree(std::int32_t id) {
    Mix_Chunk* chunk = findChunk(id);
    if (chunk == nullptr) return 0;
    Mix_FreeChunk(chunk);  // halts every channel still playing it first
    gChunks.erase(id);
    return 1;
}
