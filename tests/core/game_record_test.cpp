// What the record and the clocks hold after real play: every move as it
// stood once its explosion was over, the move that ended the game, the
// turned board as the new start, and the time each side really used.
#include <gtest/gtest.h>

#include <cstring>

#include "game_fixture.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "record/record_file.h"
#include "rules/record.h"
#include "state/game.h"

namespace korvanu {
namespace {

using testing::on;

class GameRecord : public testing::OpenedGame {
protected:
  void move(int fx, int fy, int tx, int ty) {
    click(fx, fy);
    click(tx, ty);
  }
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
  static bool same(const RecordEntry& a, const RecordEntry& b) {
    return std::memcmp(a.BOARD, b.BOARD, sizeof a.BOARD) == 0 &&
           std::memcmp(a.HAND_SITA, b.HAND_SITA, sizeof a.HAND_SITA) == 0 &&
           std::memcmp(a.HAND_UE, b.HAND_UE, sizeof a.HAND_UE) == 0;
  }
  bool shows(const RecordEntry& e) const { return same(e, positionOf(g)); }
  bool refusedStep(const char* title) const { return said("できません", title); }
  // Saves the record through the file panel and reads the file back.
  RecordFile saveAndRead() {
    onMenu(g, Menu::KIFU_WRITE);
    ui.fields[0] = "game";
    Command1_Click(g);
    EXPECT_TRUE(said("棋譜を書き込みました", "  "));
    auto file = readRecordFile((dir.path() / "game.棋譜").string());
    EXPECT_TRUE(file.has_value());
    return file.value_or(RecordFile{});
  }
};

TEST_F(GameRecord, TheComputersCaptureIsKeptAsItStandsAfterTheExplosion) {
  onMenu(g, Menu::SENTE);
  move(1, 7, 1, 6); // the computer opens its bishop's diagonal
  ASSERT_EQ(g.BOARD[7][4], CODE_UE_HU);
  move(4, 7, 4, 6); // and its bishop takes on (4, 6)
  ASSERT_EQ(g.MOVE_NO, 4);
  ASSERT_EQ(g.HAND_SITA[KAKU], 1) << "the bishop blew itself up with the capture";
  ASSERT_EQ(g.BOARD[4][6], EMPTY);
  const RecordEntry after = positionOf(g);

  EXPECT_TRUE(shows(g.REC[4]));
  onMenu(g, Menu::REPLAY);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(shows(after)) << "back and forward bring the blast back";
  const RecordFile file = saveAndRead();
  ASSERT_EQ(file.entries.size(), 4u);
  EXPECT_TRUE(same(file.entries[3], after)) << "the file holds the position after the blast";
}

TEST_F(GameRecord, TheMoveThatEndsTheGameIsRecordedAndSaved) {
  // Between two people: the rook takes the gold and the blast takes the king.
  onMenu(g, Menu::START);
  ui.answers = {Answer::Yes};
  testing::emptyBoard(g, {on(5, 9, CODE_SITA_OU), on(5, 6, CODE_SITA_SYA), on(5, 1, CODE_UE_OU),
                          on(4, 2, CODE_UE_KIN)});
  move(5, 9, 5, 8);
  move(4, 2, 5, 2);
  move(5, 6, 5, 2);
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

TEST_F(GameRecord, AgainstTheComputerTheHumansEndingMoveIsRecorded) {
  // The human's rook blows up the computer's king.
  onMenu(g, Menu::SENTE);
  ui.answers = {Answer::No};
  rookBesideTheUpperKing();
  move(5, 6, 5, 2);
  ASSERT_TRUE(said("あなたの勝ちです", "終了"));
  EXPECT_EQ(g.RECORD_LAST, 1);
  EXPECT_EQ(g.BOARD[5][1], EMPTY);
  EXPECT_TRUE(shows(g.REC[1]));
}

TEST_F(GameRecord, AgainstTheComputerItsEndingMoveIsRecorded) {
  // The computer's gold takes the human's king and blows up with it.
  onMenu(g, Menu::SENTE);
  ui.answers = {Answer::No};
  testing::emptyBoard(g, {on(9, 9, CODE_SITA_OU), on(1, 9, CODE_SITA_KYOU), on(5, 1, CODE_UE_OU),
                          on(9, 8, CODE_UE_KIN)});
  move(1, 9, 1, 8);
  ASSERT_TRUE(said("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"));
  EXPECT_EQ(g.RECORD_LAST, 2);
  EXPECT_EQ(g.BOARD[9][9], EMPTY) << "the gold went with the king";
  EXPECT_EQ(g.HAND_SITA[KIN], 1);
  EXPECT_TRUE(shows(g.REC[2]));
}

TEST_F(GameRecord, TheTurnedBoardIsTheNewStartOfTheRecord) {
  onMenu(g, Menu::START);
  move(7, 7, 7, 6);
  move(3, 3, 3, 4);
  move(8, 7, 8, 6);
  onMenu(g, Menu::REVERSE);
  const RecordEntry turned = positionOf(g);
  ASSERT_EQ(g.TURN, TURN_SENTE) << "the army that had the move keeps it";
  kingStep();
  onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(shows(turned));
  EXPECT_EQ(g.MOVE_NO, 0);
  onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(refusedStep("戻る"));

  // A start command cuts the record at the shown entry: nothing of the game
  // before the turn comes back.
  ui.messages.clear();
  onMenu(g, Menu::SENTE);
  EXPECT_EQ(g.RECORD_LAST, 0);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  EXPECT_TRUE(shows(turned));
}

TEST_F(GameRecord, MoreThanFiveHundredMovesWithATurnStepToBothEnds) {
  onMenu(g, Menu::START);
  for (int i = 0; i < 261; ++i) kingStep();
  onMenu(g, Menu::REVERSE);
  const RecordEntry turned = positionOf(g);
  for (int i = 0; i < 260; ++i) kingStep();
  ASSERT_EQ(g.GAME_MOVES, 521);
  ASSERT_EQ(g.TURN, g.SIDE_MAN);
  const RecordEntry last = positionOf(g);
  onMenu(g, Menu::GOTE); // against the computer from here; the human keeps the move
  ASSERT_EQ(g.MOVE_NO, 260);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  ASSERT_EQ(g.MOVE_NO, 260);

  for (int i = 0; i < 260; ++i) onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(shows(turned));
  ui.messages.clear();
  onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(refusedStep("戻る"));
  for (int i = 0; i < 260; ++i) onMenu(g, Menu::AFTER);
  EXPECT_TRUE(shows(last));
  EXPECT_EQ(g.GAME_MOVES, 521);
  ui.messages.clear();
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(refusedStep("進む"));
  EXPECT_EQ(g.MOVE_NO, 260);
}

TEST_F(GameRecord, TotalsHoldTheTimeReallyUsedWithTheClockHidden) {
  onMenu(g, Menu::KEIKA);
  ASSERT_FALSE(isChecked(g, Menu::KEIKA));
  onMenu(g, Menu::SENTE);
  auto think = [&](double seconds) {
    ui.clock += seconds;
    Timer1_Timer(g); // the window's timer, where it runs
  };
  think(10);
  move(7, 7, 7, 6); // the computer answers at once
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 10);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 0) << "the computer took no time";
  EXPECT_DOUBLE_EQ(g.REC[2].TIME_C, 0);
  think(30);
  move(2, 7, 2, 6);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 40);
  EXPECT_DOUBLE_EQ(g.REC[3].TIME_A, 40);
  EXPECT_DOUBLE_EQ(g.REC[3].TIME_B, 40);

  // A new game between two people starts from nothing.
  onMenu(g, Menu::CANCEL);
  onMenu(g, Menu::START);
  think(3);
  move(7, 7, 7, 6);
  think(4);
  move(3, 3, 3, 4);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 3);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 4);
  EXPECT_DOUBLE_EQ(g.REC[2].TIME_C, 4);
}

} // namespace
} // namespace korvanu
