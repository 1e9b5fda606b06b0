#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <set>
#include <sstream>
#include <thread>

#include "files/text_file.h"
#include "platform/headless.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/setup.h"
#include "play/startup.h"
#include "position.h"
#include "settings/settings_file.h"
#include "sound/sound.h"
#include "sound/sound_library.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"
#include "view/board_view.h"

namespace korvanu {
namespace {

// The five default lines as Windows writes them in code page 932.
const std::string DEFAULT_FILE_BYTES =
    "\x94\x77\x8c\x69\x89\xe6=\x97\xce\r\n"    // 背景画=緑
    "\x8e\x9d\x8b\xee\x89\xc2=OFF\r\n"         // 持駒可=OFF
    "\x88\xda\x93\xae\x8e\x77\x93\xb1=OFF\r\n" // 移動指導=OFF
    "\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4=ON\r\n"  // 経過時間=ON
    "BGM=ON\r\n";

std::string readBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(TextFile, LinesAreCp932WithCrLf) {
  const auto bytes =
      encodeLines({"背景画=緑", "持駒可=OFF", "移動指導=OFF", "経過時間=ON", "BGM=ON"});
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, DEFAULT_FILE_BYTES);
  EXPECT_EQ(*encodeLines({"ｵﾌﾟｼｮﾝ", ""}), "\xb5\xcc\xdf\xbc\xae\xdd\r\n\r\n")
      << "half-width kana are one byte";
  EXPECT_FALSE(encodeLines({"😀"})) << "no such character in CP932";

  const TextLines lines = decodeLines(DEFAULT_FILE_BYTES);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "背景画=緑");
  EXPECT_EQ(lines[4], "BGM=ON");

  // Line ends as other editors leave them; an unfinished last line still counts.
  const TextLines mixed = decodeLines("a\nb\rc\r\n\r\nd");
  ASSERT_EQ(mixed.size(), 5u);
  EXPECT_EQ(mixed[2], "c");
  EXPECT_EQ(mixed[3], "");
  EXPECT_EQ(mixed[4], "d");
  EXPECT_TRUE(decodeLines("").empty());

  // Bytes that are no CP932 spoil only their own line.
  const TextLines bad = decodeLines("\x81\r\nBGM=ON\r\n\x94");
  ASSERT_EQ(bad.size(), 3u);
  EXPECT_FALSE(bad[0]);
  EXPECT_EQ(bad[1], "BGM=ON");
  EXPECT_FALSE(bad[2]) << "a character cut short";
}

TEST(TextFile, ReplacesTheFileWholeAndLeavesNothingBeside) {
  testing::TempDir dir;
  dir.write("notes.txt", "old");
  ASSERT_TRUE(writeTextFile("notes.txt", {"一", "二"}));
  EXPECT_EQ(readBytes("notes.txt"), "\x88\xea\r\n\x93\xf1\r\n");
  ASSERT_FALSE(writeTextFile("notes.txt", {"😀"}));
  EXPECT_EQ(readBytes("notes.txt"), "\x88\xea\r\n\x93\xf1\r\n")
      << "a failed write keeps the old file";
  // A folder in the file's place cannot be replaced.
  std::filesystem::create_directory("folder");
  EXPECT_FALSE(writeTextFile("folder", {"x"}));
  EXPECT_FALSE(readTextFile("folder"));
  EXPECT_FALSE(readTextFile("missing"));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u) << "no temporary file is left behind";
}

