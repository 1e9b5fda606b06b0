// 待った: taking moves back against the computer and between two people,
// and the refusals when there is nothing to take back.
#include <gtest/gtest.h>

#include "rules/record.h"
#include "scripted_game.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {
namespace {

using testing::on;

// Everything a take back must put back as it was.
struct Snapshot {
  RecordEntry position;
  int handSitaTotal, handUeTotal, moveNo, gameMoves, turn;
  double man, com;
};

class TakeBack : public testing::GameFlow {
protected:
  Snapshot snapshot() const {
    return {positionOf(g), g.HAND_SITA_TOTAL, g.HAND_UE_TOTAL, g.MOVE_NO, g.GAME_MOVES,
            g.TURN,        g.MAN_TIME,        g.COM_TIME};
  }
  void expectRestored(const Snapshot& s) const {
    EXPECT_EQ(positionOf(g), s.position);
    EXPECT_EQ(g.HAND_SITA_TOTAL, s.handSitaTotal);
    EXPECT_EQ(g.HAND_UE_TOTAL, s.handUeTotal);
    EXPECT_EQ(g.MOVE_NO, s.moveNo);
    EXPECT_EQ(g.GAME_MOVES, s.gameMoves);
    EXPECT_EQ(g.RECORD_LAST, s.moveNo) << "later entries are dropped";
    EXPECT_EQ(g.TURN, s.turn);
    EXPECT_DOUBLE_EQ(g.MAN_TIME, s.man);
    EXPECT_DOUBLE_EQ(g.COM_TIME, s.com);
  }
  // The picture drawn last on board square (x, y).
  int lastPictureOn(int x, int y) const {
    for (auto d = ui.draws.rbegin(); d != ui.draws.rend(); ++d)
      if (d->kind == DrawCall::Picture && d->left == cellLeft(x) && d->top == cellTop(y))
        return d->code;
    return -1;
  }
  // Text drawn inside cell (x, y) after the cell's background was last painted.
  bool textStandsOn(double x, double y) const {
    for (auto d = ui.draws.rbegin(); d != ui.draws.rend(); ++d) {
      const bool inCell = d->left >= cellLeft(x) && d->left < cellLeft(x + 1) &&
                          d->top >= cellTop(y) && d->top < cellTop(y + 1);
      if (!inCell) continue;
      if (d->kind == DrawCall::Text) return true;
      if (d->kind == DrawCall::Picture && d->code == g.BACKGROUND && d->left == cellLeft(x))
        return false;
    }
    return false;
  }
  bool refusedWith(const std::string& text, int forbiddenBefore) const {
    return said(text, "待った") && played(FORBIDDEN) == forbiddenBefore + 1;
  }
};

TEST_F(TakeBack, AgainstTheComputerTheMoveAndTheReplyGoAndTheClockRunsOnForThePlayer) {
  // Bishops exchanged between two people, so both hands hold pieces; then
  // the computer takes over the upper side and replies.
  menu(Menu::START);
  move(3, 7, 3, 6, BUTTON_LEFT, 2);
  move(7, 3, 7, 4, BUTTON_LEFT, 3);
  move(2, 8, 8, 2, BUTTON_LEFT, 4);
  ASSERT_GT(g.HAND_SITA_TOTAL, 0);
  menu(Menu::SENTE);
  ASSERT_EQ(g.TURN, g.SIDE_MAN);
  ASSERT_EQ(g.MOVE_NO, 4);
  const Snapshot before = snapshot();
  ASSERT_GT(before.man + before.com, 0);

  playSomething(0, 9);
  ASSERT_EQ(g.MOVE_NO, 6) << "the computer replied";
  ASSERT_GT(g.MAN_TIME, before.man);
  menu(Menu::MOCHIKOMA); // the hands show from now on
  click(7, 7);           // a piece picked up when the player changes their mind
  const int forbidden = played(FORBIDDEN);
  const int pieceSounds = played(PIECE);
  ui.draws.clear();
  ui.clock = 5000;
  menu(Menu::MATTA);

  expectRestored(before);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_EQ(g.RESUME_PENDING, OFF);
  EXPECT_EQ(played(FORBIDDEN), forbidden);
  EXPECT_EQ(played(PIECE), pieceSounds + 1);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      EXPECT_EQ(lastPictureOn(x, y), g.BOARD[x][y]) << "redrawn " << x << "," << y;
  for (int k = 1; k <= 7; ++k)
    if (g.HAND_SITA[k] > 0) {
      EXPECT_EQ(lastPictureOn(11, k + 2), -10 * k) << "the lower hand redrawn";
    }

  // The clock restarted for the player at the take back: only the time
  // since then counts towards their next move.
  EXPECT_DOUBLE_EQ(g.TURN_START_TIME, 5000);
  EXPECT_TRUE(ui.timerEnabled);
  ui.clock = 5006;
  playSomething();
  EXPECT_DOUBLE_EQ(g.MAN_TIME, before.man + 6);
  EXPECT_EQ(g.MOVE_NO, 6);
  EXPECT_EQ(g.RECORD_LAST, 6);
  EXPECT_DOUBLE_EQ(g.REC[5].TIME_A, before.man + 6) << "the new move is recorded with the new time";
}

TEST_F(TakeBack, AfterAStepBackOnlyThePlayersMoveIsLeftToTakeBack) {
  menu(Menu::SENTE);
  playSomething(0, 1);
  const Snapshot beforeSecond = snapshot();
  const std::string writtenBeforeSecond = movesWritten();
  playSomething(0, 1);
  ASSERT_EQ(g.MOVE_NO, 4);
  menu(Menu::REPLAY); // the computer's reply is undone, play paused
  ASSERT_EQ(g.TURN, g.SIDE_COM);
  ASSERT_TRUE(textStandsOn(12, 2) && textStandsOn(-2, 8))
      << "both moves are written beside the board";
  menu(Menu::MATTA);
  expectRestored(beforeSecond);
  EXPECT_EQ(g.TURN, g.SIDE_MAN);
  EXPECT_EQ(movesWritten(), writtenBeforeSecond)
      << "the moves that led to the position gone back to are written, the later ones gone";
  ui.messages.clear();
  playSomething();
  EXPECT_FALSE(said("MANの番です", "対局")) << "play had resumed: no resume message";
  EXPECT_EQ(g.MOVE_NO, 4);
}

TEST_F(TakeBack, BetweenTwoPeopleOneMoveAtATimeDownToTheFirstPosition) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::START);
  std::vector<Snapshot> states{snapshot()};
  move(3, 7, 3, 6, BUTTON_LEFT, 2), states.push_back(snapshot());
  move(7, 3, 7, 4, BUTTON_LEFT, 3), states.push_back(snapshot());
  move(5, 9, 4, 8, BUTTON_LEFT, 1), states.push_back(snapshot()); // the lower king steps aside
  ASSERT_EQ(g.OU_SITA_X, 4);
  move(1, 3, 1, 4, BUTTON_LEFT, 5), states.push_back(snapshot());
  move(2, 8, 8, 2, BUTTON_LEFT, 4); // bishop takes bishop; the corner blows up
  ASSERT_EQ(g.BOARD[8][1], EMPTY);
  ASSERT_GT(g.HAND_SITA_TOTAL, 0);

  for (int n = 4; n >= 0; --n) {
    SCOPED_TRACE(n);
    menu(Menu::MATTA);
    expectRestored(states[static_cast<size_t>(n)]);
    if (n == 4) {
      EXPECT_EQ(g.BOARD[8][1], CODE_UE_KEI) << "the blown-up knight is back";
      menu(Menu::AFTER);
      EXPECT_TRUE(said("できません", "進む")) << "nothing after the position taken back to";
      EXPECT_EQ(g.MOVE_NO, 4);
    }
  }
  EXPECT_EQ(g.OU_SITA_X, 5) << "the king's square follows the board";
  EXPECT_EQ(g.OU_SITA_Y, 9);
  const int forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("できません", forbidden));
  EXPECT_EQ(g.MOVE_NO, 0);

  // Play goes on from the first position, the first player to move.
  move(7, 7, 7, 6);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);
  EXPECT_EQ(g.MOVE_NO, 1);
}

