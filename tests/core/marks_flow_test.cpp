// Seeing the game at a glance while it is played: the tints on the last
// move's squares and the marker beside the side to move, as the screen shows
// them after each thing a player does.
#include <gtest/gtest.h>

#include "play/commands.h"
#include "play/file_panel.h"
#include "scripted_game.h"
#include "view/board_view.h"
#include "view/marks_view.h"

namespace korvanu {
namespace {

using testing::on;

constexpr int UPPER_MARKER_CELL = -1, LOWER_MARKER_CELL = 13, MARKER_ROW = 10;

class MarksFlow : public testing::GameFlow {
protected:
  static std::uint32_t from() { return tintOf(SquareMark::From); }
  static std::uint32_t to() { return tintOf(SquareMark::To); }
  static std::uint32_t blown() { return tintOf(SquareMark::Blown); }
  static bool markerAt(const testing::Screen& s, int cell) {
    return s.shows(cell, MARKER_ROW, "手番");
  }
  bool markerAt(int cell) { return markerAt(look(), cell); }
  // Which side the marker stands at: 'L'ower, 'U'pper, '-' none, '2' both.
  char marker() {
    const bool lower = markerAt(LOWER_MARKER_CELL), upper = markerAt(UPPER_MARKER_CELL);
    return lower && upper ? '2' : lower ? 'L' : upper ? 'U' : '-';
  }
  // Every tint on the board, as "x,y" of From, To and Blown squares.
  std::string tints() {
    std::string out;
    for (const char* kind : {"F", "T", "B"})
      for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
          const std::uint32_t t = look().tint(x, y);
          const char* k = t == from()    ? "F"
                          : t == to()    ? "T"
                          : t == blown() ? "B"
                          : t            ? "?"
                                         : nullptr;
          if (k && std::string(k) == kind)
            out += std::string(k) + std::to_string(x) + std::to_string(y) + " ";
        }
    return out;
  }
  // The squares tinted as a king in danger, as "xy ".
  std::string endangered() {
    std::string out;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (look().tint(x, y) == TINT_DANGER) out += std::to_string(x) + std::to_string(y) + " ";
    return out;
  }
  // Between two people: the lower bishop takes the upper one, blowing up the
  // corner of the upper camp.
  void startAndExchangeBishops() {
    menu(Menu::START);
    bishopsExchange();
  }
};

TEST_F(MarksFlow, NoGameShowsNeitherMarksNorMarker) {
  menu(Menu::SIDOU);
  click(7, 7); // refused, but its guidance is shown
  click(3, 3);
  menu(Menu::UCHU);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
}

TEST_F(MarksFlow, TheHumansMoveThenTheComputersReplyEachMarkTheirSquares) {
  menu(Menu::SENTE);
  EXPECT_EQ(marker(), 'L');
  const size_t start = ui.draws.size();
  move(7, 7, 7, 6); // the computer answers within the same click
  ASSERT_EQ(g.MOVE_NO, 2);

  // While it thought, the marker stood at the computer's side, between the
  // human's tints and its own.
  size_t humanTo = 0, upperMarker = 0, computerTo = 0;
  for (size_t i = start; i < ui.draws.size(); ++i) {
    const DrawCall& d = ui.draws[i];
    if (d.kind == DrawCall::Tint && d.argb == to()) (humanTo ? computerTo : humanTo) = i;
    if (d.kind == DrawCall::Text && d.text == "手番" && d.left < BOARD_LEFT && !upperMarker)
      upperMarker = i;
  }
  EXPECT_TRUE(humanTo < upperMarker && upperMarker < computerTo)
      << humanTo << " " << upperMarker << " " << computerTo;

  // Only the reply stays marked; the human's squares are plain again.
  int fx = 0, fy = 0, tx = 0, ty = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 4; ++y) {
      if (g.REC[1].BOARD[x][y] != EMPTY && g.BOARD[x][y] == EMPTY) fx = x, fy = y;
      if (g.REC[1].BOARD[x][y] == EMPTY && g.BOARD[x][y] != EMPTY) tx = x, ty = y;
    }
  ASSERT_NE(fx, 0);
  ASSERT_NE(tx, 0);
  EXPECT_EQ(tints(), "F" + std::to_string(fx) + std::to_string(fy) + " T" + std::to_string(tx) +
                         std::to_string(ty) + " ");
  EXPECT_EQ(look().at(7, 7).picture, EMPTY);
  EXPECT_EQ(look().at(7, 6).picture, CODE_SITA_HU);
  EXPECT_EQ(marker(), 'L');
  EXPECT_EQ(look().smeared(), 0);
}

