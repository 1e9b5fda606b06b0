// Playing as a person does: menu commands and mouse presses on the headless
// window, checked by the board, the messages, the sounds and what was drawn.
#include <gtest/gtest.h>

#include "platform/headless.h"
#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/setup.h"
#include "screen_model.h"
#include "scripted_game.h"
#include "sound_fake.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/clock_view.h"
#include "view/marks_view.h"

namespace korvanu {
namespace {

using testing::on;

class Play : public testing::GameFlow {
protected:
  bool outlined(int colour, int x, int y, int inset = 0) const {
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Outline && d.code == colour &&
          d.left == BOARD_LEFT + x * SQUARE_WIDTH + inset &&
          d.top == BOARD_TOP + y * SQUARE_HEIGHT + inset)
        return true;
    return false;
  }
};

TEST_F(Play, ClicksMapToCellsRoundingDown) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::START);
  g.TURN = TURN_GOTE; // the second player, upper side, to move
  g.HAND_UE[KIN] = 1;
  g.HAND_UE_TOTAL = 1;
  const double goldRow = BOARD_TOP + 3 * SQUARE_HEIGHT + 100; // the upper hand's gold
  Form_MouseDown(g, BUTTON_LEFT, 0, 1049, goldRow);
  Form_MouseDown(g, BUTTON_LEFT, 0, 1050, goldRow); // column 0 only clears the highlight
  Form_MouseDown(g, BUTTON_LEFT, 0, 555, goldRow);
  // Column 1 of the board starts at 1545: the gold, still the one picked
  // up, drops on (1, 5).
  Form_MouseDown(g, BUTTON_LEFT, 0, 1545, BOARD_TOP + 5 * SQUARE_HEIGHT);
  EXPECT_EQ(g.BOARD[1][5], CODE_UE_KIN);
  EXPECT_EQ(g.HAND_UE[KIN], 0);
  EXPECT_EQ(g.HAND_UE_TOTAL, 0);
}

TEST_F(Play, NoGameRefusesButShowsGuidance) {
  menu(Menu::SIDOU);
  click(7, 7);
  EXPECT_TRUE(said("「対局」で始めて下さい", "開始"));
  EXPECT_EQ(played(FORBIDDEN), 1);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_TRUE(outlined(COLOR_WHITE, 7, 6)) << "where the pawn could go";
}

TEST_F(Play, OpponentsPiecesAreShownNotPickedUp) {
  menu(Menu::SIDOU);
  menu(Menu::SENTE);
  EXPECT_TRUE(said("MANの番です", " "));
  ui.draws.clear();
  click(3, 3); // the computer's pawn
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_TRUE(outlined(COLOR_WHITE, 3, 4));
  EXPECT_TRUE(outlined(COLOR_WHITE, 3, 3));
  click(7, 7);
  EXPECT_EQ(g.SELECT_STATE, 1);
  EXPECT_TRUE(outlined(COLOR_LIGHT_RED, 7, 7));
  // Another own piece picks that one up instead.
  click(8, 8);
  EXPECT_TRUE(outlined(COLOR_LIGHT_RED, 8, 8));
  // An illegal destination drops the selection with the forbidden sound.
  click(5, 5);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_EQ(played(FORBIDDEN), 1);
}

TEST_F(Play, GuidanceWarnsOfSquaresWhereTheKingWouldBeLostButTheMoveStaysLegal) {
  menu(Menu::SIDOU);
  menu(Menu::START);
  kingsOnly({on(4, 1, CODE_UE_SYA)});
  ui.draws.clear();
  click(5, 9);
  for (const auto& [x, y] : {std::pair{4, 8}, {4, 9}})
    EXPECT_TRUE(outlined(COLOR_GUIDE_WARNING, x, y, OUTLINE_INSET) && !outlined(COLOR_WHITE, x, y))
        << x << y << ": on the rook's file, inside the square";
  for (const auto& [x, y] : {std::pair{5, 8}, {6, 8}, {6, 9}})
    EXPECT_TRUE(outlined(COLOR_WHITE, x, y) && !outlined(COLOR_GUIDE_WARNING, x, y, OUTLINE_INSET))
        << x << y;
  click(4, 8);
  EXPECT_EQ(g.BOARD[4][8], CODE_SITA_OU);
}

