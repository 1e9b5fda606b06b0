// What actually reaches the speakers: SDL's "disk" driver writes the mixed
// output (S16 stereo at 44.1 kHz) to a file, paced in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include <unistd.h>

#include "sound_test_support.h"

namespace korvanu::test {
namespace {

constexpr std::size_t kSamplesPerSecond = 44100 * 2;
constexpr std::size_t kTail = kSamplesPerSecond / 10; // the last 100 ms

void wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct Recording {
  std::vector<std::int16_t> samples;
  std::vector<std::size_t> marks; // samples written when mark() was called

  int peak(std::size_t from, std::size_t to) const {
    int largest = 0;
    for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
      largest = std::max(largest, std::abs(int(samples[i])));
    }
    return largest;
  }
  int peak() const { return peak(0, samples.size()); }
  int tailPeak() const {
    return peak(samples.size() - std::min(kTail, samples.size()), samples.size());
  }
};

std::string recordingPath;
std::vector<std::size_t>* currentMarks = nullptr;

// Notes how far the output has got. The mixer runs on its own thread and may
// lag the test under load, so checks are made relative to these marks rather
// than to the end of the recording.
std::size_t samplesWritten() {
  std::ifstream file(recordingPath, std::ios::binary | std::ios::ate);
  return file ? std::size_t(file.tellg()) / 2 : 0;
}
void mark() { currentMarks->push_back(samplesWritten()); }

// A margin of a few mixing buffers for sound already mixed when a mark is taken.
constexpr std::size_t kLag = 4 * 1024 * 2;

// Opens the device on the disk driver, runs `script`, closes the device and
// returns everything that was mixed meanwhile.
Recording record(const std::function<void(std::int32_t)>& script) {
  // The process id keeps parallel runs from different build trees apart.
  const std::string path = ::testing::TempDir() + "korvanu_mix_" + std::to_string(getpid()) + "_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw";
  setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
  recordingPath = path;
  Recording recording;
  currentMarks = &recording.marks;
  const std::int32_t device = openDevice("disk");
  EXPECT_NE(device, 0);
  script(device);
  // Under load the mixer's thread may not yet have written what the checks
  // need: let it catch up (for at most five seconds) before the device closes.
  for (int i = 0; i < 100 && samplesWritten() <= kSamplesPerSecond / 4; ++i) wait(50);
  EXPECT_EQ(dsTerminate(device), 1);

  std::ifstream file(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  std::remove(path.c_str());
  recording.samples.resize(bytes.size() / 2);
  std::memcpy(recording.samples.data(), bytes.data(), recording.samples.size() * 2);
  // Enough output for a tail measured after every short test sound has ended.
  EXPECT_GT(recording.samples.size(), kSamplesPerSecond / 4);
  return recording;
}

TEST(SoundOutput, PlayedSoundIsHeardThenEnds) {
  const Recording out = record([](std::int32_t device) {
    EXPECT_EQ(dsPlay(createFrom(device, toneWav(0.1))), 1);
    wait(500);
  });
  EXPECT_GT(out.peak(), 12000); // the half-scale tone
  EXPECT_EQ(out.tailPeak(), 0);
}

TEST(SoundOutput, LoopPlaysUntilStopped) {
  const Recording looping = record([](std::int32_t device) {
    EXPECT_EQ(dsPlayLooping(createFrom(device, toneWav(0.1))), 1);
    wait(500);
    mark();
  });
  // Long after a 0.1 s tone would have ended, the loop is still sounding.
  ASSERT_EQ(looping.marks.size(), 1u);
  ASSERT_GT(looping.marks[0], kTail);
  EXPECT_GT(looping.peak(looping.marks[0] - kTail, looping.marks[0]), 12000);

  const Recording stopped = record([](std::int32_t device) {
    const std::int32_t id = createFrom(device, toneWav(0.1));
    EXPECT_EQ(dsPlayLooping(id), 1);
    wait(150);
    EXPECT_EQ(dsStop(id), 1);
    mark();
    wait(400);
    mark();
  });
  ASSERT_EQ(stopped.marks.size(), 2u);
  EXPECT_GT(stopped.peak(0, stopped.marks[0]), 12000);
  ASSERT_GT(stopped.marks[1], stopped.marks[0] + kLag) << "the mixer kept running after the stop";
  EXPECT_EQ(stopped.peak(stopped.marks[0] + kLag, stopped.marks[1]), 0);
}

TEST(SoundOutput, NoSoundIsSilent) {
  const Recording out = record([](std::int32_t device) {
    const std::int32_t id = createFrom(device, toneWav(0.1));
    EXPECT_EQ(dsFree(id), 1);
    EXPECT_EQ(dsPlay(id), 0);
    EXPECT_EQ(dsPlay(0), 0);
    EXPECT_EQ(dsPlayLooping(0), 0);
    wait(300);
  });
  EXPECT_EQ(out.peak(), 0);
}

TEST(SoundOutput, MusicPlaysBelowEffects) {
  auto loopPeak = [](std::int32_t flags) {
    const Recording out = record([flags](std::int32_t device) {
      EXPECT_EQ(dsPlayLooping(createFrom(device, toneWav(0.1), flags)), 1);
      wait(300);
      mark();
    });
    const std::size_t end = out.marks.at(0);
    return out.peak(end > kTail ? end - kTail : 0, end);
  };
  const double music = loopPeak(1);
  const double effect = loopPeak(3);
  ASSERT_GT(effect, 12000);
  EXPECT_GT(music / effect, 0.6);
  EXPECT_LT(music / effect, 0.9);
}

// Music is decoded as it plays: at the device's rate, so at its own pitch,
// and round the loop without a break.
TEST(SoundOutput, MusicKeepsItsPitchAndLoopsWithoutAGap) {
  const Recording out = record([](std::int32_t device) {
    // 110 whole cycles of 440 Hz at 22.05 kHz, so the loop itself is seamless.
    EXPECT_EQ(dsPlayLooping(createFrom(device, toneWav(0.25), 1)), 1);
    wait(1000);
    mark();
  });
  ASSERT_EQ(out.marks.size(), 1u);
  const std::size_t frames = 44100 * 6 / 10; // the last 0.6 s, past three loop seams
  ASSERT_GT(out.marks[0], 2 * frames + kLag);
  const std::size_t from = out.marks[0] - kLag - 2 * frames;
  int crossings = 0;
  std::size_t quiet = 0, longestQuiet = 0;
  for (std::size_t i = from; i + 2 < from + 2 * frames; i += 2) { // the left channel
    if ((out.samples[i] < 0) != (out.samples[i + 2] < 0)) ++crossings;
    quiet = std::abs(int(out.samples[i])) < 100 ? quiet + 1 : 0;
    longestQuiet = std::max(longestQuiet, quiet);
  }
  EXPECT_NEAR(crossings, 2 * 440 * 0.6, 2 * 440 * 0.6 * 0.03);
  EXPECT_LT(longestQuiet, 8u) << "a break in the music";
}

TEST(SoundOutput, OneMusicAtATimeAndStoppingAnotherLeavesItPlaying) {
  const Recording out = record([](std::int32_t device) {
    const std::int32_t first = createFrom(device, toneWav(0.1), 1);
    const std::int32_t second = createFrom(device, toneWav(0.1), 1);
    EXPECT_EQ(dsPlayLooping(first), 1);
    EXPECT_EQ(dsPlayLooping(second), 1); // takes over from the first
    EXPECT_EQ(dsStop(first), 1);
    EXPECT_EQ(dsFree(first), 1);
    wait(300);
    mark();
    EXPECT_EQ(dsStop(second), 1);
    mark();
    wait(300);
    mark();
  });
  ASSERT_EQ(out.marks.size(), 3u);
  EXPECT_GT(out.peak(out.marks[0] - kTail, out.marks[0]), 6000) << "the second music was stopped";
  ASSERT_GT(out.marks[2], out.marks[1] + kLag);
  EXPECT_EQ(out.peak(out.marks[1] + kLag, out.marks[2]), 0);
}

} // namespace
} // namespace korvanu::test
