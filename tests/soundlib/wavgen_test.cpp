// The sound generator: the files it writes and the sounds it renders.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "sounds.h"
#include "wav_writer.h"

namespace korvanu::wavgen {
namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + std::size_t(i)];
  return v;
}

std::string tag(const std::vector<std::uint8_t>& b, std::size_t at) {
  return std::string(b.begin() + std::ptrdiff_t(at), b.begin() + std::ptrdiff_t(at + 4));
}

TEST(WavWriter, HeaderDescribesTheSamples) {
  for (int channels : {1, 2}) {
    std::vector<std::int16_t> pcm;
    for (int i = 0; i < 7 * channels; ++i) pcm.push_back(std::int16_t(i * 9000 - 32768));
    const auto wav = encodeWav(pcm, 22050, channels);
    ASSERT_EQ(wav.size(), 44 + 2 * pcm.size());
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    EXPECT_EQ(tag(wav, 12), "fmt ");
    EXPECT_EQ(le(wav, 16, 4), 16u);
    EXPECT_EQ(le(wav, 20, 2), 1u); // PCM
    EXPECT_EQ(le(wav, 22, 2), std::uint32_t(channels));
    EXPECT_EQ(le(wav, 24, 4), 22050u);
    EXPECT_EQ(le(wav, 28, 4), 22050u * 2 * std::uint32_t(channels));
    EXPECT_EQ(le(wav, 32, 2), 2u * std::uint32_t(channels));
    EXPECT_EQ(le(wav, 34, 2), 16u);
    EXPECT_EQ(tag(wav, 36), "data");
    EXPECT_EQ(le(wav, 40, 4), 2 * pcm.size());
    for (std::size_t i = 0; i < pcm.size(); ++i) {
      EXPECT_EQ(std::int16_t(le(wav, 44 + 2 * i, 2)), pcm[i]) << i;
    }
  }
}

TEST(WavWriter, QuantizingClampsInsteadOfWrapping) {
  const std::vector<std::int16_t> pcm = toPcm16({0.0f, 0.25f, -0.25f, 1.0f, -1.0f, 1.7f, -3.0f});
  const std::vector<std::int16_t> expected{0, 8192, -8192, 32767, -32767, 32767, -32767};
  EXPECT_EQ(pcm, expected);
}

// What the game expects of each file, by name.
struct Expectation {
  std::string name;
  double minSeconds, maxSeconds;
};
const Expectation kExpected[] = {
    {"その他.wav", 0.6, 1.0}, {"禁止.wav", 0.3, 0.5},  {"駒打音.wav", 0.1, 0.2},
    {"爆発音.wav", 1.0, 1.5}, {"BGM.wav", 20.0, 40.0},
};

// The samples exactly as they end up in the file.
std::vector<double> asWritten(const Sound& sound) {
  std::vector<double> out;
  for (std::int16_t s : toPcm16(sound.samples)) out.push_back(s / 32768.0);
  return out;
}

TEST(GeneratedSounds, LengthLevelAndCleanEdges) {
  ASSERT_EQ(kRecipes.size(), std::size(kExpected));
  for (const Expectation& want : kExpected) {
    SCOPED_TRACE(want.name);
    const auto recipe = std::find_if(kRecipes.begin(), kRecipes.end(),
                                     [&](const Recipe& r) { return want.name == r.fileName; });
    ASSERT_NE(recipe, kRecipes.end());
    const Sound sound = recipe->render();
    EXPECT_TRUE(sound.rate == 22050 || sound.rate == 44100) << sound.rate;
    EXPECT_GE(sound.seconds(), want.minSeconds);
    EXPECT_LE(sound.seconds(), want.maxSeconds);

    const std::vector<double> s = asWritten(sound);
    ASSERT_FALSE(s.empty());
    double sum = 0, squares = 0, peak = 0;
    for (double x : s) {
      sum += x;
      squares += x * x;
      peak = std::max(peak, std::fabs(x));
    }
    EXPECT_GT(std::sqrt(squares / double(s.size())), 0.03) << "nearly silent";
    EXPECT_LT(peak, 0.95) << "too close to clipping";
    EXPECT_LT(std::fabs(sum / double(s.size())), 0.002) << "DC offset";
    if (want.name != "BGM.wav") {
      EXPECT_LT(std::fabs(s.front()), 0.01) << "starts with a click";
      EXPECT_LT(std::fabs(s.back()), 0.01) << "is cut off";
    }
    EXPECT_EQ(toPcm16(recipe->render().samples), toPcm16(sound.samples)) << "not deterministic";
  }
}

TEST(GeneratedSounds, BgmLoopsWithoutASeam) {
  const std::vector<double> s = asWritten(renderBgm());
  constexpr std::size_t kNear = 8;
  ASSERT_GT(s.size(), 2 * kNear + 1);
  // In a continuous signal the step across the seam is no bigger than the
  // steps just before and after it (give or take the curvature); a jump
  // from a cut-off note or a drone out of phase stands out against them.
  double nearby = 0.0;
  for (std::size_t k = 1; k <= kNear; ++k) {
    nearby = std::max(nearby, std::fabs(s[k] - s[k - 1]));
    nearby = std::max(nearby, std::fabs(s[s.size() - k] - s[s.size() - k - 1]));
  }
  EXPECT_LE(std::fabs(s.front() - s.back()), 1.1 * nearby);
}

} // namespace
} // namespace korvanu::wavgen
