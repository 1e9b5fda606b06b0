// Reads a RIFF/WAVE image held in memory. The sound library has no other WAV
// reader: a damaged file is refused here rather than trusted to a decoder.
#ifndef KORVANU_WAV_IMAGE_H
#define KORVANU_WAV_IMAGE_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace korvanu::sound {

// Samples ready for the mixer: signed 16-bit, interleaved when stereo.
struct Pcm {
  std::vector<std::int16_t> samples;
  int channels = 1;
  int rate = 0;
  std::size_t frames() const { return samples.size() / std::size_t(channels); }
};

// The samples of `image` (exactly `length` bytes) when it is a complete PCM
// WAV with 8- or 16-bit samples, one or two channels and at least one whole
// frame, and every chunk it declares lies inside `length`; nothing
// otherwise. Never reads past `length`.
std::optional<Pcm> readWavImage(const unsigned char* image, std::size_t length);

} // namespace korvanu::sound

#endif
