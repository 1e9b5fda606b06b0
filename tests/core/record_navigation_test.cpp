// Stepping through the record, turning the board, and handicaps.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "play/autosave.h"
#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/setup.h"
#include "play/startup.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "sound_fake.h"
#include "state/game.h"

namespace korvanu {
namespace {

class RecordSteps : public testing::GameFlow {
protected:
  RecordEntry now() const { return positionOf(g); }
};

TEST_F(RecordSteps, TheEndsOfTheRecordRefuse) {
  menu(Menu::REPLAY);
  EXPECT_TRUE(said("できません", "戻る"));
  EXPECT_EQ(g.MOVE_NO, 0);
  menu(Menu::AFTER);
  EXPECT_TRUE(said("「対局」で始めて下さい", "開始")) << "no game yet";
  EXPECT_EQ(played(FORBIDDEN), 2);

  menu(Menu::START);
  move(7, 7, 7, 6);
  menu(Menu::AFTER);
  EXPECT_TRUE(said("できません", "進む"));
  EXPECT_EQ(g.RESUME_PENDING, ON) << "even a refused step pauses play";
}

TEST_F(RecordSteps, BackAndForwardBringBackExplodedSquaresAndFlipTheTurn) {
  menu(Menu::START);
  bishopsExchange();
  ASSERT_EQ(g.BOARD[8][1], EMPTY);
  const RecordEntry after = now();
  const int turn = g.TURN;
  menu(Menu::REPLAY);
  EXPECT_EQ(g.MOVE_NO, 2);
  EXPECT_EQ(g.BOARD[8][1], CODE_UE_KEI) << "the knight is back";
  EXPECT_EQ(g.BOARD[8][2], CODE_UE_KAKU);
  EXPECT_EQ(g.HAND_SITA_TOTAL, 0);
  EXPECT_EQ(g.TURN, -turn);
  menu(Menu::AFTER);
  EXPECT_EQ(now(), after);
  EXPECT_EQ(g.TURN, turn);
  EXPECT_EQ(g.GAME_MOVES, 3);
  // With no game running, back still works.
  g.TURN = NO_GAME;
  menu(Menu::REPLAY);
  EXPECT_EQ(g.MOVE_NO, 2);
}

TEST_F(RecordSteps, StepsShowEachSidesTotalAfterTheMove) {
  menu(Menu::START);
  move(7, 7, 7, 6, BUTTON_LEFT, 5);  // the first player thinks 5 s
  move(3, 3, 3, 4, BUTTON_LEFT, 12); // the second 12 s
  move(8, 7, 8, 6, BUTTON_LEFT, 3);
  menu(Menu::REPLAY);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 5);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 12);
  menu(Menu::REPLAY);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 5);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 0);
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 8);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 12);
}

TEST_F(RecordSteps, FirstPositionThenStartReplaysThePreviousGame) {
  menu(Menu::START);
  move(7, 7, 7, 6);
  const RecordEntry afterFirst = now();
  move(3, 3, 3, 4);
  menu(Menu::CANCEL);
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_EQ(g.RECORD_LAST, 2) << "the old moves stay";
  menu(Menu::START);
  menu(Menu::AFTER);
  EXPECT_EQ(now(), afterFirst);
}

TEST_F(RecordSteps, TurningTheBoardTwiceGivesItBackWithAnEmptyRecord) {
  menu(Menu::START);
  move(7, 7, 7, 6);
  const RecordEntry before = now();
  menu(Menu::REVERSE);
  EXPECT_EQ(g.BOARD[5][1], CODE_UE_OU) << "the lower king, now an upper piece, at the top";
  EXPECT_EQ(g.BOARD[3][4], CODE_UE_HU) << "the moved pawn turned with the board";
  EXPECT_EQ(g.REVERSED, ON);
  menu(Menu::REVERSE);
  EXPECT_EQ(now(), before);
  EXPECT_EQ(g.RECORD_LAST, 0);
  ui.messages.clear();
  menu(Menu::REPLAY);
  EXPECT_TRUE(said("できません", "戻る"));

  g.RECORD_MODE = ON;
  menu(Menu::REVERSE);
  EXPECT_TRUE(said("棋譜ﾓｰﾄﾞではできません", "反転"));
}

