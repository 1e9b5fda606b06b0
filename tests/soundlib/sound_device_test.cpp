// Opening and closing the device, and the life of a sound id, on SDL's
// silent "dummy" driver.
#include <gtest/gtest.h>

#include <csignal>

#include "sound_test_support.h"

namespace korvanu::test {
namespace {

// Every per-id call must refuse `id` without side effects.
void expectUnknown(std::int32_t id) {
  EXPECT_EQ(dsPlay(id), 0) << id;
  EXPECT_EQ(dsPlayLooping(id), 0) << id;
  EXPECT_EQ(dsStop(id), 0) << id;
  EXPECT_EQ(dsFree(id), 0) << id;
}

TEST(SoundDevice, WithoutAudioEveryCallIsHarmless) {
  const auto image = toneWav(0.05);
  expectUnknown(1); // nothing opened yet
  EXPECT_EQ(dsTerminate(1), 0);

  EXPECT_EQ(openDevice("no-such-driver"), 0);
  EXPECT_EQ(createFrom(0, image), 0);
  EXPECT_EQ(createFrom(1, image), 0);
  expectUnknown(0);
  expectUnknown(1);
  EXPECT_EQ(dsTerminate(0), 0);
}

TEST(SoundDevice, ReopeningRefusesEverythingFromBefore) {
  const auto image = toneWav(0.05);
  const std::int32_t first = openDevice("dummy");
  ASSERT_NE(first, 0);
  EXPECT_EQ(dsInitialize(0), first); // already open: same device
  const std::int32_t oldId = createFrom(first, image);
  ASSERT_GT(oldId, 0);
  EXPECT_EQ(dsPlayLooping(oldId), 1);
  EXPECT_EQ(dsTerminate(first + 1), 0);
  EXPECT_EQ(dsTerminate(first), 1);

  expectUnknown(oldId);
  EXPECT_EQ(createFrom(first, image), 0);
  EXPECT_EQ(dsTerminate(first), 0);

  const std::int32_t second = openDevice("dummy");
  ASSERT_NE(second, 0);
  EXPECT_NE(second, first);
  EXPECT_EQ(createFrom(first, image), 0);
  expectUnknown(oldId);
  EXPECT_GT(createFrom(second, image), oldId); // ids are never handed out twice
  EXPECT_EQ(dsTerminate(second), 1);
}

TEST(SoundLifecycle, PlayLoopStopFree) {
  const std::int32_t device = openDevice("dummy");
  ASSERT_NE(device, 0);
  const auto image = toneWav(0.2);
  const std::int32_t effect = createFrom(device, image, 3);
  const std::int32_t music = createFrom(device, image, 1);
  ASSERT_GT(effect, 0);
  ASSERT_GT(music, effect);

  EXPECT_EQ(dsPlayLooping(music), 1);
  EXPECT_EQ(dsPlay(effect), 1);
  EXPECT_EQ(dsPlay(effect), 1); // overlapping itself
  EXPECT_EQ(dsStop(effect), 1);
  EXPECT_EQ(dsStop(effect), 1); // stopping a silent sound is fine
  EXPECT_EQ(dsStop(music), 1);

  EXPECT_EQ(dsFree(effect), 1);
  expectUnknown(effect);
  expectUnknown(0);
  expectUnknown(-5);
  expectUnknown(music + 1000);
  EXPECT_EQ(dsPlay(music), 1); // freeing one sound leaves the others alone

  const std::int32_t again = createFrom(device, image);
  EXPECT_GT(again, music);
  EXPECT_EQ(dsTerminate(device), 1);
}

TEST(SoundLifecycle, StopReleasesEveryChannelOfTheSound) {
  const std::int32_t device = openDevice("dummy");
  ASSERT_NE(device, 0);
  const std::int32_t id = createFrom(device, toneWav(0.2));
  ASSERT_GT(id, 0);

  // Fill every channel with the same looping sound until one is refused.
  int playing = 0;
  while (playing < 256 && dsPlayLooping(id) == 1) ++playing;
  EXPECT_GE(playing, 8) << "too few channels for music plus several effects";
  EXPECT_LT(playing, 256) << "a play with no free channel was not refused";

  EXPECT_EQ(dsStop(id), 1);
  for (int i = 0; i < playing; ++i) EXPECT_EQ(dsPlayLooping(id), 1) << i;

  // Freeing must release the channels too, not just forget the id.
  EXPECT_EQ(dsFree(id), 1);
  const std::int32_t other = createFrom(device, toneWav(0.2));
  for (int i = 0; i < playing; ++i) EXPECT_EQ(dsPlayLooping(other), 1) << i;
  EXPECT_EQ(dsTerminate(device), 1);
}

// The game ends on SIGTERM, SIGINT and SIGHUP through its own end
// processing; a handler left behind by the audio start would swallow them.
TEST(SoundDevice, LeavesTheEndSignalsToTheGame) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction before {};
    ASSERT_EQ(sigaction(signal, nullptr, &before), 0);
    const std::int32_t device = openDevice("dummy");
    ASSERT_NE(device, 0);
    struct sigaction during {};
    ASSERT_EQ(sigaction(signal, nullptr, &during), 0);
    EXPECT_EQ(during.sa_handler, before.sa_handler) << "signal " << signal;
    EXPECT_EQ(dsTerminate(device), 1);
  }
}

} // namespace
} // namespace korvanu::test
