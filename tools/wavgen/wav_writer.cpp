#include "wav_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace korvanu::wavgen {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v));
  out.push_back(std::uint8_t(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xffffu);
  put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
  for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(tag[i]));
}

} // namespace

std::vector<std::int16_t> toPcm16(const Buffer& samples) {
  std::vector<std::int16_t> pcm;
  pcm.reserve(samples.size());
  for (float x : samples) {
    const long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
    pcm.push_back(static_cast<std::int16_t>(v));
  }
  return pcm;
}

std::vector<std::uint8_t> encodeWav(const std::vector<std::int16_t>& interleaved, int rate,
                                    int channels) {
  constexpr std::uint32_t kBytesPerSample = 2;
  const auto dataBytes = std::uint32_t(interleaved.size() * kBytesPerSample);
  const auto blockAlign = std::uint32_t(channels) * kBytesPerSample;
  std::vector<std::uint8_t> out;
  out.reserve(44 + dataBytes);
  putTag(out, "RIFF");
  put32(out, 36 + dataBytes); // everything after this field
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);
  put16(out, 1); // PCM
  put16(out, std::uint32_t(channels));
  put32(out, std::uint32_t(rate));
  put32(out, std::uint32_t(rate) * blockAlign);
  put16(out, blockAlign);
  put16(out, kBytesPerSample * 8);
  putTag(out, "data");
  put32(out, dataBytes);
  for (std::int16_t s : interleaved) put16(out, std::uint16_t(s));
  return out;
}

bool writeWav(const std::filesystem::path& path, const Sound& sound) {
  const std::vector<std::uint8_t> image = encodeWav(toPcm16(sound.samples), sound.rate, 1);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
  return bool(file.flush());
}

} // namespace korvanu::wavgen