TEST_F(RecordSteps, ALoadedRecordEndsWithoutASound) {
  g.RECORD_MODE = ON;
  g.TURN = TURN_SENTE;
  g.RECORD_LAST = 1;
  g.REC[1] = g.REC[0];
  g.REC[1].BOARD[7][7] = EMPTY;
  g.REC[1].BOARD[7][6] = CODE_SITA_HU;
  menu(Menu::AFTER);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);
  const int before = played(FORBIDDEN);
  menu(Menu::AFTER);
  EXPECT_TRUE(said("終わり", "進む"));
  EXPECT_EQ(played(FORBIDDEN), before);
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
    menu(Menu::CANCEL);
    menu(r.madeBy);
    move(7, 7, 7, 6); // the computer replies, or the other person moves
    if (r.madeBy == Menu::START) move(3, 3, 3, 4), move(2, 7, 2, 6);
    ASSERT_EQ(g.RECORD_LAST, 3) << row;
    ASSERT_FALSE(g.RECORD_UNSAVED) << row << ": kept as it was played";
    if (r.before == Menu::CANCEL)
      Form_Load(g);
    else
      menu(r.before);
    File1_Click(g, "前回の対局.棋譜");
    for (int i = 0; i < r.steps; ++i) menu(Menu::AFTER);
    menu(r.playOn);
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
  for (int i = 0; i < 3; ++i) menu(Menu::LBEL_UP);
  EXPECT_EQ(g.BOARD[8][2], EMPTY);
  EXPECT_EQ(g.BOARD[2][2], EMPTY);
  EXPECT_EQ(g.BOARD[9][1], EMPTY);
  EXPECT_EQ(g.BOARD[1][1], CODE_UE_KYOU);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級"));
  EXPECT_EQ(g.HANDICAP_LEVEL, 3);

  // To the top, one step too far, then all the way down and back to zero.
  for (int i = 0; i < 8; ++i) menu(Menu::LBEL_UP);
  fake::calls.clear();
  const RecordEntry top = now();
  menu(Menu::LBEL_UP);
  EXPECT_EQ(now(), top);
  EXPECT_TRUE(fake::calls.empty()) << "no sound at the end of the range";
  EXPECT_EQ(g.HANDICAP_LEVEL, 10);
  for (int i = 0; i < 20; ++i) menu(Menu::LEBEL_DOWN);
  EXPECT_EQ(g.HANDICAP_LEVEL, -10);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"));
  for (int k = 1; k <= 9; ++k)
    EXPECT_GE(g.BOARD[k][1], CODE_UE_HU) << "the upper side is whole again";
  for (int i = 0; i < 10; ++i) menu(Menu::LBEL_UP);
  EXPECT_EQ(now(), testing::withoutClocks(g.REC[0])) << "level 0 is the full set";

  menu(Menu::LEBEL_DOWN);
  EXPECT_EQ(g.BOARD[2][8], EMPTY);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"));
  menu(Menu::LBEL_UP);
  EXPECT_EQ(g.BOARD[2][8], CODE_SITA_KAKU);
  EXPECT_EQ(g.HANDICAP_SET, ON);
  EXPECT_EQ(g.RECORD_LAST, 0);
}

TEST_F(RecordSteps, HandicapsAreRefusedOnceTheGameHasBegunOrARecordIsShown) {
  for (int i = 0; i < 3; ++i) menu(Menu::LBEL_UP);
  menu(Menu::START);
  move(7, 7, 7, 6);
  menu(Menu::LBEL_UP);
  EXPECT_TRUE(said("対局途中ではできません\n\n局面→最初にして下さい", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定"));
  // Turning the handicapped board negates the level.
  g.MOVE_NO = 0;
  menu(Menu::REVERSE);
  EXPECT_EQ(g.HANDICAP_LEVEL, -3);
  EXPECT_TRUE(drewText(ui, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"));
  menu(Menu::LEBEL_DOWN);
  EXPECT_EQ(g.HANDICAP_LEVEL, -3) << "not after turning the board";

  menu(Menu::CANCEL);
  g.RECORD_MODE = ON;
  menu(Menu::LEBEL_DOWN);
  EXPECT_EQ(g.BOARD[2][8], CODE_SITA_KAKU);
  EXPECT_EQ(played(FORBIDDEN), 3);
}

} // namespace
} // namespace korvanu
