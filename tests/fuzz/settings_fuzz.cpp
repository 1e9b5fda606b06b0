// Feeds arbitrary bytes to the settings reader as the game meets them at
// start-up: a Korvanu.ini of any content in the current folder.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/headless.h"
#include "settings/settings_file.h"
#include "state/game.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A folder of its own, so no real settings file is ever touched.
  std::string dir =
      (std::filesystem::temp_directory_path() / "korvanu-settings-fuzz-XXXXXX").string();
  if (!mkdtemp(dir.data())) return 1;
  std::filesystem::current_path(dir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (std::FILE* f = std::fopen(korvanu::SETTINGS_FILE, "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  korvanu::HeadlessPlatform ui;
  korvanu::Table g{ui};
  korvanu::読込_環境設定ファイル(g);
  // Whatever was read, exactly one background is checked or none is, and it matches.
  int checked = 0;
  for (korvanu::Menu m : {korvanu::Menu::MIDORI, korvanu::Menu::TATAMI, korvanu::Menu::TAKE,
                          korvanu::Menu::UCHU, korvanu::Menu::RENGA})
    checked += korvanu::isChecked(g, m);
  if (checked > 1) __builtin_trap();
  return 0;
}