TEST(TextFile, LeftoversOfKilledWritesGoAndReadOnlyFilesStay) {
  testing::TempDir dir;
  // Saves killed half-way, by an earlier run with this process id or by any other.
  for (const std::string& pid :
       {std::to_string(::getpid()), std::string("1"), std::string("123456")})
    dir.write("notes.txt." + pid + ".tmp", "half");
  // Not leftovers of ours: other names, and a save still going on elsewhere.
  for (const char* name :
       {"other.txt.7.tmp", "notes.txt.tmp", "notes.txt.12a.tmp", "notes.txt.88.tmp"})
    dir.write(name, "x");
  const int busy = ::open("notes.txt.88.tmp", O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(busy, LOCK_EX), 0);
  ASSERT_TRUE(writeTextFile("notes.txt", {"一"}));
  ::close(busy);
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    names.insert(e.path().filename());
  EXPECT_EQ(names, (std::set<std::string>{"notes.txt", "other.txt.7.tmp", "notes.txt.tmp",
                                          "notes.txt.12a.tmp", "notes.txt.88.tmp"}));

  // A file the user made read-only is refused as a read-only folder would be.
  ASSERT_EQ(::chmod("notes.txt", 0444), 0);
  EXPECT_FALSE(writeTextFile("notes.txt", {"二"}));
  EXPECT_EQ(readBytes("notes.txt"), "\x88\xea\r\n");
  EXPECT_FALSE(std::filesystem::exists("notes.txt." + std::to_string(::getpid()) + ".tmp"));
  ASSERT_EQ(::chmod("notes.txt", 0644), 0);
  EXPECT_TRUE(writeTextFile("notes.txt", {"二"})) << "writable again, replaced again";
}

class SettingsFile : public ::testing::Test,
                     protected testing::InFolderOfItsOwn,
                     protected testing::EmptyGame {
protected:
  void SetUp() override {
    fake::reset();
    // Start-up finds the library and the music as the fifth sound.
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "爆発音.wav", "BGM.wav"})
      dir.write(name, "RIFF");
    ui.sound = &fake::api();
    g.SOUND_LIB = &fake::api();
    g.SOUND_BGM = 5;
  }
  void writeFile(const std::string& utf8) {
    std::istringstream in(utf8);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    dir.write(SETTINGS_FILE, *encodeLines(lines));
  }
  std::vector<std::string> fileLines() const {
    std::vector<std::string> out;
    const auto lines = readTextFile(SETTINGS_FILE);
    if (lines)
      for (const auto& l : *lines) out.push_back(l.value_or("?"));
    return out;
  }
  void expectDefaultsApplied() {
    EXPECT_EQ(g.BACKGROUND, BG_MIDORI);
    EXPECT_TRUE(isChecked(g, Menu::MIDORI));
    EXPECT_FALSE(isChecked(g, Menu::TATAMI));
    EXPECT_FALSE(isChecked(g, Menu::MOCHIKOMA));
    EXPECT_FALSE(isChecked(g, Menu::SIDOU));
    EXPECT_EQ(g.GUIDE_ON, OFF);
    EXPECT_EQ(g.COLOR_GUIDE, COLOR_BOARD);
    EXPECT_TRUE(isChecked(g, Menu::KEIKA));
    EXPECT_TRUE(isChecked(g, Menu::BGM));
    EXPECT_FALSE(g.TIMER1_ENABLED) << "the clock waits for the first turn";
  }
  bool backgroundPainted(int code) const {
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Picture && d.code == code && d.left == cellLeft(-3)) return true;
    return false;
  }
};

TEST_F(SettingsFile, FirstRunWritesAndAppliesTheDefaults) {
  Form_Load(g);
  EXPECT_EQ(readBytes(SETTINGS_FILE), DEFAULT_FILE_BYTES);
  expectDefaultsApplied();
  startSounds(g);
  ASSERT_FALSE(fake::calls.empty());
  EXPECT_EQ(fake::calls.back(), "loop 5") << "the music plays";
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(backgroundPainted(BG_MIDORI));
}

