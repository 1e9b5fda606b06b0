// Stepping through the record, turning the board, and handicaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "game_fixture.h"
#include "platform/headless.h"
#include "play/autosave.h"
#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/setup.h"
#include "sound_fake.h"
#include "state/game.h"

namespace korvanu {
namespace {

class RecordSteps : public testing::OpenedGame {
protected:
  // A move between two people, taking `seconds` on the clock.
  void move(int fx, int fy, int tx, int ty, double seconds = 0) {
    click(fx, fy);
    ui.clock += seconds;
    Timer1_Timer(g);
    click(tx, ty);
  }
  int forbidden() const {
    return static_cast<int>(std::count(fake::calls.begin(), fake::calls.end(), "play 2"));
  }
  bool sameBoard(const RecordEntry& e) const {
    return std::memcmp(e.BOARD, g.BOARD, sizeof g.BOARD) == 0 &&
           std::memcmp(e.HAND_SITA, g.HAND_SITA, sizeof g.HAND_SITA) == 0 &&
           std::memcmp(e.HAND_UE, g.HAND_UE, sizeof g.HAND_UE) == 0;
  }
  RecordEntry now() const {
    RecordEntry e;
    std::memcpy(e.BOARD, g.BOARD, sizeof e.BOARD);
    std::memcpy(e.HAND_SITA, g.HAND_SITA, sizeof e.HAND_SITA);
    std::memcpy(e.HAND_UE, g.HAND_UE, sizeof e.HAND_UE);
    return e;
  }
};

TEST_F(RecordSteps, TheEndsOfTheRecordRefuse) {
  onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(said("できません", "戻る"));
  EXPECT_EQ(g.MOVE_NO, 0);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(said("「対局」で始めて下さい", "開始")) << "no game yet";
  EXPECT_EQ(forbidden(), 2);

  onMenu(g, Menu::START);
  move(7, 7, 7, 6);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(said("できません", "進む"));
  EXPECT_EQ(g.RESUME_PENDING, ON) << "even a refused step pauses play";
}

TEST_F(RecordSteps, BackAndForwardBringBackExplodedSquaresAndFlipTheTurn) {
  onMenu(g, Menu::START);
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  move(2, 8, 8, 2); // bishop takes bishop: the corner blows up
  ASSERT_EQ(g.BOARD[8][1], EMPTY);
  const RecordEntry after = now();
  const int turn = g.TURN;
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(g.MOVE_NO, 2);
  EXPECT_EQ(g.BOARD[8][1], CODE_UE_KEI) << "the knight is back";
  EXPECT_EQ(g.BOARD[8][2], CODE_UE_KAKU);
  EXPECT_EQ(g.HAND_SITA_TOTAL, 0);
  EXPECT_EQ(g.TURN, -turn);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(sameBoard(after));
  EXPECT_EQ(g.TURN, turn);
  EXPECT_EQ(g.GAME_MOVES, 3);
  // With no game running, back still works.
  g.TURN = NO_GAME;
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(g.MOVE_NO, 2);
}

TEST_F(RecordSteps, StepsShowEachSidesTotalAfterTheMove) {
  onMenu(g, Menu::START);
  move(7, 7, 7, 6, 5);  // the first player thinks 5 s
  move(3, 3, 3, 4, 12); // the second 12 s
  move(8, 7, 8, 6, 3);
  onMenu(g, Menu::REPLAY);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 5);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 12);
  onMenu(g, Menu::REPLAY);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 5);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 0);
  onMenu(g, Menu::AFTER);
  onMenu(g, Menu::AFTER);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 8);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 12);
}

TEST_F(RecordSteps, FirstPositionThenStartReplaysThePreviousGame) {
  onMenu(g, Menu::START);
  move(7, 7, 7, 6);
  const RecordEntry afterFirst = now();
  move(3, 3, 3, 4);
  onMenu(g, Menu::CANCEL);
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_EQ(g.RECORD_LAST, 2) << "the old moves stay";
  onMenu(g, Menu::START);
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(sameBoard(afterFirst));
}

TEST_F(RecordSteps, TurningTheBoardTwiceGivesItBackWithAnEmptyRecord) {
  onMenu(g, Menu::START);
  move(7, 7, 7, 6);
  const RecordEntry before = now();
  onMenu(g, Menu::REVERSE);
  EXPECT_EQ(g.BOARD[5][1], CODE_UE_OU) << "the lower king, now an upper piece, at the top";
  EXPECT_EQ(g.BOARD[3][4], CODE_UE_HU) << "the moved pawn turned with the board";
  EXPECT_EQ(g.REVERSED, ON);
  onMenu(g, Menu::REVERSE);
  EXPECT_TRUE(sameBoard(before));
  EXPECT_EQ(g.RECORD_LAST, 0);
  ui.messages.clear();
  onMenu(g, Menu::REPLAY);
  EXPECT_TRUE(said("できません", "戻る"));

  g.RECORD_MODE = ON;
  onMenu(g, Menu::REVERSE);
  EXPECT_TRUE(said("棋譜ﾓｰﾄﾞではできません", "反転"));
}

TEST_F(RecordSteps, ALoadedRecordEndsWithoutASound) {
  g.RECORD_MODE = ON;
  g.TURN = TURN_SENTE;
  g.RECORD_LAST = 1;
  g.REC[1] = g.REC[0];
  g.REC[1].BOARD[7][7] = EMPTY;
  g.REC[1].BOARD[7][6] = CODE_SITA_HU;
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);
  const int before = forbidden();
  onMenu(g, Menu::AFTER);
  EXPECT_TRUE(said("終わり", "進む"));
  EXPECT_EQ(forbidden(), before);
}

