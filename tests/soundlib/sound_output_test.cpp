// What actually reaches the speakers: SDL's "disk" driver writes the mixed
// output (S16 stereo at 44.1 kHz) to a file, paced in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>

#include "sound_test_support.h"

namespace korvanu::test {
namespace {

constexpr std::size_t kSamplesPerSecond = 44100 * 2;
constexpr std::size_t kTail = kSamplesPerSecond / 10;  // the last 100 ms

void wait(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

struct Recording {
    std::vector<std::int16_t> samples;

    int peak(std::size_t from, std::size_t to) const {
        int largest = 0;
        for (std::size_t i = from; i < std::min(to, samples.size()); ++i) {
            largest = std::max(largest, std::abs(int(samples[i])));
        }
        return largest;
    }
    int peak() const { return peak(0, samples.size()); }
    int tailPeak() const { return peak(samples.size() - std::min(kTail, samples.size()), samples.size()); }
};

// Opens the device on the disk driver, runs `script`, closes the device and
// returns everything that was mixed meanwhile.
Recording record(const std::function<void(std::int32_t)>& script) {
    const std::string path = ::testing::TempDir() + "korvanu_mix_" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".raw";
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    const std::int32_t device = openDevice("disk");
    EXPECT_NE(device, 0);
    script(device);
    EXPECT_EQ(dsTerminate(device), 1);

    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
    std::remove(path.c_str());
    Recording recording;
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
    EXPECT_GT(out.peak(), 12000);  // the half-scale tone
    EXPECT_EQ(out.tailPeak(), 0);
}

TEST(SoundOutput, LoopPlaysUntilStopped) {
    const Recording looping = record([](std::int32_t device) {
        EXPECT_EQ(dsPlayLooping(createFrom(device, toneWav(0.1))), 1);
        wait(500);
    });
    EXPECT_GT(looping.tailPeak(), 12000);

    const Recording stopped = record([](std::int32_t device) {
        const std::int32_t id = createFrom(device, toneWav(0.1));
        EXPECT_EQ(dsPlayLooping(id), 1);
        wait(150);
        EXPECT_EQ(dsStop(id), 1);
        wait(400);
    });
    EXPECT_GT(stopped.peak(), 12000);
    EXPECT_EQ(stopped.tailPeak(), 0);
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
        return record([flags](std::int32_t device) {
                   EXPECT_EQ(dsPlayLooping(createFrom(device, toneWav(0.1), flags)), 1);
                   wait(300);
               }).tailPeak();
    };
    const double music = loopPeak(1);
    const double effect = loopPeak(3);
    ASSERT_GT(effect, 12000);
    EXPECT_GT(music / effect, 0.6);
    EXPECT_LT(music / effect, 0.9);
}

}  // namespace
}  // namespace korvanu::test