TEST_F(SettingsFile, AWholeFileIsAppliedAndLeftAsItIs) {
  writeFile("背景画=煉瓦\n持駒可=ON\n移動指導=ON\n経過時間=OFF\nBGM=OFF");
  const std::string before = readBytes(SETTINGS_FILE);
  読込_環境設定ファイル(g);
  EXPECT_EQ(g.BACKGROUND, BG_RENGA);
  EXPECT_TRUE(isChecked(g, Menu::RENGA));
  EXPECT_FALSE(isChecked(g, Menu::TATAMI));
  EXPECT_TRUE(isChecked(g, Menu::MOCHIKOMA));
  EXPECT_TRUE(isChecked(g, Menu::SIDOU));
  EXPECT_EQ(g.GUIDE_ON, ON);
  EXPECT_EQ(g.COLOR_GUIDE, COLOR_WHITE);
  EXPECT_FALSE(isChecked(g, Menu::KEIKA));
  EXPECT_FALSE(isChecked(g, Menu::BGM));
  EXPECT_TRUE(fake::calls.empty()) << "no music";
  EXPECT_EQ(readBytes(SETTINGS_FILE), before);
  // The stands show: the screen was redrawn with pieces in hand on.
  EXPECT_TRUE(std::any_of(ui.draws.begin(), ui.draws.end(), [](const DrawCall& d) {
    return d.kind == DrawCall::Picture && d.code == EMPTY && d.left == cellLeft(11);
  }));
}

TEST_F(SettingsFile, AShortFileIsReplacedByTheDefaultsAppliedOverWhatWasRead) {
  writeFile("背景画=宇宙\n持駒可=ON\n移動指導=ON\n経過時間=OFF");
  読込_環境設定ファイル(g);
  EXPECT_TRUE(backgroundPainted(BG_UCHU)) << "the lines that were there were applied first";
  expectDefaultsApplied();
  EXPECT_EQ(readBytes(SETTINGS_FILE), DEFAULT_FILE_BYTES);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"loop 5"});
  EXPECT_TRUE(ui.messages.empty());

  // Empty, and a folder where the file should be: defaults, no message, no crash.
  for (bool folder : {false, true}) {
    HeadlessPlatform ui2;
    Table g2{ui2};
    std::filesystem::remove_all(SETTINGS_FILE);
    if (folder)
      std::filesystem::create_directory(SETTINGS_FILE);
    else
      dir.write(SETTINGS_FILE, "");
    読込_環境設定ファイル(g2);
    EXPECT_EQ(g2.BACKGROUND, BG_MIDORI);
    EXPECT_TRUE(isChecked(g2, Menu::KEIKA));
    EXPECT_TRUE(ui2.messages.empty());
    EXPECT_EQ(readBytes(SETTINGS_FILE), folder ? "" : DEFAULT_FILE_BYTES);
  }
}

TEST_F(SettingsFile, OtherTextCountsAsOffAndOnTheFirstLineChangesNothing) {
  // The background line in UTF-8, not CP932, and a damaged fifth line.
  dir.write(SETTINGS_FILE,
            "背景画=宇宙\r\n持駒可=on\r\n移動指導=ON "
            "\r\n\x8c\x6f\x89\xdf\x8e\x9e\x8a\xd4=ON\r\n\x81\r\n");
  読込_環境設定ファイル(g);
  EXPECT_EQ(g.BACKGROUND, BG_MIDORI) << "the window's own green, not the wood of picture 0";
  EXPECT_TRUE(isChecked(g, Menu::TATAMI)) << "the window's own check mark stays";
  EXPECT_FALSE(backgroundPainted(BG_UCHU));
  EXPECT_FALSE(isChecked(g, Menu::MOCHIKOMA));
  EXPECT_FALSE(isChecked(g, Menu::SIDOU));
  EXPECT_EQ(g.COLOR_GUIDE, COLOR_BOARD);
  EXPECT_TRUE(isChecked(g, Menu::KEIKA));
  EXPECT_FALSE(isChecked(g, Menu::BGM));
  EXPECT_TRUE(fake::calls.empty());

  // The checked item now really shows its picture when chosen.
  onMenu(g, Menu::TATAMI);
  EXPECT_EQ(g.BACKGROUND, BG_TATAMI);
  EXPECT_TRUE(backgroundPainted(BG_TATAMI));
  EXPECT_EQ(fileLines().front(), "背景画=畳");
}