TEST_F(MarksFlow, AnExplosionLeavesScorchedSquaresUntilTheNextMove) {
  startAndExchangeBishops();
  ASSERT_EQ(g.BOARD[8][2], EMPTY) << "the capturing bishop went with the blast";
  EXPECT_EQ(tints(), "F28 T82 B71 B81 B91 ");
  EXPECT_EQ(look().at(8, 2).picture, EMPTY) << "tinted after the blast's last frame";
  EXPECT_EQ(marker(), 'U');

  move(6, 1, 7, 1);
  EXPECT_EQ(tints(), "F61 T71 ");
  EXPECT_EQ(look().at(9, 1).picture, EMPTY);
  EXPECT_EQ(marker(), 'L');
  EXPECT_EQ(look().smeared(), 0);
}

TEST_F(MarksFlow, StepsThroughTheRecordMarkTheMoveOfTheEntryShown) {
  startAndExchangeBishops();
  const std::string afterBlast = tints();
  menu(Menu::REPLAY);
  EXPECT_EQ(tints(), "F73 T74 ");
  EXPECT_EQ(marker(), 'L');
  menu(Menu::REPLAY);
  EXPECT_EQ(tints(), "F37 T36 ");
  EXPECT_EQ(marker(), 'U');
  menu(Menu::REPLAY);
  EXPECT_EQ(tints(), "") << "the first position has no last move";
  EXPECT_EQ(marker(), 'L');
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  EXPECT_EQ(tints(), afterBlast) << "worked out from the record as it was played";
  EXPECT_EQ(marker(), 'U');
  EXPECT_EQ(look().smeared(), 0);

  menu(Menu::CANCEL);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
  // スタート then steps through the previous game again.
  menu(Menu::START);
  menu(Menu::AFTER);
  EXPECT_EQ(tints(), "F37 T36 ");
}

TEST_F(MarksFlow, ACaptureBetweenNeighboursStepsBackAsTheSideThatMadeIt) {
  menu(Menu::START);
  testing::emptyBoard(g, {on(1, 9, CODE_SITA_OU), on(9, 1, CODE_UE_OU), on(5, 6, CODE_SITA_GIN),
                          on(5, 4, CODE_UE_GIN)});
  move(5, 6, 5, 5);
  move(5, 4, 5, 5); // both silvers go: the boards alone could read it the other way round
  EXPECT_EQ(tints(), "F54 T55 ");
  move(1, 9, 1, 8);
  menu(Menu::REPLAY);
  EXPECT_EQ(tints(), "F54 T55 ");
}

TEST_F(MarksFlow, ALoadedRecordIsMarkedAsItIsSteppedWithoutAMarker) {
  startAndExchangeBishops();
  move(6, 1, 7, 1);
  menu(Menu::KIFU_WRITE);
  ui.fields[0] = "blast";
  Command1_Click(g);
  ASSERT_TRUE(said("棋譜を書き込みました", "  "));

  File1_Click(g, "blast.棋譜");
  ASSERT_EQ(g.RECORD_LAST, 4);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
  menu(Menu::AFTER);
  EXPECT_EQ(tints(), "F37 T36 ");
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  EXPECT_EQ(tints(), "F28 T82 B71 B81 B91 ");
  menu(Menu::AFTER);
  EXPECT_EQ(tints(), "F61 T71 ");
  menu(Menu::REPLAY);
  EXPECT_EQ(tints(), "F28 T82 B71 B81 B91 ");
  EXPECT_EQ(marker(), '-') << "a record is watched, not played";
  EXPECT_EQ(look().smeared(), 0);
}

