// What the record and the clocks hold after real play: every move as it
// stood once its explosion was over, the move that ended the game, the
// turned board as the new start, and the time each side really used.
#include <gtest/gtest.h>

#include "play/commands.h"
#include "play/file_panel.h"
#include "record/record_file.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "state/game.h"

namespace korvanu {
namespace {

using testing::on;

class GameRecord : public testing::GameFlow {
protected:
  // The side to move steps its king off its home square or back onto it.
  void kingStep() {
    const bool lower = g.TURN == g.SIDE_MAN;
    const int home = lower ? 9 : 1, out = lower ? 8 : 2;
    if (g.BOARD[5][home] == (lower ? CODE_SITA_OU : CODE_UE_OU))
      move(5, home, 5, out);
    else
      move(5, out, 5, home);
    ui.draws.clear();
  }
  bool shows(const RecordEntry& e) const { return testing::withoutClocks(e) == positionOf(g); }
  bool refusedStep(const char* title) const { return said("できません", title); }
  // Saves the record through the file panel and reads the file back.
  RecordFile saveAndRead() {
    menu(Menu::KIFU_WRITE);
    ui.fields[0] = "game";
    Command1_Click(g);
    EXPECT_TRUE(said("棋譜を書き込みました", "  "));
    auto file = readRecordFile((dir.path() / "game.棋譜").string());
    EXPECT_TRUE(file.has_value());
    return file.value_or(RecordFile{});
  }
};

TEST_F(GameRecord, TheComputersCaptureIsKeptAsItStandsAfterTheExplosion) {
  menu(Menu::SENTE);
  move(1, 7, 1, 6); // the computer opens its bishop's diagonal
  ASSERT_EQ(g.BOARD[7][4], CODE_UE_HU);
  move(4, 7, 4, 6); // and its bishop takes on (4, 6)
  ASSERT_EQ(g.MOVE_NO, 4);
  ASSERT_EQ(g.HAND_SITA[KAKU], 1) << "the bishop blew itself up with the capture";
  ASSERT_EQ(g.BOARD[4][6], EMPTY);
  const RecordEntry after = positionOf(g);

  EXPECT_TRUE(shows(g.REC[4]));
  menu(Menu::REPLAY);
  menu(Menu::AFTER);
  EXPECT_TRUE(shows(after)) << "back and forward bring the blast back";
  const RecordFile file = saveAndRead();
  ASSERT_EQ(file.entries.size(), 4u);
  EXPECT_EQ(testing::withoutClocks(file.entries[3]), after)
      << "the file holds the position after the blast";
}

TEST_F(GameRecord, TheMoveThatEndsTheGameIsRecordedAndSaved) {
  menu(Menu::START);
  ui.answers = {Answer::Yes};
  rookBlastsTheUpperKing();
  ASSERT_TRUE(said("先手の勝ちです", "終了"));
  ASSERT_EQ(g.TURN, NO_GAME) << "another game was set up";
  EXPECT_EQ(g.RECORD_LAST, 3);
  const RecordFile file = saveAndRead();
  ASSERT_EQ(file.entries.size(), 3u);
  const RecordEntry& last = file.entries[2];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      EXPECT_EQ(last.BOARD[x][y], x == 5 && y == 8 ? CODE_SITA_OU : EMPTY) << x << "," << y;
  EXPECT_EQ(last.HAND_SITA[KIN], 1);
  EXPECT_EQ(last.HAND_UE[SYA], 1);
}

TEST_F(GameRecord, AgainstTheComputerTheHumansEndingMoveWinsAtOnceAndIsRecorded) {
  // The human's rook takes a pawn beside the computer's king: the blast
  // takes the king, and that wins before any mate test.
  menu(Menu::SENTE);
  ui.answers = {Answer::No};
  rookBesideTheUpperKing();
  move(5, 6, 5, 2);
  ASSERT_TRUE(said("あなたの勝ちです", "終了"));
  EXPECT_TRUE(ui.quitRequested) << "the player declined another game";
  EXPECT_EQ(g.RECORD_LAST, 1);
  EXPECT_EQ(g.BOARD[5][1], EMPTY);
  EXPECT_TRUE(shows(g.REC[1]));
}

TEST_F(GameRecord, AgainstTheComputerItsEndingMoveIsRecorded) {
  // The computer's gold takes the human's king and blows up with it.
  menu(Menu::SENTE);
  ui.answers = {Answer::No};
  testing::emptyBoard(g, {on(9, 9, CODE_SITA_OU), on(1, 9, CODE_SITA_KYOU), on(5, 1, CODE_UE_OU),
                          on(9, 8, CODE_UE_KIN)});
  move(1, 9, 1, 8);
  ASSERT_TRUE(said("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"));
  EXPECT_TRUE(ui.quitRequested) << "the player declined another game";
  EXPECT_EQ(g.RECORD_LAST, 2);
  EXPECT_EQ(g.BOARD[9][9], EMPTY) << "the gold went with the king";
  EXPECT_EQ(g.HAND_SITA[KIN], 1);
  EXPECT_TRUE(shows(g.REC[2]));
}

TEST_F(GameRecord, TheTurnedBoardIsTheNewStartOfTheRecord) {
  menu(Menu::START);
  move(7, 7, 7, 6);
  move(3, 3, 3, 4);
  move(8, 7, 8, 6);
  menu(Menu::REVERSE);
  const RecordEntry turned = positionOf(g);
  ASSERT_EQ(g.TURN, TURN_SENTE) << "the army that had the move keeps it";
  kingStep();
  menu(Menu::REPLAY);
  EXPECT_TRUE(shows(turned));
  EXPECT_EQ(g.MOVE_NO, 0);
  menu(Menu::REPLAY);
  EXPECT_TRUE(refusedStep("戻る"));

  // A start command cuts the record at the shown entry: nothing of the game
  // before the turn comes back.
  ui.messages.clear();
  menu(Menu::SENTE);
  EXPECT_EQ(g.RECORD_LAST, 0);
  menu(Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  EXPECT_TRUE(shows(turned));
}

TEST_F(GameRecord, MoreThanFiveHundredMovesWithATurnStepToBothEnds) {
  menu(Menu::START);
  for (int i = 0; i < 261; ++i) kingStep();
  menu(Menu::REVERSE);
  const RecordEntry turned = positionOf(g);
  for (int i = 0; i < 260; ++i) kingStep();
  ASSERT_EQ(g.GAME_MOVES, 521);
  ASSERT_EQ(g.TURN, g.SIDE_MAN);
  const RecordEntry last = positionOf(g);
  menu(Menu::GOTE); // against the computer from here; the human keeps the move
  ASSERT_EQ(g.MOVE_NO, 260);
  menu(Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  ASSERT_EQ(g.MOVE_NO, 260);

  for (int i = 0; i < 260; ++i) menu(Menu::REPLAY);
  EXPECT_TRUE(shows(turned));
  ui.messages.clear();
  menu(Menu::REPLAY);
  EXPECT_TRUE(refusedStep("戻る"));
  for (int i = 0; i < 260; ++i) menu(Menu::AFTER);
  EXPECT_TRUE(shows(last));
  EXPECT_EQ(g.GAME_MOVES, 521);
  ui.messages.clear();
  menu(Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  EXPECT_EQ(g.MOVE_NO, 260);
}

TEST_F(GameRecord, TotalsHoldTheTimeReallyUsedWithTheClockHidden) {
  menu(Menu::KEIKA);
  ASSERT_FALSE(isChecked(g, Menu::KEIKA));
  menu(Menu::SENTE);
  tick(10);
  move(7, 7, 7, 6); // the computer answers at once
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 10);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 0) << "the computer took no time";
  EXPECT_DOUBLE_EQ(g.REC[2].TIME_C, 0);
  tick(30);
  move(2, 7, 2, 6);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 40);
  EXPECT_DOUBLE_EQ(g.REC[3].TIME_A, 40);
  EXPECT_DOUBLE_EQ(g.REC[3].TIME_B, 40);

  // A new game between two people starts from nothing.
  menu(Menu::CANCEL);
  menu(Menu::START);
  tick(3);
  move(7, 7, 7, 6);
  tick(4);
  move(3, 3, 3, 4);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 3);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 4);
  EXPECT_DOUBLE_EQ(g.REC[2].TIME_C, 4);
}

} // namespace
} // namespace korvanu
