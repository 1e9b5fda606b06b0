// Saving and loading records through the file panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless.h"
#include "play/board_input.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/setup.h"
#include "record/entry_line.h"
#include "record/record_file.h"
#include "scripted_game.h"
#include "state/game.h"

namespace korvanu {
namespace {

using testing::bytesOf;

class RecordFiles : public testing::GameFlow {
protected:
  void playThreeMoves() {
    menu(Menu::START);
    move(7, 7, 7, 6);
    move(3, 3, 3, 4);
    move(8, 7, 8, 6);
    ASSERT_EQ(g.RECORD_LAST, 3);
  }
  void save(const std::string& name, const std::string& title = "練習対局") {
    menu(Menu::KIFU_WRITE);
    ui.fields[0] = name;
    ui.fields[1] = title;
    ui.fields[2] = "羽生";
    ui.fields[3] = "コンピュータ";
    Command1_Click(g);
  }
};

TEST_F(RecordFiles, AThreeMoveGameSavesAsSixCp932LinesAndLoadsBack) {
  playThreeMoves();
  save("abc");
  EXPECT_TRUE(said("棋譜を書き込みました", "  "));
  EXPECT_FALSE(ui.recordFields) << "the panel closes";
  const std::string bytes = bytesOf(dir.path() / "abc.棋譜");
  // 練習対局 in CP932, then CR LF.
  EXPECT_EQ(bytes.substr(0, 10), "\x97\xfb\x8f\x4b\x91\xce\x8b\xc7\r\n");
  size_t lines = 0;
  for (size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 6u);
  EXPECT_EQ(bytes.find('\n', 0), bytes.find("\r\n") + 1) << "every line ends in CR LF";
  const RecordEntry entry3 = g.REC[3];

  menu(Menu::CANCEL);
  ui.messages.clear();
  File1_Click(g, "abc.棋譜");
  EXPECT_EQ(g.RECORD_LAST, 3);
  EXPECT_EQ(g.MOVE_NO, 0);
  EXPECT_EQ(g.TURN, TURN_SENTE);
  EXPECT_EQ(g.RECORD_MODE, ON);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, " 読み込みました");
  EXPECT_EQ(ui.messages[1].text, "棋譜を '進 'で進めて下さい");
  EXPECT_EQ(formatEntryLine(g.REC[3]), formatEntryLine(entry3));
  // The human played first, so the second player's name heads the file and stands above the board.
  bool upperName = false;
  for (const DrawCall& d : ui.draws)
    upperName |= d.kind == DrawCall::Text && d.text == "コンピュータ" && d.top == 100;
  EXPECT_TRUE(upperName);
  for (int i = 0; i < 3; ++i) menu(Menu::AFTER);
  menu(Menu::AFTER);
  EXPECT_TRUE(said("終わり", "進む"));
}

TEST_F(RecordFiles, SavingIsRefusedWithItsMessages) {
  save("abc");
  EXPECT_TRUE(said("保存するデータがありません", "棋譜保存"));
  playThreeMoves();
  save("");
  EXPECT_TRUE(said("ﾌｧｲﾙ名が入力されていません", "  "));
  save("../elsewhere");
  EXPECT_TRUE(said("ﾌｧｲﾙ名が正しくありません", "  "));
  EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "elsewhere.棋譜"));

  g.REVERSED = ON;
  menu(Menu::KIFU_WRITE);
  EXPECT_TRUE(said("反転後は書き込みできません", "棋譜書込"));
  g.REVERSED = OFF;
  g.HANDICAP_SET = ON;
  menu(Menu::KIFU_WRITE);
  EXPECT_TRUE(said("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません", "棋譜書込"));
}

TEST_F(RecordFiles, AFailedSaveLeavesWhatWasSavedAndSaysSo) {
  playThreeMoves();
  save("kept");
  const std::string before = bytesOf(dir.path() / "kept.棋譜");
  std::filesystem::create_directory(dir.path() / "folder.棋譜");
  ui.messages.clear();
  save("folder"); // a folder stands where the file would go
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙを書き込めませんでした", "棋譜保存"));
  EXPECT_TRUE(ui.recordFields) << "the panel stays open to try again";
  save("kept", "a title that cannot be CP932: \xF0\x9F\x98\x80");
  EXPECT_EQ(bytesOf(dir.path() / "kept.棋譜"), before);
  for (const auto& f : std::filesystem::directory_iterator(dir.path()))
    EXPECT_NE(f.path().extension(), ".tmp") << "no temporary file is left: " << f.path();
}