TEST_F(SettingsFile, AnUnknownBackgroundLeavesTheWindowGreenAndTheStandsInSight) {
  writeFile("背景画=桜\n持駒可=ON\n移動指導=OFF\n経過時間=ON\nBGM=OFF");
  const std::string before = readBytes(SETTINGS_FILE);
  Form_Load(g);
  auto painted = [&](int code, double x, double y) {
    return std::any_of(ui.draws.begin(), ui.draws.end(), [&](const DrawCall& d) {
      return d.kind == DrawCall::Picture && d.code == code && d.left == cellLeft(x) &&
             d.top == cellTop(y);
    });
  };
  // Round the board and beside the stands the window is green; only the
  // stands themselves are wood, so they stand out.
  for (auto [x, y] : {std::pair{-3.0, 0.0}, {15.0, 12.0}, {0.0, 3.0}, {12.0, 5.0}, {5.0, 10.0}}) {
    EXPECT_TRUE(painted(BG_MIDORI, x, y)) << x << "," << y;
    EXPECT_FALSE(painted(EMPTY, x, y)) << x << "," << y;
  }
  EXPECT_TRUE(painted(EMPTY, 11, 5));
  EXPECT_TRUE(painted(EMPTY, -1, 5));
  // The file and the menu stay as they were.
  EXPECT_TRUE(isChecked(g, Menu::TATAMI));
  EXPECT_FALSE(isChecked(g, Menu::MIDORI));
  EXPECT_EQ(readBytes(SETTINGS_FILE), before);
}

