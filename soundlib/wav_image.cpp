#include "wav_image.h"

#include <cstring>

namespace korvanu::sound {
namespace {

std::uint32_t le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }

struct Format {
  int channels = 0;
  int rate = 0;
  int bits = 0;
};

std::optional<Format> readFmt(const unsigned char* fmt, std::uint32_t size) {
  constexpr std::uint16_t kPcm = 1;
  if (size < 16) return std::nullopt;
  const std::uint16_t format = le16(fmt);
  const std::uint16_t channels = le16(fmt + 2);
  const std::uint32_t rate = le32(fmt + 4);
  const std::uint16_t blockAlign = le16(fmt + 12);
  const std::uint16_t bits = le16(fmt + 14);
  if (format != kPcm || (channels != 1 && channels != 2) || rate < 4000 || rate > 192000 ||
      (bits != 8 && bits != 16) || blockAlign != channels * bits / 8) {
    return std::nullopt;
  }
  return Format{channels, int(rate), bits};
}

// 8-bit WAV samples are unsigned round 128, 16-bit ones signed little-endian.
Pcm decode(const Format& format, const unsigned char* data, std::uint32_t size) {
  const std::size_t bytesPerSample = std::size_t(format.bits) / 8;
  const std::size_t frames = size / (bytesPerSample * std::size_t(format.channels));
  Pcm pcm;
  pcm.channels = format.channels;
  pcm.rate = format.rate;
  pcm.samples.resize(frames * std::size_t(format.channels));
  for (std::size_t i = 0; i < pcm.samples.size(); ++i) {
    pcm.samples[i] =
        format.bits == 8 ? std::int16_t((data[i] - 128) * 256) : std::int16_t(le16(data + 2 * i));
  }
  return pcm;
}

} // namespace

std::optional<Pcm> readWavImage(const unsigned char* image, std::size_t length) {
  constexpr std::size_t kRiffHeader = 12;
  constexpr std::size_t kChunkHeader = 8;
  if (image == nullptr || length < kRiffHeader) return std::nullopt;
  if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  // A RIFF size larger than the image means the file was cut short.
  const std::uint64_t riffEnd = std::uint64_t(le32(image + 4)) + 8;
  if (riffEnd > length) return std::nullopt;

  std::optional<Format> format;
  bool sawFmt = false;
  std::uint64_t pos = kRiffHeader;
  while (pos + kChunkHeader <= riffEnd) {
    const unsigned char* header = image + pos;
    const std::uint32_t size = le32(header + 4);
    const std::uint64_t body = pos + kChunkHeader;
    if (body + size > riffEnd) return std::nullopt;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (sawFmt) return std::nullopt;
      sawFmt = true;
      format = readFmt(image + body, size);
    } else if (std::memcmp(header, "data", 4) == 0) {
      // The samples mean nothing without the format read before them.
      if (!format) return std::nullopt;
      Pcm pcm = decode(*format, image + body, size);
      if (pcm.frames() == 0) return std::nullopt;
      return pcm;
    }
    // Chunks are word aligned; the pad byte after an odd chunk may be
    // missing at the very end, which the loop condition tolerates.
    pos = body + size + (size & 1u);
  }
  return std::nullopt;
}

} // namespace korvanu::sound
