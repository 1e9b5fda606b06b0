// Seeing the game at a glance while it is played: the tints on the last
// move's squares and the marker beside the side to move, as the screen shows
// them after each thing a player does.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "screen_model.h"
#include "view/marks_view.h"

namespace korvanu {
namespace {

using testing::on;

constexpr int UPPER_MARKER_CELL = -1, LOWER_MARKER_CELL = 13, MARKER_ROW = 10;

class MarksFlow : public testing::OpenedGame {
protected:
  testing::Screen screen{ui};

  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT) {
    click(fx, fy);
    click(tx, ty, button);
  }
  const testing::Screen& look() { return screen.look(); }
  static std::uint32_t from() { return tintOf(SquareMark::From); }
  static std::uint32_t to() { return tintOf(SquareMark::To); }
  static std::uint32_t blown() { return tintOf(SquareMark::Blown); }
  bool markerAt(int cell) { return look().shows(cell, MARKER_ROW, "手番"); }
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
  // Between two people: the lower bishop takes the upper one, blowing up the
  // corner of the upper camp.
  void bishopsExchange() {
    onMenu(g, Menu::START);
    move(3, 7, 3, 6);
    move(7, 3, 7, 4);
    move(2, 8, 8, 2);
  }
};

TEST_F(MarksFlow, NoGameShowsNeitherMarksNorMarker) {
  onMenu(g, Menu::SIDOU);
  click(7, 7); // refused, but its guidance is shown
  click(3, 3);
  onMenu(g, Menu::UCHU);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
}

TEST_F(MarksFlow, TheHumansMoveThenTheComputersReplyEachMarkTheirSquares) {
  onMenu(g, Menu::SENTE);
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
  bishopsExchange();
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
  bishopsExchange();
  const std::string afterBlast = tints();
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(tints(), "F73 T74 ");
  EXPECT_EQ(marker(), 'L');
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(tints(), "F37 T36 ");
  EXPECT_EQ(marker(), 'U');
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(tints(), "") << "the first position has no last move";
  EXPECT_EQ(marker(), 'L');
  onMenu(g, Menu::AFTER);
  onMenu(g, Menu::AFTER);
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(tints(), afterBlast) << "worked out from the record as it was played";
  EXPECT_EQ(marker(), 'U');
  EXPECT_EQ(look().smeared(), 0);

  onMenu(g, Menu::CANCEL);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
  // スタート then steps through the previous game again.
  onMenu(g, Menu::START);
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(tints(), "F37 T36 ");
}

TEST_F(MarksFlow, ACaptureBetweenNeighboursStepsBackAsTheSideThatMadeIt) {
  onMenu(g, Menu::START);
  testing::emptyBoard(g, {on(1, 9, CODE_SITA_OU), on(9, 1, CODE_UE_OU), on(5, 6, CODE_SITA_GIN),
                          on(5, 4, CODE_UE_GIN)});
  move(5, 6, 5, 5);
  move(5, 4, 5, 5); // both silvers go: the boards alone could read it the other way round
  EXPECT_EQ(tints(), "F54 T55 ");
  move(1, 9, 1, 8);
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(tints(), "F54 T55 ");
}

TEST_F(MarksFlow, ALoadedRecordIsMarkedAsItIsSteppedWithoutAMarker) {
  bishopsExchange();
  move(6, 1, 7, 1);
  onMenu(g, Menu::KIFU_WRITE);
  ui.fields[0] = "blast";
  Command1_Click(g);
  ASSERT_TRUE(said("棋譜を書き込みました", "  "));

  File1_Click(g, "blast.棋譜");
  ASSERT_EQ(g.RECORD_LAST, 4);
  EXPECT_EQ(tints(), "");
  EXPECT_EQ(marker(), '-');
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(tints(), "F37 T36 ");
  onMenu(g, Menu::AFTER);
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(tints(), "F28 T82 B71 B81 B91 ");
  onMenu(g, Menu::AFTER);
  EXPECT_EQ(tints(), "F61 T71 ");
  onMenu(g, Menu::REPLAY);
  EXPECT_EQ(tints(), "F28 T82 B71 B81 B91 ");
  EXPECT_EQ(marker(), '-') << "a record is watched, not played";
  EXPECT_EQ(look().smeared(), 0);
}

TEST_F(MarksFlow, RedrawsKeepEachTintOnceAndTheTurnedBoardTurnsThem) {
  onMenu(g, Menu::MOCHIKOMA);
  onMenu(g, Menu::SIDOU);
  bishopsExchange();
  const std::string marked = tints();
  for (Menu m : {Menu::TATAMI, Menu::TAKE, Menu::UCHU, Menu::RENGA, Menu::MIDORI, Menu::MOCHIKOMA})
    onMenu(g, m);
  click(6, 1); // picked up: red outline and guidance
  click(5, 3); // another piece of the same side
  EXPECT_EQ(tints(), marked);
  EXPECT_EQ(look().smeared(), 0);
  EXPECT_EQ(marker(), 'U');

  onMenu(g, Menu::REVERSE);
  EXPECT_EQ(tints(), "F82 T28 B19 B29 B39 ");
  EXPECT_EQ(marker(), 'L') << "the side that was to move now plays the lower pieces";
  EXPECT_EQ(look().smeared(), 0);
}

// Notes how much had been drawn when each message box came up.
class AnnouncingPlatform : public HeadlessPlatform {
public:
  std::vector<size_t> drawnAt;
  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override {
    drawnAt.push_back(draws.size());
    return HeadlessPlatform::messageBox(text, title, buttons, icon);
  }
};

TEST(MarksAtTheEnd, TheWinnerIsAnnouncedWithoutAMarkerAndANewGameHasNoMarks) {
  testing::TempDir dir;
  AnnouncingPlatform ui;
  Game g{ui};
  Form_Load(g);
  onMenu(g, Menu::START);
  testing::emptyBoard(g, {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(5, 6, CODE_SITA_SYA),
                          on(4, 2, CODE_UE_KIN)});
  auto click = [&](int x, int y) {
    Form_MouseDown(g, BUTTON_LEFT, 0, BOARD_LEFT + x * SQUARE_WIDTH + 200,
                   BOARD_TOP + y * SQUARE_HEIGHT + 300);
  };
  click(5, 9), click(5, 8);
  click(4, 2), click(5, 2);
  ui.answers = {Answer::Yes};
  ui.messages.clear();
  ui.drawnAt.clear();
  click(5, 6), click(5, 2); // the rook takes the gold; the blast, the upper king
  ASSERT_EQ(ui.messages.size(), 2u);
  ASSERT_EQ(ui.messages[0].text, "先手の勝ちです");

  testing::Screen screen{ui};
  screen.look(ui.drawnAt[0]);
  EXPECT_FALSE(screen.shows(LOWER_MARKER_CELL, MARKER_ROW, "手番"));
  EXPECT_FALSE(screen.shows(UPPER_MARKER_CELL, MARKER_ROW, "手番"));
  EXPECT_EQ(screen.tint(5, 2), tintOf(SquareMark::To)) << "the winning move stays marked";
  EXPECT_EQ(screen.tint(5, 1), tintOf(SquareMark::Blown));

  screen.look();
  EXPECT_EQ(g.TURN, NO_GAME) << "a new game, waiting to be started";
  EXPECT_EQ(screen.tintedSquares(), 0);
  EXPECT_FALSE(screen.shows(LOWER_MARKER_CELL, MARKER_ROW, "手番"));
  EXPECT_FALSE(screen.shows(UPPER_MARKER_CELL, MARKER_ROW, "手番"));
}

} // namespace
} // namespace korvanu
