// The WAV files the build leaves in the game folder are ones the sound
// library accepts.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "sound_test_support.h"
#include "sounds.h"

namespace korvanu::test {
namespace {

TEST(GameSounds, EveryGeneratedFileLoads) {
  const std::int32_t device = openDevice("dummy");
  ASSERT_NE(device, 0);
  for (const auto& recipe : wavgen::kRecipes) {
    const std::string name = recipe.fileName;
    std::ifstream file(std::string(KORVANU_GAME_DIR) + "/" + name, std::ios::binary);
    ASSERT_TRUE(file) << name << " is missing from the game folder";
    const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(file), {}};
    const std::int32_t flags = name == "BGM.wav" ? 1 : 3;
    EXPECT_GT(createFrom(device, image, flags), 0) << name;
  }
  EXPECT_EQ(dsTerminate(device), 1);
}

} // namespace
} // namespace korvanu::test
