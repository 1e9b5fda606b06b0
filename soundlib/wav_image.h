// Checks a RIFF/WAVE image before SDL sees it, so that a damaged file is
// refused by us rather than trusted to the decoder.
#ifndef KORVANU_WAV_IMAGE_H
#define KORVANU_WAV_IMAGE_H

#include <cstddef>

namespace korvanu::sound {

// True when `image` (exactly `length` bytes) is a complete PCM WAV with
// 8- or 16-bit samples, one or two channels and a non-empty data chunk, and
// every chunk it declares lies inside `length`. Never reads past `length`.
bool wavImageIsPlayable(const unsigned char* image, std::size_t length);

} // namespace korvanu::sound

#endif
