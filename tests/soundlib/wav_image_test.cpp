// The library must refuse damaged WAV images without reading past their end.
// Every image lives in a vector of exactly its size, so under AddressSanitizer
// any overread is reported.
#include <gtest/gtest.h>

#include <cstring>

#include "sound_test_support.h"

namespace korvanu::test {
namespace {

using Image = std::vector<std::uint8_t>;

void put16(Image& image, std::size_t at, std::uint16_t v) {
  image[at] = std::uint8_t(v);
  image[at + 1] = std::uint8_t(v >> 8);
}

void put32(Image& image, std::size_t at, std::uint32_t v) {
  put16(image, at, std::uint16_t(v));
  put16(image, at + 2, std::uint16_t(v >> 16));
}

// Offsets into the 44-byte header encodeWav writes.
enum : std::size_t {
  kRiffSize = 4,
  kWave = 8,
  kFmtTag = 12,
  kFmtSize = 16,
  kFormat = 20,
  kChannels = 22,
  kRate = 24,
  kBlockAlign = 32,
  kBits = 34,
  kDataTag = 36,
  kDataSize = 40,
  kHeader = 44
};

class WavImage : public ::testing::Test {
protected:
  void SetUp() override {
    device_ = openDevice("dummy");
    ASSERT_NE(device_, 0);
  }
  void TearDown() override { dsTerminate(device_); }
  bool accepted(const Image& image) { return createFrom(device_, image) > 0; }

  std::int32_t device_ = 0;
};

TEST_F(WavImage, AcceptsPlayablePcm) {
  EXPECT_TRUE(accepted(toneWav(0.05)));
  EXPECT_TRUE(accepted(toneWav(0.05, 44100, 2)));

  // The same bytes read as 8-bit samples are still a valid file.
  Image eightBit = toneWav(0.05);
  put16(eightBit, kBits, 8);
  put16(eightBit, kBlockAlign, 1);
  put32(eightBit, 28, 22050);
  EXPECT_TRUE(accepted(eightBit));

  // An odd-sized chunk before the samples must be skipped with its pad byte.
  Image withList = toneWav(0.05);
  const Image list{'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  withList.insert(withList.begin() + kDataTag, list.begin(), list.end());
  put32(withList, kRiffSize, std::uint32_t(withList.size() - 8));
  EXPECT_TRUE(accepted(withList));
}

TEST_F(WavImage, RefusesEveryTruncation) {
  const Image whole = toneWav(0.01);
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const Image cut(whole.begin(), whole.begin() + std::ptrdiff_t(n));
    EXPECT_FALSE(accepted(cut)) << "accepted the first " << n << " bytes";
  }
}

TEST_F(WavImage, RefusesCorruptHeaders) {
  struct Damage {
    const char* what;
    void (*apply)(Image&);
  };
  const Damage damages[] = {
      {"not RIFF", [](Image& i) { i[0] = 'X'; }},
      {"not WAVE", [](Image& i) { i[kWave] = 'X'; }},
      {"RIFF size past the end", [](Image& i) { put32(i, kRiffSize, 0xffffffffu); }},
      {"huge fmt chunk", [](Image& i) { put32(i, kFmtSize, 0xfffffff0u); }},
      {"fmt chunk too short", [](Image& i) { put32(i, kFmtSize, 12); }},
      {"huge data chunk", [](Image& i) { put32(i, kDataSize, 0xffffffffu); }},
      {"data one frame too long",
       [](Image& i) { put32(i, kDataSize, std::uint32_t(i.size() - kHeader + 2)); }},
      {"empty data", [](Image& i) { put32(i, kDataSize, 0); }},
      {"no data chunk", [](Image& i) { i[kDataTag] = 'j'; }},
      {"no fmt chunk", [](Image& i) { i[kFmtTag] = 'j'; }},
      {"float samples", [](Image& i) { put16(i, kFormat, 3); }},
      {"no channels", [](Image& i) { put16(i, kChannels, 0); }},
      {"24-bit samples", [](Image& i) { put16(i, kBits, 24); }},
      {"block size disagrees", [](Image& i) { put16(i, kBlockAlign, 4); }},
      {"zero sample rate", [](Image& i) { put32(i, kRate, 0); }},
  };
  for (const Damage& damage : damages) {
    Image image = toneWav(0.01);
    damage.apply(image);
    EXPECT_FALSE(accepted(image)) << damage.what;
  }
  const Image good = toneWav(0.01);
  EXPECT_EQ(dsCreateDSB(device_, nullptr, 100, 3), 0);
  EXPECT_EQ(dsCreateDSB(device_, good.data(), 0, 3), 0);
  EXPECT_EQ(dsCreateDSB(device_, good.data(), -1, 3), 0);
}

} // namespace
} // namespace korvanu::test
