#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "files/paths.h"
#include "files/text_file.h"
#include "platform/headless.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/setup.h"
#include "play/startup.h"
#include "sound/sound.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

// A made-up machine in a temporary folder: an installed program in
// root/usr/bin, the player's home in root/home.
class Places : public ::testing::Test {
protected:
  testing::TempDir dir;
  fs::path root = dir.path();
  Surroundings s{(root / "usr/bin").string(),
                 (root / "home").string(),
                 "",
                 "../lib/korvanu",
                 "../share/korvanu",
                 "",
                 "../share/locale"};

  void SetUp() override {
    fs::create_directories(s.programFolder);
    fs::create_directories(s.home);
  }
  std::string under(const std::string& relative) const { return (root / relative).string(); }
};

TEST_F(Places, TheGameFolderBesideTheProgramHoldsEverythingWhenTheSoundLibraryIsThere) {
  dir.write("usr/bin/libKorvanu.so", "");
  s.configHome = under("config");
  const Locations l = chooseLocations(s);
  EXPECT_EQ(l.soundLibrary, under("usr/bin/libKorvanu.so"));
  EXPECT_EQ(l.soundFolder, under("usr/bin"));
  EXPECT_EQ(l.settingsFile, under("usr/bin/Korvanu.ini"));
  EXPECT_EQ(l.recordsFolder, "") << "the file panel opens in the current directory as ever";
  EXPECT_EQ(l.stateFolder, under("home/.local/state/korvanu")) << "the player's, not the game's";
  EXPECT_EQ(l.localeFolder, under("usr/bin/locale"));
  EXPECT_EQ(l.languageFile, under("config/korvanu/language")) << "the player's, not the game's";

  // Without /proc the program cannot tell its folder: the current directory, as always.
  const Locations lost =
      chooseLocations(Surroundings{"", s.home, "", "../lib", "../share", "", ""});
  EXPECT_EQ(lost.soundLibrary, "./libKorvanu.so")
      << "a bare name would search the system's libraries";
  EXPECT_EQ(lost.soundFolder, "");
  EXPECT_EQ(lost.settingsFile, "Korvanu.ini");
}

TEST_F(Places, AnInstalledProgramFindsItsFilesRelativeToItselfAndThePlayersInTheirFolders) {
  const Locations l = chooseLocations(s);
  EXPECT_EQ(l.soundLibrary, under("usr/lib/korvanu/libKorvanu.so"));
  EXPECT_EQ(l.soundFolder, under("usr/share/korvanu"));
  EXPECT_EQ(l.settingsFile, under("home/.config/korvanu/Korvanu.ini"));
  EXPECT_EQ(l.recordsFolder, under("home/Documents/Korvanu"));
  EXPECT_EQ(l.stateFolder, under("home/.local/state/korvanu"));
  EXPECT_EQ(l.localeFolder, under("usr/share/locale"));
  EXPECT_EQ(l.languageFile, under("home/.config/korvanu/language"));
  EXPECT_FALSE(fs::exists(under("home/.config"))) << "nothing is made before it is needed";
  EXPECT_FALSE(fs::exists(under("home/Documents")));
}

TEST_F(Places, XdgConfigAndStateHomeCountOnlyWhenTheyAreAbsolutePaths) {
  s.configHome = under("cfg");
  s.stateHome = under("st");
  EXPECT_EQ(chooseLocations(s).settingsFile, under("cfg/korvanu/Korvanu.ini"));
  EXPECT_EQ(chooseLocations(s).stateFolder, under("st/korvanu"));
  for (const char* ignored : {"", "relative/cfg"}) {
    s.configHome = s.stateHome = ignored;
    EXPECT_EQ(chooseLocations(s).settingsFile, under("home/.config/korvanu/Korvanu.ini"))
        << ignored;
    EXPECT_EQ(chooseLocations(s).stateFolder, under("home/.local/state/korvanu")) << ignored;
  }
  // No home and no usable XDG_CONFIG_HOME: the player's files stay in the current directory.
  s.home.clear();
  const Locations homeless = chooseLocations(s);
  EXPECT_EQ(homeless.settingsFile, "Korvanu.ini");
  EXPECT_EQ(homeless.recordsFolder, "");
  EXPECT_EQ(homeless.stateFolder, "") << "nowhere to keep a game aside";
  EXPECT_EQ(homeless.soundFolder, under("usr/share/korvanu"))
      << "the game's own files are still found";
}

TEST_F(Places, RecordsGoToTheDocumentsFolderTheDesktopNames) {
  s.configHome = under("cfg");
  fs::create_directories(s.configHome);
  const auto documentsLine = [&](const std::string& line) {
    dir.write("cfg/user-dirs.dirs",
              "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n" + line +
                  "\nXDG_MUSIC_DIR=\"$HOME/Music\"\n");
    return chooseLocations(s).recordsFolder;
  };
  EXPECT_EQ(documentsLine("XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\""),
            under("home/ドキュメント/Korvanu"));
  EXPECT_EQ(documentsLine("XDG_DOCUMENTS_DIR=\"/srv/papers\""), "/srv/papers/Korvanu");
  EXPECT_EQ(documentsLine("XDG_DOCUMENTS_DIR=\"$HOME/My\\ \\\"Docs\\\"\""),
            under("home/My \"Docs\"/Korvanu"));
  // Forms the file may not hold fall back to ~/Documents.
  for (const char* bad : {"XDG_DOCUMENTS_DIR=relative/docs", "XDG_DOCUMENTS_DIR=\"docs\"",
                          "XDG_DOCUMENTS_DIR=\"\"", "XDG_DOCUMENTS_DIRECTORY=\"/srv/x\""})
    EXPECT_EQ(documentsLine(bad), under("home/Documents/Korvanu")) << bad;
}

