// Helpers shared by the sound library tests: WAV images to feed it and a way
// to open the device on a chosen SDL audio driver.
#ifndef KORVANU_TESTS_SOUND_TEST_SUPPORT_H
#define KORVANU_TESTS_SOUND_TEST_SUPPORT_H

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numbers>
#include <vector>

#include "korvanu_sound.h"
#include "wav_writer.h"

namespace korvanu::test {

// A 440 Hz tone at half scale, as a complete WAV image.
inline std::vector<std::uint8_t> toneWav(double seconds, int rate = 22050, int channels = 1) {
  std::vector<std::int16_t> pcm;
  const auto count = static_cast<std::size_t>(seconds * rate);
  for (std::size_t i = 0; i < count; ++i) {
    const double v = 0.5 * std::sin(2.0 * std::numbers::pi * 440.0 * double(i) / rate);
    for (int c = 0; c < channels; ++c) pcm.push_back(std::int16_t(std::lround(v * 32767)));
  }
  return wavgen::encodeWav(pcm, rate, channels);
}

inline std::int32_t createFrom(std::int32_t device, const std::vector<std::uint8_t>& image,
                               std::int32_t flags = 3) {
  return dsCreateDSB(device, image.data(), std::int32_t(image.size()), flags);
}

// Opens the device on `driver`; SDL reads the variable when audio starts.
inline std::int32_t openDevice(const char* driver) {
  setenv("SDL_AUDIODRIVER", driver, 1);
  return dsInitialize(0);
}

} // namespace korvanu::test

#endif