TEST_F(RecordFiles, AFileMarkedReadOnlyIsNotReplaced) {
  playThreeMoves();
  save("kept");
  const auto path = dir.path() / "kept.棋譜";
  const std::string before = bytesOf(path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                         std::filesystem::perms::group_read |
                                         std::filesystem::perms::others_read);
  ui.messages.clear();
  save("kept", "別の対局");
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙを書き込めませんでした", "棋譜保存"));
  EXPECT_FALSE(said("棋譜を書き込みました", "  "));
  EXPECT_TRUE(ui.recordFields) << "the panel stays open to save elsewhere";
  EXPECT_EQ(bytesOf(path), before);
}

TEST_F(RecordFiles, AFieldShiftJisCannotHoldIsNamedAndNothingIsWritten) {
  playThreeMoves();
  save("kept");
  const std::string before = bytesOf(dir.path() / "kept.棋譜");
  // Fields 2..4 as the panel labels them.
  const std::pair<int, const char*> fields[] = {{2, "対局名"}, {3, "先手"}, {4, "後手"}};
  for (const auto& [field, label] : fields) {
    for (const char* name : {"kept", "fresh"}) {
      menu(Menu::KIFU_WRITE);
      ui.fields[0] = name;
      ui.fields[1] = "練習対局";
      ui.fields[2] = "羽生";
      ui.fields[3] = "コンピュータ";
      ui.fields[field - 1] = "Café";
      ui.messages.clear();
      Command1_Click(g);
      ASSERT_EQ(ui.messages.size(), 1u) << label;
      EXPECT_EQ(ui.messages[0].text, std::string(label) + "に書き込めない文字があります");
      EXPECT_EQ(ui.messages[0].title, "棋譜保存");
      EXPECT_TRUE(ui.recordFields) << "the panel stays open to mend the text";
      EXPECT_EQ(ui.fields[field - 1], "Café") << "what was typed stays";
    }
  }
  EXPECT_EQ(bytesOf(dir.path() / "kept.棋譜"), before);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "fresh.棋譜"));
  // Once mended, the save goes through.
  ui.fields[3] = "Cafe";
  Command1_Click(g);
  EXPECT_TRUE(said("棋譜を書き込みました", "  "));
}

TEST_F(RecordFiles, SavingOverAFileAsksFirst) {
  playThreeMoves();
  save("kept");
  for (const MessageCall& m : ui.messages)
    EXPECT_NE(m.buttons, Buttons::YesNo) << "a new file needs no question";
  const auto path = dir.path() / "kept.棋譜";
  const std::string before = bytesOf(path);
  const std::string question = "kept.棋譜 は既にあります。置き換えますか？";

  ui.answers = {Answer::No};
  ui.messages.clear();
  save("kept", "別の対局");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, question);
  EXPECT_EQ(ui.messages[0].title, "棋譜保存");
  EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNo);
  EXPECT_TRUE(ui.recordFields) << "いいえ: the panel stays open";
  EXPECT_EQ(ui.fields[0], "kept");
  EXPECT_EQ(bytesOf(path), before);

  ui.answers = {Answer::Yes};
  ui.messages.clear();
  Command1_Click(g);
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].text, question);
  EXPECT_EQ(ui.messages[1].text, "棋譜を書き込みました");
  EXPECT_FALSE(ui.recordFields);
  const auto back = readRecordFile(path.string());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->title, "別の対局");
}

TEST_F(RecordFiles, BrokenFilesLoadNothing) {
  playThreeMoves();
  save("good");
  std::string bytes = bytesOf(dir.path() / "good.棋譜");
  const RecordEntry shown = g.REC[3];
  auto load = [&](const std::string& name, const std::string& content) {
    std::ofstream(dir.path() / name, std::ios::binary) << content;
    ui.messages.clear();
    File1_Click(g, name);
  };
  const size_t line5 =
      bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n", bytes.find("\r\n") + 2) + 2) + 2) +
      2;
  load("short.棋譜", bytes.substr(0, line5 + 100));
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙの 5 行目が正しくありません", "棋譜"));
  std::string bad = bytes;
  bad.replace(line5 + 3, 3, " 51");
  load("code.棋譜", bad);
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙの 5 行目が正しくありません", "棋譜"));
  File1_Click(g, "missing.棋譜");
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙを読み込めませんでした", "棋譜"));
  // None of that touched the game.
  EXPECT_EQ(g.RECORD_MODE, OFF);
  EXPECT_EQ(g.RECORD_LAST, 3);
  EXPECT_EQ(formatEntryLine(g.REC[3]), formatEntryLine(shown));

  load("empty.棋譜", "title\r\nupper\r\nlower\r\n");
  EXPECT_TRUE(said("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません", "棋譜"));
  EXPECT_EQ(g.RECORD_MODE, ON);
  EXPECT_EQ(g.RECORD_LAST, 0);
}

