#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>

#include "platform/headless.h"
#include "position.h"
#include "sound/sound.h"
#include "sound/sound_library.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu {
namespace {

class SoundLoader : public ::testing::Test,
                    protected testing::InFolderOfItsOwn,
                    protected testing::EmptyGame {
protected:
  void SetUp() override { fake::reset(); }
  void writeAllFive() {
    for (const char* name : {FILE_SOUND_OTHER, FILE_SOUND_FORBIDDEN, FILE_SOUND_PIECE,
                             FILE_SOUND_EXPLOSION, FILE_SOUND_BGM})
      dir.write(name, "RIFF....WAVE");
  }
  int loadedIds() const {
    return (g.SOUND_OTHER != 0) + (g.SOUND_FORBIDDEN != 0) + (g.SOUND_PIECE != 0) +
           (g.SOUND_EXPLOSION != 0) + (g.SOUND_BGM != 0);
  }
};

TEST_F(SoundLoader, NoLibraryOrNoDeviceWarnsOnceThenTheGameIsSilent) {
  writeAllFive();
  loadSounds(g); // no library at all
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Direct Soundインターフェースが作成できません。");
  EXPECT_EQ(ui.messages[0].title, "Korvanu.dll");
  EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
  EXPECT_EQ(loadedIds(), 0);
  playSound(g, g.SOUND_PIECE);
  終了処理(g);

  HeadlessPlatform ui2;
  ui2.sound = &fake::api();
  fake::deviceResult = 0;
  Table g2{ui2};
  loadSounds(g2);
  EXPECT_EQ(ui2.messages.size(), 1u);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"init"}) << "no file is read without a device";
  終了処理(g2);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"init"}) << "nothing to free, no device to close";
}

TEST_F(SoundLoader, MissingAndEmptyFilesGiveIdZeroSilently) {
  ui.sound = &fake::api();
  dir.write(FILE_SOUND_FORBIDDEN, "");
  dir.write(FILE_SOUND_EXPLOSION, "RIFF");
  loadSounds(g);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(g.SOUND_OTHER, 0);
  EXPECT_EQ(g.SOUND_FORBIDDEN, 0);
  EXPECT_EQ(g.SOUND_PIECE, 0);
  EXPECT_NE(g.SOUND_EXPLOSION, 0);
  EXPECT_EQ(g.SOUND_BGM, 0);
  EXPECT_EQ(fake::calls, (std::vector<std::string>{"init", "create flags=3 bytes=4"}));

  // Playing, looping and stopping id 0 never reaches the library.
  fake::calls.clear();
  playSound(g, 0);
  loopSound(g, g.SOUND_BGM);
  stopSound(g, 0);
  EXPECT_TRUE(fake::calls.empty());
  playSound(g, g.SOUND_EXPLOSION);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"play 1"});
}

TEST_F(SoundLoader, AnUnreadableFileIsReportedAndTheRestStillLoad) {
  ui.sound = &fake::api();
  writeAllFive();
  std::filesystem::remove(dir.path() / FILE_SOUND_PIECE);
  std::filesystem::create_directory(dir.path() / FILE_SOUND_PIECE);
  loadSounds(g);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Is a directory");
  EXPECT_EQ(ui.messages[0].title, "Korvanu.dll");
  EXPECT_EQ(g.SOUND_PIECE, 0);
  EXPECT_EQ(loadedIds(), 4);
}

TEST_F(SoundLoader, EndProcessingFreesInOrderThenClosesTheDevice) {
  ui.sound = &fake::api();
  writeAllFive();
  std::filesystem::remove(dir.path() / FILE_SOUND_PIECE);
  loadSounds(g);
  fake::calls.clear();
  終了処理(g);
  EXPECT_EQ(fake::calls,
            (std::vector<std::string>{"free 1", "free 2", "free 3", "free 4", "terminate 7"}));
  EXPECT_EQ(g.SOUND_DEVICE, 0);
  fake::calls.clear();
  終了処理(g);
  EXPECT_TRUE(fake::calls.empty()) << "a second end finds nothing left to free";
}

// A short valid WAV: 16-bit mono, 100 samples of a square wave.
std::string tinyWav() {
  auto u32 = [](uint32_t v) {
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
  };
  auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
  std::string samples;
  for (int i = 0; i < 100; ++i) samples += u16(i % 20 < 10 ? 8000 : uint16_t(-8000));
  std::string fmt = u16(1) + u16(1) + u32(22050) + u32(44100) + u16(2) + u16(16);
  std::string body = "WAVE" + std::string("fmt ") + u32(16) + fmt + "data" +
                     u32(uint32_t(samples.size())) + samples;
  return "RIFF" + u32(uint32_t(body.size())) + body;
}

TEST_F(SoundLoader, TheRealLibraryTakesGoodSoundsAndRefusesBrokenOnes) {
  setenv("SDL_AUDIODRIVER", "dummy", 0); // plays into nothing where no device is
  auto lib = SoundLibrary::open(KORVANU_SOUND_LIBRARY);
  ASSERT_TRUE(lib);
  ui.sound = &lib->api();
  const std::string good = tinyWav();
  dir.write(FILE_SOUND_OTHER, good);
  dir.write(FILE_SOUND_FORBIDDEN, good.substr(0, 30));               // cut inside the format
  dir.write(FILE_SOUND_PIECE, std::string(200, '\x7f'));             // not a WAV at all
  dir.write(FILE_SOUND_EXPLOSION, good.substr(0, good.size() - 50)); // data cut short
  loadSounds(g);
  ASSERT_NE(g.SOUND_DEVICE, 0) << "SDL's dummy driver should open";
  EXPECT_NE(g.SOUND_OTHER, 0);
  EXPECT_EQ(g.SOUND_FORBIDDEN, 0);
  EXPECT_EQ(g.SOUND_PIECE, 0);
  EXPECT_EQ(g.SOUND_BGM, 0);
  EXPECT_TRUE(ui.messages.empty());
  playSound(g, g.SOUND_OTHER);
  loopSound(g, g.SOUND_EXPLOSION);
  終了処理(g);
}

TEST(SoundLibraryFile, MissingOrForeignLibrariesAreNotLoaded) {
  EXPECT_FALSE(SoundLibrary::open("./no-such-library.so"));
  EXPECT_FALSE(SoundLibrary::open("libm.so.6")) << "a library without the seven calls";
}

} // namespace
} // namespace korvanu