TEST_F(Play, APawnOnTheLastRowNeedsTheRightButton) {
  menu(Menu::START);
  for (int x = 1; x <= 9; ++x) g.BOARD[x][1] = g.BOARD[x][2] = g.BOARD[x][3] = EMPTY;
  g.BOARD[5][2] = CODE_SITA_HU;
  g.BOARD[9][9] = CODE_UE_OU;
  move(5, 2, 5, 1);
  EXPECT_TRUE(said("マウスの右をクリックして下さい", "成り"));
  EXPECT_EQ(g.SELECT_STATE, 1) << "still picked up";
  click(5, 1, BUTTON_RIGHT);
  EXPECT_EQ(g.BOARD[5][1], CODE_SITA_HU_NARI);
  EXPECT_EQ(g.TURN, TURN_GOTE);
  // A right click where promotion is impossible is a plain move.
  move(9, 9, 9, 8, BUTTON_RIGHT);
  EXPECT_EQ(g.BOARD[9][8], CODE_UE_OU);
}

TEST_F(Play, WithoutPiecesInHandTheHandCannotBeUsed) {
  menu(Menu::START);
  g.HAND_SITA[KIN] = 1;
  g.HAND_SITA_TOTAL = 1;
  click(11, KIN + 2);
  EXPECT_EQ(g.SELECT_STATE, 0);
  menu(Menu::MOCHIKOMA);
  click(11, KIN + 2);
  EXPECT_EQ(g.SELECT_STATE, 1);
  click(5, 5);
  EXPECT_EQ(g.BOARD[5][5], CODE_SITA_KIN);
  EXPECT_EQ(g.HAND_SITA_TOTAL, 0);
}

TEST_F(Play, StartResumesAGameWithItsSides) {
  menu(Menu::SENTE);
  move(7, 7, 7, 6); // and the computer answers
  ASSERT_EQ(g.GAME_MOVES, 2);
  ASSERT_EQ(g.TURN, TURN_SENTE);
  ui.messages.clear();
  menu(Menu::START);
  EXPECT_TRUE(said("先手の番です", " "));
  EXPECT_EQ(g.GAME_MODE, MODE_MAN_MAN);
  EXPECT_EQ(g.SIDE_MAN, TURN_SENTE);
  EXPECT_EQ(g.GAME_MOVES, 2);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);
}

TEST_F(Play, LevelChangesShowOnlyAgainstTheComputer) {
  menu(Menu::START);
  ui.draws.clear();
  menu(Menu::LEVEL2);
  EXPECT_EQ(g.COM_LEVEL, 2);
  EXPECT_TRUE(isChecked(g, Menu::LEVEL2));
  EXPECT_FALSE(isChecked(g, Menu::LEVEL3));
  for (const DrawCall& d : ui.draws) EXPECT_NE(d.kind, DrawCall::Text);
  menu(Menu::SENTE);
  ui.draws.clear();
  menu(Menu::LEVEL1);
  bool shown = false;
  for (const DrawCall& d : ui.draws)
    shown |= d.kind == DrawCall::Text && d.text.find('1') != std::string::npos;
  EXPECT_TRUE(shown);
}

TEST_F(Play, ACaptureExplodesOnScreenAfterAPause) {
  menu(Menu::START);
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  ui.waits.clear();
  ui.draws.clear();
  move(2, 8, 8, 2); // the bishops: the corner round (8, 2) blows up
  ASSERT_FALSE(ui.waits.empty());
  EXPECT_DOUBLE_EQ(ui.waits.front(), 0.3);
  EXPECT_EQ(played(EXPLOSION), 1);
  for (auto [x, y] : {std::pair{7, 1}, {8, 1}, {9, 1}, {8, 2}}) {
    EXPECT_EQ(g.BOARD[x][y], EMPTY);
    bool shownEmpty = false;
    for (const DrawCall& d : ui.draws)
      shownEmpty |= d.kind == DrawCall::Picture && d.code == EMPTY &&
                    d.left == BOARD_LEFT + x * SQUARE_WIDTH &&
                    d.top == BOARD_TOP + y * SQUARE_HEIGHT;
    EXPECT_TRUE(shownEmpty) << x << "," << y;
  }
  EXPECT_EQ(g.BOARD[8][3], CODE_UE_HU) << "pawns stand firm";
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(g.EXPLODE_MAP[x][y], OFF);
  EXPECT_EQ(ui.window.left, 0) << "the window is back where it stood";
}