TEST_F(RecordFiles, LongGamesAndFullHandsSurviveTheRoundTrip) {
  RecordFile file;
  file.title = "長い対局";
  RecordEntry e = g.REC[0];
  for (int x = 1; x <= 9; ++x) e.BOARD[x][7] = EMPTY; // the lower pawns...
  e.HAND_UE[HU] = 9;                                  // ...all in the upper hand
  e.HAND_SITA[HU] = 0;
  e.BOARD[1][3] = EMPTY;
  e.HAND_UE[HU] = 10;
  for (int i = 0; i < 600; ++i) {
    e.TIME_A = i;
    file.entries.push_back(e);
  }
  ASSERT_TRUE(writeRecordFile((dir.path() / "long.棋譜").string(), file));
  File1_Click(g, "long.棋譜");
  EXPECT_EQ(g.RECORD_LAST, 600);
  EXPECT_EQ(g.REC[600].HAND_UE[HU], 10);
  EXPECT_EQ(g.REC[600].TIME_A, 599);
  const auto back = readRecordFile((dir.path() / "long.棋譜").string());
  ASSERT_TRUE(back);
  EXPECT_EQ(back->title, "長い対局");
}

TEST_F(RecordFiles, AnUnreadableDriveKeepsTheFolder) {
  ui.folderShown = dir.path().string();
  Drive1_Change(g, (dir.path() / "no such volume").string());
  EXPECT_TRUE(said("ﾃﾞﾊﾞｲｽが準備できていません", "ｴﾗｰ"));
  EXPECT_EQ(ui.folderShown, dir.path().string());
  Drive1_Change(g, "/");
  EXPECT_EQ(ui.folderShown, "/");
  EXPECT_EQ(ui.fileFolder, "/") << "the file list follows the folder";
}

TEST(RecordFileFormat, EmptyLinesAndBlanksAtTheEndAreIgnoredAndNothingElse) {
  HeadlessPlatform ui;
  Table g{ui};
  初期設定(g);
  const std::string entry = formatEntryLine(g.REC[0]);
  const std::string head = "title\r\nupper\r\nlower\r\n" + entry + "\r\n" + entry;
  for (const char* tail : {"\r\n\r\n", "\r\n\r\n\r\n", "   ", "\t ", "\r\n  \r\n",
                           "\r\n \t\r\n\r\n", "\n\n", "  \r\n\r\n"}) {
    const auto f = parseRecordFile(head + tail);
    ASSERT_TRUE(f) << ::testing::PrintToString(std::string(tail));
    EXPECT_EQ(f->entries.size(), 2u);
  }
  const auto noClocks = parseRecordFile(head.substr(0, head.size() - 20) + "  \r\n\r\n");
  ASSERT_TRUE(noClocks);
  EXPECT_EQ(noClocks->entries.size(), 2u);

  // Anything else out of shape is refused as ever, with its line.
  const std::pair<std::string, size_t> refused[] = {
      {head + "\r\n\r\n" + entry + "\r\n", 6}, // an empty line between entries
      {"title\r\nupper\r\nlower\r\n" + entry + "  \r\n" + entry + "\r\n", 4}, // blanks inside
      {head + "\r\n\r\nx\r\n", 6},                      // the empty line is not at the end
      {head + "\r\n\x81\r\n", 6},                       // bytes that are no text
      {head + "\r\n-20" + entry.substr(3) + "\r\n", 6}, // a lower lance on row 1
  };
  for (const auto& [bytes, line] : refused) {
    size_t bad = 0;
    EXPECT_FALSE(parseRecordFile(bytes, nullptr, &bad));
    EXPECT_EQ(bad, line);
  }
  // The header lines are taken as they are, even empty ones at the end.
  const auto headers = parseRecordFile("title \r\nupper\r\n\r\n");
  ASSERT_TRUE(headers);
  EXPECT_EQ(headers->title, "title ");
  EXPECT_EQ(headers->lowerName, "");
  EXPECT_TRUE(headers->entries.empty());
}

TEST(RecordFileFormat, HeaderLinesMissingRepeatTheLastOne) {
  const auto f = parseRecordFile("only a title\r\n");
  ASSERT_TRUE(f);
  EXPECT_EQ(f->upperName, "only a title");
  EXPECT_EQ(f->lowerName, "only a title");
  EXPECT_TRUE(f->entries.empty());
  size_t bad = 0;
  EXPECT_FALSE(parseRecordFile("a\r\nb\r\nc\r\n\xff\xff\r\n", nullptr, &bad));
  EXPECT_EQ(bad, 4u);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("abc"), 3822 - 99 * 3);
  EXPECT_DOUBLE_EQ(取得_棋譜のX座標("対局"), 3822 - 99 * 2) << "characters, not bytes";
}

} // namespace
} // namespace korvanu
