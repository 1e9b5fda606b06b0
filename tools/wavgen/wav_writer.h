// 16-bit PCM WAV files.
#ifndef KORVANU_WAVGEN_WAV_WRITER_H
#define KORVANU_WAVGEN_WAV_WRITER_H

#include <cstdint>
#include <filesystem>
#include <vector>

#include "synth.h"

namespace korvanu::wavgen {

// Rounds to 16 bits, clamping anything outside [-1, 1].
std::vector<std::int16_t> toPcm16(const Buffer& samples);

// A complete WAV image: RIFF header, fmt chunk, data chunk. `interleaved`
// holds frames of `channels` samples each.
std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& interleaved, int rate,
                                    int channels);

// Writes a mono sound as a WAV file. Returns false if the file cannot be written.
bool writeWav(const std::filesystem::path& path, const Sound& sound);

} // namespace korvanu::wavgen

#endif