TEST_F(Play, TwoPeoplePlayUntilAKingIsBlownUp) {
  menu(Menu::START);
  EXPECT_TRUE(said("先手の番です", " "));
  ui.answers = {Answer::Yes};
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(4, 2, CODE_UE_KIN)});
  move(5, 9, 5, 8);
  EXPECT_EQ(g.TURN, TURN_GOTE);
  move(5, 6, 5, 5);
  EXPECT_EQ(g.BOARD[5][6], CODE_SITA_SYA) << "not the first player's turn";
  move(4, 2, 5, 2);
  EXPECT_EQ(g.TURN, TURN_SENTE);
  EXPECT_EQ(g.MOVE_NO, 2);
  // The rook takes the gold; the blast takes the king beside it.
  move(5, 6, 5, 2);
  EXPECT_TRUE(said("先手の勝ちです", "終了"));
  EXPECT_TRUE(said("続けますか？", "再ゲーム"));
  for (const MessageCall& m : ui.messages) {
    if (m.buttons == Buttons::YesNo) {
      EXPECT_EQ(m.icon, Icon::None) << "a question with an icon: " << m.text;
    }
  }
  EXPECT_EQ(g.TURN, NO_GAME) << "another game was set up";
  EXPECT_EQ(g.BOARD[5][1], CODE_UE_OU);
}

TEST_F(Play, APickedUpPieceIsLetGoWhenTheBoardChangesUnderIt) {
  // A handicap step takes away the very rook that was picked up.
  menu(Menu::START);
  click(8, 8);
  ASSERT_EQ(g.SELECT_STATE, 1);
  for (int i = 0; i < 5; ++i) menu(Menu::LEBEL_DOWN);
  ASSERT_EQ(g.BOARD[8][8], EMPTY);
  EXPECT_EQ(g.SELECT_STATE, 0);
  click(5, 8);
  EXPECT_EQ(g.BOARD[5][8], EMPTY) << "no rook from nowhere";
  EXPECT_EQ(g.TURN, TURN_SENTE);

  // However else the square empties, the piece is not put down.
  click(2, 7);
  ASSERT_EQ(g.SELECT_STATE, 1);
  g.BOARD[2][7] = EMPTY;
  const int refusals = played(FORBIDDEN);
  click(2, 6);
  EXPECT_EQ(g.BOARD[2][6], EMPTY);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_EQ(played(FORBIDDEN), refusals + 1);
  EXPECT_EQ(g.MOVE_NO, 0);
}

TEST_F(Play, AHandPieceCannotBeDroppedOncePiecesInHandAreOff) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::START);
  g.HAND_SITA[KIN] = 1;
  g.HAND_SITA_TOTAL = 1;
  click(11, KIN + 2);
  ASSERT_EQ(g.SELECT_STATE, 1);
  menu(Menu::MOCHIKOMA);
  click(5, 5);
  EXPECT_EQ(g.BOARD[5][5], EMPTY);
  EXPECT_EQ(g.HAND_SITA[KIN], 1);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_EQ(g.MOVE_NO, 0);
}

TEST_F(Play, AResumedGameBetweenPeopleNamesTheWinnerByWhoMovedFirst) {
  menu(Menu::GOTE); // the computer opens; the human moves second
  ASSERT_EQ(g.SIDE_MAN, TURN_GOTE);
  menu(Menu::START);
  EXPECT_TRUE(said("後手の番です", " "));
  ui.answers = {Answer::Yes};
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(5, 2, CODE_UE_KIN)});
  // The lower side thinks 7 s; that is its own time, whichever turn it has.
  move(5, 6, 5, 5, BUTTON_LEFT, 7);
  EXPECT_DOUBLE_EQ(g.MAN_TIME, 7);
  EXPECT_DOUBLE_EQ(g.COM_TIME, 0);
  move(5, 1, 4, 1);
  // The rook takes the gold; the blast takes the upper king.
  move(5, 5, 5, 2);
  EXPECT_TRUE(said("後手の勝ちです", "終了"));
  EXPECT_FALSE(said("先手の勝ちです", "終了"));
}

// An unpromoted pawn that takes a king blows nothing up: the taking alone
// ends the game, whoever takes it.
TEST_F(Play, AKingTakenByAPawnEndsTheGameThoughNothingBlowsUp) {
  struct Row {
    const char* who;
    Menu mode;
    int fx, fy, tx, ty; // the lower side's move
    const char* winner;
  };
  for (const Row& r : {Row{"a person's", Menu::START, 9, 6, 9, 5, "先手"},
                       Row{"the human's", Menu::SENTE, 9, 6, 9, 5, "あなた"},
                       Row{"the computer's", Menu::SENTE, 1, 9, 1, 8, "ｺﾝﾋﾟｭｰﾀ"}}) {
    menu(r.mode);
    ui.answers = {Answer::Yes};
    // Each king stands in front of a pawn of the other side.
    testing::emptyBoard(g, {on(5, 6, CODE_SITA_OU), on(5, 5, CODE_UE_HU), on(9, 5, CODE_UE_OU),
                            on(9, 6, CODE_SITA_HU), on(1, 9, CODE_SITA_KIN)});
    move(r.fx, r.fy, r.tx, r.ty);
    EXPECT_TRUE(said(std::string(r.winner) + "の勝ちです", "終了")) << r.who;
    EXPECT_EQ(g.TURN, NO_GAME) << r.who << " game went on";
  }
}