TEST_F(RecordSteps, PlayTakenUpInALoadedRecordGoesOnWithTheSideToMove) {
  struct Row {
    Menu madeBy; // START: the lower side began; GOTE: the computer, upper, began
    Menu before; // the game chosen before loading; CANCEL: the program started afresh
    int steps;   // entries stepped forward
    Menu playOn; // how play is taken up there
    bool lowerToMove;
  };
  const Row rows[] = {{Menu::START, Menu::CANCEL, 2, Menu::SENTE, true},
                      {Menu::START, Menu::SENTE, 3, Menu::GOTE, false},
                      {Menu::GOTE, Menu::SENTE, 2, Menu::SENTE, false},
                      {Menu::GOTE, Menu::GOTE, 3, Menu::GOTE, true},
                      {Menu::GOTE, Menu::CANCEL, 1, Menu::START, true},
                      {Menu::START, Menu::GOTE, 1, Menu::START, false}};
  for (const Row& r : rows) {
    const std::string row = "row " + std::to_string(&r - rows);
    onMenu(g, Menu::CANCEL);
    onMenu(g, r.madeBy);
    move(7, 7, 7, 6); // the computer replies, or the other person moves
    if (r.madeBy == Menu::START) move(3, 3, 3, 4), move(2, 7, 2, 6);
    ASSERT_EQ(g.RECORD_LAST, 3) << row;
    ASSERT_TRUE(autosaveRecord(g)) << row;
    if (r.before == Menu::CANCEL)
      Form_Load(g);
    else
      onMenu(g, r.before);
    File1_Click(g, "前回の対局.棋譜");
    for (int i = 0; i < r.steps; ++i) onMenu(g, Menu::AFTER);
    onMenu(g, r.playOn);
    // Against the computer it moves at once when it is to move; then, as
    // between people, the side to move and only it picks up its king.
    const bool computerMoved = r.playOn != Menu::START && !r.lowerToMove;
    EXPECT_EQ(g.MOVE_NO, r.steps + (computerMoved ? 1 : 0)) << row;
    const bool lowerNow = r.playOn != Menu::START || r.lowerToMove;
    click(5, lowerNow ? 1 : 9);
    EXPECT_EQ(g.SELECT_STATE, 0) << row;
    click(5, lowerNow ? 9 : 1);
    EXPECT_EQ(g.SELECT_STATE, 1) << row;
  }
}

bool drewText(const HeadlessPlatform& ui, const std::string& text) {
  for (const DrawCall& d : ui.draws)
    if (d.kind == DrawCall::Text && d.text == text) return true;
  return false;
}

TEST_F(RecordSteps, HandicapStepsTakePiecesAwayAndPutThemBack) {
  for (int i = 0; i < 3; ++i) onMenu(g, Menu::LBEL_UP);
  EXPECT_EQ(g.BOARD[8][2], EMPTY);
  EXPECT_EQ(g.BOARD[2][2], EMPTY);
  EXPECT_EQ(g.BOARD[9][1], EMPTY);
  EXPECT_EQ(g.BOARD[1][1], CODE_UE_KYOU);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"));
  EXPECT_EQ(g.HANDICAP_LEVEL, 3);

  // To the top, one step too far, then all the way down and back to zero.
  for (int i = 0; i < 8; ++i) onMenu(g, Menu::LBEL_UP);
  fake::calls.clear();
  const RecordEntry top = now();
  onMenu(g, Menu::LBEL_UP);
  EXPECT_TRUE(sameBoard(top));
  EXPECT_TRUE(fake::calls.empty()) << "no sound at the end of the range";
  EXPECT_EQ(g.HANDICAP_LEVEL, 10);
  for (int i = 0; i < 20; ++i) onMenu(g, Menu::LEBEL_DOWN);
  EXPECT_EQ(g.HANDICAP_LEVEL, -10);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"));
  for (int k = 1; k <= 9; ++k)
    EXPECT_GE(g.BOARD[k][1], CODE_UE_HU) << "the upper side is whole again";
  for (int i = 0; i < 10; ++i) onMenu(g, Menu::LBEL_UP);
  EXPECT_TRUE(sameBoard(g.REC[0])) << "level 0 is the full set";

  onMenu(g, Menu::LEBEL_DOWN);
  EXPECT_EQ(g.BOARD[2][8], EMPTY);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"));
  onMenu(g, Menu::LBEL_UP);
  EXPECT_EQ(g.BOARD[2][8], CODE_SITA_KAKU);
  EXPECT_EQ(g.HANDICAP_SET, ON);
  EXPECT_EQ(g.RECORD_LAST, 0);
}

TEST_F(RecordSteps, HandicapsAreRefusedOnceTheGameHasBegunOrARecordIsShown) {
  for (int i = 0; i < 3; ++i) onMenu(g, Menu::LBEL_UP);
  onMenu(g, Menu::START);
  move(7, 7, 7, 6);
  onMenu(g, Menu::LBEL_UP);
  EXPECT_TRUE(said("対局途中ではできません\n\n局面→最初にして下さい", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"));
  // Turning the handicapped board negates the level.
  g.MOVE_NO = 0;
  onMenu(g, Menu::REVERSE);
  EXPECT_EQ(g.HANDICAP_LEVEL, -3);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"));
  onMenu(g, Menu::LEBEL_DOWN);
  EXPECT_EQ(g.HANDICAP_LEVEL, -3) << "not after turning the board";

  onMenu(g, Menu::CANCEL);
  g.RECORD_MODE = ON;
  onMenu(g, Menu::LEBEL_DOWN);
  EXPECT_EQ(g.BOARD[2][8], CODE_SITA_KAKU);
  EXPECT_EQ(forbidden(), 3);
}

} // namespace
} // namespace korvanu