TEST_F(TakeBack, RefusedWithNothingToTakeBack) {
  int forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("できません", forbidden)) << "no game";

  // The computer opened: the player has made no move yet.
  menu(Menu::GOTE);
  const Snapshot opened = snapshot();
  forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("できません", forbidden));
  expectRestored(opened);

  // A loaded record is stepped through, not played.
  menu(Menu::CANCEL);
  g.RECORD_MODE = ON;
  g.TURN = TURN_SENTE;
  g.RECORD_LAST = 1;
  g.REC[1] = g.REC[0];
  menu(Menu::AFTER);
  forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("棋譜ﾓｰﾄﾞではできません", forbidden));
  EXPECT_EQ(g.MOVE_NO, 1);

  // A game that ended has been set up afresh.
  menu(Menu::CANCEL);
  menu(Menu::START);
  ui.answers = {Answer::Yes};
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(5, 2, CODE_UE_KIN)});
  move(5, 6, 5, 2);
  ASSERT_TRUE(said("先手の勝ちです", "終了"));
  forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("できません", forbidden));
}

TEST_F(TakeBack, AHandicappedStartComesBackWithoutTheGivenUpPieces) {
  for (int i = 0; i < 3; ++i) menu(Menu::LBEL_UP);
  const RecordEntry start = positionOf(g);
  menu(Menu::SENTE);
  playSomething();
  ASSERT_EQ(g.MOVE_NO, 2);
  menu(Menu::MATTA);
  EXPECT_EQ(positionOf(g), start);
  EXPECT_EQ(g.BOARD[8][2], EMPTY) << "the bishop stays given up";
  EXPECT_EQ(g.HANDICAP_LEVEL, 3);
  EXPECT_EQ(g.MOVE_NO, 0);
}

TEST_F(TakeBack, AfterTurningTheBoardTheTurnedPositionIsTheFirst) {
  menu(Menu::START);
  move(7, 7, 7, 6);
  menu(Menu::REVERSE);
  const Snapshot turned = snapshot();
  move(3, 7, 3, 6);
  ASSERT_EQ(g.MOVE_NO, 1);
  menu(Menu::MATTA);
  expectRestored(turned);
  const int forbidden = played(FORBIDDEN);
  menu(Menu::MATTA);
  EXPECT_TRUE(refusedWith("できません", forbidden)) << "nothing from before the turn";
}

} // namespace
} // namespace korvanu