// A capture: the lower rook takes a gold far from both kings.
void rookTakesAGold(Game& g) {
  testing::emptyBoard(g, {on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(5, 6, CODE_SITA_SYA),
                          on(5, 3, CODE_UE_KIN)});
}

TEST_F(Play, TheCounterShowsACaptureBeforeItsExplosion) {
  struct Row {
    const char* who;
    Menu mode;
    bool rookTakes; // else the opening in which the computer's bishop takes
    int count;      // the moves played, the capture the last
  };
  for (const Row& r :
       {Row{"the computer's", Menu::SENTE, false, 4}, Row{"the human's", Menu::SENTE, true, 1},
        Row{"a person's", Menu::START, true, 1}}) {
    menu(Menu::CANCEL);
    menu(r.mode);
    const size_t from = ui.draws.size();
    if (r.rookTakes) {
      rookTakesAGold(g);
      move(5, 6, 5, 3);
    } else {
      move(1, 7, 1, 6);
      move(4, 7, 4, 6);
    }
    size_t bomb = from;
    while (bomb < ui.draws.size() &&
           (ui.draws[bomb].kind != DrawCall::Picture || ui.draws[bomb].code != PIC_BOMB))
      ++bomb;
    ASSERT_LT(bomb, ui.draws.size()) << r.who << " capture blew nothing up";
    testing::Screen screen(ui);
    EXPECT_TRUE(screen.look(bomb).shows(13, 3, " " + std::to_string(r.count) + " "))
        << r.who << " capture is counted before it blows up";
  }
}

TEST_F(Play, MovesBetweenPeopleAreCountedAsTheyArePlayed) {
  menu(Menu::START);
  testing::Screen screen(ui);
  move(7, 7, 7, 6);
  EXPECT_TRUE(screen.look().shows(13, 3, " 1 "));
  move(3, 3, 3, 4);
  EXPECT_TRUE(screen.look().shows(13, 3, " 2 "));
}

// The move that ends a game: counted, and the clocks stop at the totals it
// was recorded with, whoever made it, while the message is shown.
struct GameEnd {
  const char* who;
  Menu mode;
  bool computerTakesTheKing; // else the lower rook's blast takes the upper king
  int fx, fy, tx, ty;        // the lower side's move
  int count;
};

class GameEnds : public testing::GameFlow, public ::testing::WithParamInterface<GameEnd> {};

TEST_P(GameEnds, OnACountedMoveWithTheClocksAsRecorded) {
  const GameEnd& r = GetParam();
  ASSERT_TRUE(isChecked(g, Menu::KEIKA)) << "the clocks are shown from the start";
  menu(r.mode);
  ui.answers = {Answer::No};
  if (r.computerTakesTheKing) // the gold steps aside and opens the file to the lower king
    testing::emptyBoard(g, {on(5, 9, CODE_SITA_OU), on(5, 5, CODE_SITA_KIN), on(1, 1, CODE_UE_OU),
                            on(5, 2, CODE_UE_SYA)});
  else
    rookBesideTheUpperKing();
  click(r.fx, r.fy);
  tick(4.9); // a tick shows 4 s; the move is made at 5.2 s
  ui.clock += 0.3;
  click(r.tx, r.ty);
  ASSERT_TRUE(ui.quitRequested) << r.who << " move did not end the game";
  tick(10); // the window's timer under the message

  const RecordEntry& stored = g.REC[static_cast<size_t>(g.RECORD_LAST)];
  testing::Screen screen(ui);
  screen.look();
  EXPECT_TRUE(screen.shows(13, 3, " " + std::to_string(r.count) + " ")) << r.who;
  EXPECT_TRUE(screen.shows(13, 9, 調査_時間秒追加結果(stored.TIME_B))) << r.who;
  EXPECT_TRUE(screen.shows(-2, 9, 調査_時間秒追加結果(stored.TIME_D))) << r.who;
  EXPECT_FALSE(ui.timerEnabled) << r.who;
}

INSTANTIATE_TEST_SUITE_P(
    EachMover, GameEnds,
    ::testing::Values(GameEnd{"the human's", Menu::SENTE, false, 5, 6, 5, 2, 1},
                      GameEnd{"a person's", Menu::START, false, 5, 6, 5, 2, 1},
                      GameEnd{"the computer's", Menu::SENTE, true, 5, 5, 4, 5, 2}));

} // namespace
} // namespace korvanu
