#include "wav_image.h"

#include <cstdint>
#include <cstring>

namespace korvanu::sound {
namespace {

std::uint32_t le32(const unsigned char* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }

bool fmtIsPlayable(const unsigned char* fmt, std::uint32_t size) {
  constexpr std::uint16_t kPcm = 1;
  if (size < 16) return false;
  const std::uint16_t format = le16(fmt);
  const std::uint16_t channels = le16(fmt + 2);
  const std::uint32_t rate = le32(fmt + 4);
  const std::uint16_t blockAlign = le16(fmt + 12);
  const std::uint16_t bits = le16(fmt + 14);
  return format == kPcm && (channels == 1 || channels == 2) && rate >= 4000 && rate <= 192000 &&
         (bits == 8 || bits == 16) && blockAlign == channels * bits / 8;
}

} // namespace

bool wavImageIsPlayable(const unsigned char* image, std::size_t length) {
  constexpr std::size_t kRiffHeader = 12;
  constexpr std::size_t kChunkHeader = 8;
  if (image == nullptr || length < kRiffHeader) return false;
  if (std::memcmp(image, "RIFF", 4) != 0 || std::memcmp(image + 8, "WAVE", 4) != 0) {
    return false;
  }
  // A RIFF size larger than the image means the file was cut short.
  const std::uint64_t riffEnd = std::uint64_t(le32(image + 4)) + 8;
  if (riffEnd > length) return false;

  bool fmtOk = false;
  bool sawFmt = false;
  std::uint64_t pos = kRiffHeader;
  while (pos + kChunkHeader <= riffEnd) {
    const unsigned char* header = image + pos;
    const std::uint32_t size = le32(header + 4);
    const std::uint64_t body = pos + kChunkHeader;
    if (body + size > riffEnd) return false;
    if (std::memcmp(header, "fmt ", 4) == 0) {
      if (sawFmt) return false;
      sawFmt = true;
      fmtOk = fmtIsPlayable(image + body, size);
    } else if (std::memcmp(header, "data", 4) == 0) {
      // SDL reads the format before the samples, so fmt must come first.
      return fmtOk && size > 0;
    }
    // Chunks are word aligned; the pad byte after an odd chunk may be
    // missing at the very end, which the loop condition tolerates.
    pos = body + size + (size & 1u);
  }
  return false;
}

} // namespace korvanu::sound