TEST_F(SettingsFile, EveryOptionChangeRewritesTheFile) {
  Form_Load(g);
  startSounds(g);
  fake::calls.clear();
  struct Step {
    Menu item;
    std::vector<std::string> lines;
  };
  const Step steps[] = {
      {Menu::TAKE, {"背景画=竹", "持駒可=OFF", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
      {Menu::UCHU, {"背景画=宇宙", "持駒可=OFF", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
      {Menu::MOCHIKOMA, {"背景画=宇宙", "持駒可=ON", "移動指導=OFF", "経過時間=ON", "BGM=ON"}},
      {Menu::SIDOU, {"背景画=宇宙", "持駒可=ON", "移動指導=ON", "経過時間=ON", "BGM=ON"}},
      {Menu::KEIKA, {"背景画=宇宙", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=ON"}},
      {Menu::BGM, {"背景画=宇宙", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=OFF"}},
      {Menu::RENGA, {"背景画=煉瓦", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=OFF"}},
      {Menu::TATAMI, {"背景画=畳", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=OFF"}},
      {Menu::MIDORI, {"背景画=緑", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=OFF"}},
      {Menu::BGM, {"背景画=緑", "持駒可=ON", "移動指導=ON", "経過時間=OFF", "BGM=ON"}},
      {Menu::SIDOU, {"背景画=緑", "持駒可=ON", "移動指導=OFF", "経過時間=OFF", "BGM=ON"}},
      {Menu::MOCHIKOMA, {"背景画=緑", "持駒可=OFF", "移動指導=OFF", "経過時間=OFF", "BGM=ON"}},
      // Choosing the background already shown still writes the file.
      {Menu::MIDORI, {"背景画=緑", "持駒可=OFF", "移動指導=OFF", "経過時間=OFF", "BGM=ON"}},
  };
  for (const Step& s : steps) {
    std::filesystem::remove(SETTINGS_FILE);
    onMenu(g, s.item);
    EXPECT_EQ(fileLines(), s.lines) << menuItem(s.item).name;
  }
  EXPECT_EQ(fake::calls, (std::vector<std::string>{"stop 5", "loop 5"}));
  EXPECT_TRUE(ui.messages.empty());

  // What was written is what the next run starts with.
  HeadlessPlatform ui2;
  Table g2{ui2};
  読込_環境設定ファイル(g2);
  for (Menu m : {Menu::MIDORI, Menu::TATAMI, Menu::TAKE, Menu::UCHU, Menu::RENGA, Menu::MOCHIKOMA,
                 Menu::SIDOU, Menu::KEIKA, Menu::BGM})
    EXPECT_EQ(isChecked(g2, m), isChecked(g, m)) << menuItem(m).name;
  EXPECT_EQ(g2.BACKGROUND, g.BACKGROUND);
}

TEST_F(SettingsFile, GuidanceOffWipesEveryHighlight) {
  Form_Load(g);
  onMenu(g, Menu::SIDOU);
  EXPECT_EQ(g.COLOR_GUIDE, COLOR_WHITE);
  EXPECT_EQ(g.GUIDE_ON, ON);
  ui.draws.clear();
  onMenu(g, Menu::SIDOU);
  EXPECT_EQ(g.COLOR_GUIDE, COLOR_GRID);
  EXPECT_EQ(g.GUIDE_ON, OFF);
  size_t outlines = 0;
  for (const DrawCall& d : ui.draws) {
    ASSERT_EQ(d.kind, DrawCall::Outline);
    EXPECT_EQ(d.code, COLOR_GRID);
    ++outlines;
  }
  // The board and both stands, but the two stand cells hidden without pieces in hand.
  EXPECT_EQ(outlines, 81u + 7 + 7 - 2);
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenKeepsTheOptionsAndSaysSoOnce) {
  std::filesystem::create_directory(SETTINGS_FILE);
  Form_Load(g);
  expectDefaultsApplied();
  EXPECT_TRUE(ui.messages.empty()) << "nothing the player chose is lost yet";

  onMenu(g, Menu::MOCHIKOMA);
  EXPECT_TRUE(isChecked(g, Menu::MOCHIKOMA)) << "the choice holds for this run";
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "Korvanu.ini");
  onMenu(g, Menu::UCHU);
  onMenu(g, Menu::BGM);
  EXPECT_EQ(g.BACKGROUND, BG_UCHU);
  EXPECT_TRUE(isChecked(g, Menu::MOCHIKOMA)) << "no fall back to the defaults";
  EXPECT_EQ(ui.messages.size(), 1u);
}

// Opening a FIFO for reading waits for a writer, and a signal does not end the
// wait. Each read of the game's files meets one with no writer: it must come
// back by itself; one stuck is let go by a writer that leaves at once, and fails.
TEST_F(SettingsFile, NoReadWaitsOnAFifoOrOtherSpecialFile) {
  const std::string here = dir.path().string();
  g.SOUND_DEVICE = 1;
  ui.fileFolder = here;
  const std::pair<const char*, std::function<bool()>> reads[] = {
      {SETTINGS_FILE,
       [&] {
         読込_環境設定ファイル(g);
         return isChecked(g, Menu::BGM) && ui.messages.empty(); // the defaults, unasked
       }},
      {"game.棋譜",
       [&] {
         File1_Click(g, "game.棋譜");
         return !ui.messages.empty() && ui.messages.back().text == "棋譜ﾌｧｲﾙを読み込めませんでした";
       }},
      {"BGM.wav",
       [&] {
         return CreateSound(g, FILE_SOUND_BGM, 1) == 0 && !ui.messages.empty() &&
                ui.messages.back().title == SOUND_WARNING_TITLE;
       }},
      {"libKorvanu.so", [&] { return !SoundLibrary::open(here + "/libKorvanu.so"); }},
      {"cfg/user-dirs.dirs",
       [&] {
         return chooseLocations({here + "/bin", here + "/home", here + "/cfg", "..", "..", "", ""})
                    .recordsFolder == here + "/home/Documents/Korvanu";
       }},
  };
  std::filesystem::create_directories("cfg");
  for (const auto& [name, read] : reads) {
    SCOPED_TRACE(name);
    std::filesystem::remove(name);
    ASSERT_EQ(::mkfifo(name, 0644), 0);
    ui.messages.clear();
    auto answer = std::async(std::launch::async, read);
    bool waited = false;
    while (answer.wait_for(std::chrono::seconds(waited ? 0 : 2)) != std::future_status::ready) {
      waited = true;
      ::close(::open(name, O_WRONLY | O_NONBLOCK | O_CLOEXEC));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(waited) << "the read waited for a writer";
    EXPECT_TRUE(answer.get());
  }
}

} // namespace
} // namespace korvanu
