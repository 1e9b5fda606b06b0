// 投了: the side to move gives up; the other is named the winner as after a
// lost king, the record and the clocks stop where they were, and the
// autosave's title says how the game ended. Refused where nobody may resign.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "play/autosave.h"
#include "play/file_panel.h"
#include "record/record_file.h"
#include "scripted_game.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;
using Session = testing::ScriptedGame;

class Resign : public testing::GameFlow {
protected:
  fs::path kept() const { return dir.path() / "前回の対局.棋譜"; }
};

TEST_F(Resign, TheOtherSideWinsAndTheGameIsKeptAsPlayed) {
  struct Row {
    const char* how;
    std::function<void(Session&)> play;
    const char* winner;
  };
  const Row rows[] = {
      {"against the computer, on the human's turn",
       [](Session& s) {
         s.menu(Menu::SENTE);
         s.playSomething(); // and the computer's reply
       },
       "ｺﾝﾋﾟｭｰﾀ"},
      {"between two people, 先手 to move",
       [](Session& s) {
         s.menu(Menu::START);
         s.move(7, 7, 7, 6);
         s.move(3, 3, 3, 4);
       },
       "後手"},
      {"between two people, 後手 to move",
       [](Session& s) {
         s.menu(Menu::START);
         s.move(7, 7, 7, 6);
       },
       "先手"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    fs::remove(kept());
    Session s;
    if (!isChecked(s.g, Menu::KEIKA)) s.menu(Menu::KEIKA);
    row.play(s);
    const int recorded = s.g.RECORD_LAST;
    const double man = s.g.MAN_TIME, com = s.g.COM_TIME;
    const bool lowerToMove = s.g.TURN == s.g.SIDE_MAN;
    s.tick(7); // the running turn, counted to the side that resigns
    ASSERT_TRUE(s.ui.timerEnabled);
    s.ui.messages.clear();
    s.ui.answers = {Answer::Yes, Answer::No}; // 投了しますか？ yes; 続けますか？ no
    s.menu(Menu::RESIGN);

    EXPECT_TRUE(s.said(std::string(row.winner) + "の勝ちです", "終了"));
    ASSERT_FALSE(s.ui.messages.empty());
    EXPECT_EQ(s.ui.messages.back().title, "再ゲーム");
    EXPECT_TRUE(s.ui.quitRequested);
    EXPECT_EQ(s.g.RECORD_LAST, recorded) << "nothing is added to the record";
    EXPECT_FALSE(s.ui.timerEnabled);
    EXPECT_DOUBLE_EQ(s.g.MAN_TIME, man + (lowerToMove ? 7 : 0));
    EXPECT_DOUBLE_EQ(s.g.COM_TIME, com + (lowerToMove ? 0 : 7));

    const auto file = readRecordFile(kept().string());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->title, "自動保存の対局（投了）");
    EXPECT_EQ(file->entries.size(), static_cast<size_t>(recorded));
  }
}

TEST_F(Resign, TheAutosaveKnowsItsFileByEitherTitle) {
  for (const char* earlier : {AUTOSAVE_TITLE, AUTOSAVE_RESIGNED_TITLE}) {
    SCOPED_TRACE(earlier);
    ASSERT_TRUE(writeRecordFile(kept().string(), {earlier, "先手", "後手", {}}));
    const auto found = lastKeptGame(g);
    ASSERT_TRUE(found);
    EXPECT_TRUE(fs::equivalent(*found, kept()));
    menu(Menu::START);
    move(7, 7, 7, 6);
    ui.answers = {Answer::Yes, Answer::Yes}; // resigned, and a new game set up
    menu(Menu::RESIGN);
    ASSERT_EQ(g.TURN, NO_GAME);
    EXPECT_FALSE(g.RECORD_RESIGNED) << "the new game is not resigned";
    // The resigned game is gone with the new one; the next is kept plainly.
    menu(Menu::START);
    move(7, 7, 7, 6);
    ASSERT_FALSE(g.RECORD_UNSAVED) << "kept as it was played";
    EXPECT_FALSE(fs::exists(dir.path() / "前回の対局(2).棋譜")) << "its own file is replaced";
    const auto file = readRecordFile(kept().string());
    ASSERT_TRUE(file);
    EXPECT_EQ(file->title, AUTOSAVE_TITLE);
  }
}

TEST_F(Resign, RefusedWhereNobodyMayResign) {
  struct Row {
    const char* where;
    std::function<void(Resign&)> reach;
    const char* reason;
  };
  const Row rows[] = {
      {"no game", [](Resign&) {}, "対局中ではありません"},
      {"a loaded record",
       [](Resign& t) {
         t.menu(Menu::START);
         t.move(7, 7, 7, 6);
         t.menu(Menu::KIFU_WRITE);
         t.ui.fields[0] = "saved";
         Command1_Click(t.g);
         t.menu(Menu::KIFU_READ);
         File1_Click(t.g, "saved.棋譜");
         t.menu(Menu::AFTER);
       },
       "棋譜ﾓｰﾄﾞではできません"},
      {"the computer's turn, stepped back to",
       [](Resign& t) {
         t.menu(Menu::SENTE);
         t.playSomething();
         t.menu(Menu::REPLAY);
       },
       "ｺﾝﾋﾟｭｰﾀの番ではできません"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.where);
    menu(Menu::CANCEL);
    row.reach(*this);
    const int turn = g.TURN, recorded = g.RECORD_LAST, forbidden = played(FORBIDDEN);
    ui.messages.clear();
    menu(Menu::RESIGN);
    EXPECT_TRUE(said(row.reason, "投了"));
    EXPECT_EQ(played(FORBIDDEN), forbidden + 1);
    EXPECT_EQ(ui.messages.size(), 1u) << "nothing more is said or asked";
    EXPECT_EQ(g.TURN, turn);
    EXPECT_EQ(g.RECORD_LAST, recorded);
  }
  // Answering いいえ to the question leaves the game as it was.
  menu(Menu::CANCEL);
  menu(Menu::START);
  ui.messages.clear();
  ui.answers = {Answer::No};
  menu(Menu::RESIGN);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(g.TURN, TURN_SENTE);
  EXPECT_FALSE(g.RECORD_RESIGNED);
}

} // namespace
} // namespace korvanu