TEST_F(MarksFlow, RedrawsKeepEachTintOnceAndTheTurnedBoardTurnsThem) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::SIDOU);
  startAndExchangeBishops();
  const std::string marked = tints();
  for (Menu m : {Menu::TATAMI, Menu::TAKE, Menu::UCHU, Menu::RENGA, Menu::MIDORI, Menu::MOCHIKOMA})
    menu(m);
  click(6, 1); // picked up: red outline and guidance
  click(5, 3); // another piece of the same side
  EXPECT_EQ(tints(), marked);
  EXPECT_EQ(look().smeared(), 0);
  EXPECT_EQ(marker(), 'U');

  menu(Menu::REVERSE);
  EXPECT_EQ(tints(), "F82 T28 B19 B29 B39 ");
  EXPECT_EQ(marker(), 'L') << "the side that was to move now plays the lower pieces";
  EXPECT_EQ(look().smeared(), 0);
}

TEST_F(MarksFlow, TheWinnerIsAnnouncedWithoutAMarkerAndANewGameHasNoMarks) {
  menu(Menu::START);
  ui.answers = {Answer::Yes};
  ui.messages.clear();
  rookBlastsTheUpperKing();
  ASSERT_EQ(ui.messages.size(), 2u);
  ASSERT_EQ(ui.messages[0].text, "先手の勝ちです");

  const testing::Screen announced = shownAtMessage(0);
  EXPECT_FALSE(markerAt(announced, LOWER_MARKER_CELL));
  EXPECT_FALSE(markerAt(announced, UPPER_MARKER_CELL));
  EXPECT_EQ(announced.tint(5, 2), to()) << "the winning move stays marked";
  EXPECT_EQ(announced.tint(5, 1), blown());

  EXPECT_EQ(g.TURN, NO_GAME) << "a new game, waiting to be started";
  EXPECT_EQ(look().tintedSquares(), 0);
  EXPECT_EQ(marker(), '-');
}

// Between two people on kings only: the lower king steps up, then the upper
// gold steps beside its own king, where the lower rook can take it.
TEST_F(MarksFlow, TheKingTheSideToMoveCanHitIsRedThroughStepsTakeBackRecordsAndTheEnd) {
  menu(Menu::START);
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(4, 2, CODE_UE_KIN)});
  move(5, 9, 5, 8);
  EXPECT_EQ(endangered(), "") << "the upper side cannot reach the lower king";
  move(4, 2, 5, 2);
  EXPECT_EQ(endangered(), "51 ");
  menu(Menu::REPLAY);
  EXPECT_EQ(endangered(), "");
  menu(Menu::AFTER);
  EXPECT_EQ(endangered(), "51 ");
  menu(Menu::MATTA);
  EXPECT_EQ(endangered(), "");
  move(4, 2, 5, 2);
  EXPECT_EQ(endangered(), "51 ");
  EXPECT_EQ(look().smeared(), 0);

  menu(Menu::KIFU_WRITE);
  ui.fields[0] = "danger";
  Command1_Click(g);
  menu(Menu::RESIGN); // the lower side, which could have won
  ASSERT_TRUE(said("後手の勝ちです", "終了"));
  EXPECT_EQ(shownAtMessage(ui.messages.size() - 2).tint(5, 1), 0u) << "the game is over";

  File1_Click(g, "danger.棋譜");
  EXPECT_EQ(endangered(), "");
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  EXPECT_EQ(endangered(), "51 ");
  menu(Menu::CANCEL);
  EXPECT_EQ(endangered(), "");
}

TEST_F(MarksFlow, TheHumansKingIsRedWhileTheComputerCanTakeIt) {
  menu(Menu::SENTE);
  kingsOnly({on(4, 1, CODE_UE_SYA)});
  const size_t before = ui.draws.size();
  move(5, 9, 4, 8); // onto the rook's file; the computer takes the king
  ASSERT_TRUE(said("ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"));
  bool redWhileItThought = false;
  for (size_t i = before; i < ui.draws.size(); ++i) {
    const DrawCall& d = ui.draws[i];
    redWhileItThought =
        redWhileItThought || (d.kind == DrawCall::Tint && d.argb == TINT_DANGER &&
                              d.left > cellLeft(4) && d.left < cellLeft(5) && d.top > cellTop(8));
  }
  EXPECT_TRUE(redWhileItThought);
}

} // namespace
} // namespace korvanu