TEST(ThisProgram, ItsFolderComesFromProcSelfExeAndItsXdgFoldersFromTheEnvironment) {
  const std::string configWas =
      std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  const std::string homeWas = std::getenv("HOME") ? std::getenv("HOME") : "";
  const std::string stateWas = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
  setenv("XDG_CONFIG_HOME", "/somewhere/cfg", 1);
  setenv("XDG_STATE_HOME", "/somewhere/st", 1);
  setenv("HOME", "", 1);
  const Surroundings s = thisProgramsSurroundings();
  setenv("XDG_CONFIG_HOME", configWas.c_str(), 1);
  setenv("XDG_STATE_HOME", stateWas.c_str(), 1);
  setenv("HOME", homeWas.c_str(), 1);
  EXPECT_EQ(s.programFolder, fs::canonical("/proc/self/exe").parent_path().string());
  EXPECT_EQ(s.configHome, "/somewhere/cfg");
  EXPECT_EQ(s.stateHome, "/somewhere/st");
  EXPECT_FALSE(s.home.empty()) << "an empty HOME falls back to the password entry";
  EXPECT_FALSE(s.libraryFromProgram.empty());
  EXPECT_FALSE(s.dataFromProgram.empty());
}

// The game itself, on the headless platform, with its files placed by an
// installed program's locations.
class InstalledGame : public Places {
protected:
  HeadlessPlatform ui;
  Table g{ui};
  void SetUp() override {
    Places::SetUp();
    fake::reset();
    ui.sound = &fake::api();
    s.configHome = under("cfg");
    g.LOCATIONS = chooseLocations(s);
  }
};

TEST_F(InstalledGame, SoundsComeFromTheDataFolderWhateverTheCurrentDirectory) {
  fs::create_directories(under("usr/share/korvanu"));
  dir.write("usr/share/korvanu/禁止.wav", "22");
  dir.write("usr/share/korvanu/BGM.wav", "55555");
  dir.write("駒打音.wav", "333"); // in the current directory: not the game's
  loadSounds(g);
  EXPECT_EQ(ui.soundLibraryPath, under("usr/lib/korvanu/libKorvanu.so"));
  EXPECT_EQ(fake::calls,
            (std::vector<std::string>{"init", "create flags=3 bytes=2", "create flags=1 bytes=5"}));
  EXPECT_TRUE(ui.messages.empty()) << "missing sounds are left out silently";
}

TEST_F(InstalledGame, TheSettingsFolderIsMadeWhenTheFileIsFirstWritten) {
  Form_Load(g);
  EXPECT_TRUE(fs::is_regular_file(under("cfg/korvanu/Korvanu.ini")));
  EXPECT_FALSE(fs::exists(SETTINGS_FILE)) << "nothing lands in the current directory";
  onMenu(g, Menu::UCHU);
  const auto lines = readTextFile(g.LOCATIONS.settingsFile);
  ASSERT_TRUE(lines && !lines->empty());
  EXPECT_EQ((*lines)[0], "背景画=宇宙");
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(InstalledGame, ASettingsFolderThatCannotBeMadeGivesTheUsualMessageOnce) {
  dir.write("cfg", "a file where the folder should be");
  Form_Load(g);
  EXPECT_TRUE(ui.messages.empty()) << "the defaults show; nothing chosen is lost yet";
  onMenu(g, Menu::MOCHIKOMA);
  onMenu(g, Menu::TAKE);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "設定ファイル Korvanu.ini に書き込めません。\n\n変更したｵﾌﾟｼｮﾝは次回に残りません。");
  EXPECT_EQ(ui.messages[0].title, "Korvanu.ini");
  EXPECT_TRUE(isChecked(g, Menu::MOCHIKOMA));
}

TEST_F(InstalledGame,
       TheFilePanelFirstOpensInTheRecordsFolderMadeThenAndLaterWhereThePlayerLeftIt) {
  Form_Load(g);
  EXPECT_FALSE(fs::exists(g.LOCATIONS.recordsFolder)) << "not made before the panel opens";
  onMenu(g, Menu::KIFU_READ);
  EXPECT_TRUE(fs::is_directory(under("home/Documents/Korvanu")));
  EXPECT_EQ(ui.folderShown, under("home/Documents/Korvanu"));
  EXPECT_EQ(ui.fileFolder, under("home/Documents/Korvanu"));

  ui.folderShown = ui.fileFolder = under("home"); // the player goes elsewhere
  onMenu(g, Menu::KIFU_READ);
  onMenu(g, Menu::KIFU_WRITE);
  EXPECT_EQ(ui.fileFolder, under("home"));
}

TEST_F(InstalledGame, ARecordsFolderThatCannotBeMadeLeavesThePanelWhereItWas) {
  dir.write("home/Documents", "a file");
  Form_Load(g);
  onMenu(g, Menu::KIFU_WRITE);
  EXPECT_EQ(ui.folderShown, ".");
  EXPECT_EQ(ui.fileFolder, ".");
  EXPECT_TRUE(ui.recordFields) << "the panel still opens";
}

} // namespace
} // namespace korvanu
