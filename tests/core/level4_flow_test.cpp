// Level 4 in the game: chosen from the menu, playing through the same turn
// as the other levels (here on a saved game taken up again), and the hint.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "play/autosave.h"
#include "play/file_panel.h"
#include "play/level4.h"
#include "rules/move_list.h"
#include "scripted_game.h"
#include "view/marks_view.h"
#include "view/text_view.h"

namespace korvanu {
namespace {

class Level4 : public testing::GameFlow {
protected:
  // A move of `legal` from (fx, fy) to (tx, ty), in any promotion.
  static bool listed(const std::vector<Move>& legal, int fx, int fy, int tx, int ty) {
    return std::any_of(legal.begin(), legal.end(), [&](const Move& m) {
      return m.fx == fx && m.fy == fy && m.tx == tx && m.ty == ty;
    });
  }
  // The squares the last move's marks name as left and reached.
  std::pair<int, int> marked(SquareMark mark) const {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (g.MOVE_MARKS.at[x][y] == mark) return {x, y};
    return {0, 0};
  }
};

TEST_F(Level4, ChosenForASavedGameTakenUpAgainItAnswersThroughTheTurn) {
  menu(Menu::SENTE);
  move(7, 7, 7, 6); // level 3 replies
  ASSERT_FALSE(g.RECORD_UNSAVED) << "kept as it was played";
  menu(Menu::CANCEL);
  File1_Click(g, "前回の対局.棋譜");
  menu(Menu::AFTER); // the human's move shown: the computer is to move
  const std::vector<Move> legal = playableMoves(g, true);

  menu(Menu::LEVEL4);
  EXPECT_EQ(g.COM_LEVEL, LEVEL_SEARCH);
  for (Menu other : {Menu::LEVEL1, Menu::LEVEL2, Menu::LEVEL3})
    EXPECT_FALSE(ui.checks[static_cast<int>(other)]);
  EXPECT_TRUE(ui.checks[static_cast<int>(Menu::LEVEL4)]);
  ui.messages.clear();
  menu(Menu::SENTE);
  EXPECT_EQ(ui.asideRuns, 1) << "the search ran beside the window";
  EXPECT_TRUE(look().shows(0, 0, " 4 ")) << "the level at the top left";
  EXPECT_EQ(g.MOVE_NO, 2);
  EXPECT_EQ(g.TURN, g.SIDE_MAN);
  const auto [fx, fy] = marked(SquareMark::From);
  const auto [tx, ty] = marked(SquareMark::To);
  EXPECT_TRUE(listed(legal, fx, fy, tx, ty)) << fx << fy << " to " << tx << ty;
  EXPECT_TRUE(look().shows(-2, 8, 文字列変換(10 - tx))) << "written beside the board";
  EXPECT_FALSE(g.RECORD_UNSAVED) << "kept at once";
}

TEST_F(Level4, AHintMarksTheMoveForWhoeverIsToMoveUntilTheNextClickAndRecordsNothing) {
  menu(Menu::HINT);
  EXPECT_TRUE(said("「対局」で始めて下さい", "ヒント"));
  menu(Menu::SENTE);
  move(7, 7, 7, 6);
  menu(Menu::REPLAY); // the reply taken off: the computer is to move
  menu(Menu::HINT);
  EXPECT_TRUE(said("できません", "ヒント"));
  EXPECT_EQ(played(FORBIDDEN), 2);
  EXPECT_EQ(ui.asideRuns, 0);

  // Against the computer the lower side's, between people the upper side's.
  for (Menu mode : {Menu::SENTE, Menu::START}) {
    menu(Menu::CANCEL);
    menu(mode);
    move(7, 7, 7, 6);
    const bool upper = g.TURN == g.SIDE_COM;
    ASSERT_EQ(upper, mode == Menu::START);
    const std::vector<Move> legal = playableMoves(g, upper);
    const RecordEntry entry = g.REC[static_cast<size_t>(g.MOVE_NO)];
    const int last = g.RECORD_LAST, turn = g.TURN, runs = ui.asideRuns;
    const bool timer = ui.timerEnabled;

    menu(Menu::HINT);
    EXPECT_EQ(ui.asideRuns, runs + 1);
    ASSERT_TRUE(g.HINT.shown);
    const HintMarks h = g.HINT;
    const int fromRow = h.fromX == -1 ? 8 - h.fromY : h.fromY; // a drop by kind
    EXPECT_TRUE(listed(legal, h.fromX, fromRow, h.toX, h.toY));
    const std::uint32_t tint = look().tint(h.toX, h.toY);
    for (SquareMark m : {SquareMark::None, SquareMark::From, SquareMark::To, SquareMark::Blown})
      EXPECT_NE(tint, tintOf(m)) << "a colour of its own";
    EXPECT_EQ(look().tint(h.fromX, h.fromY), tint);
    EXPECT_TRUE(look().shows(13, 5, "ヒント"));
    EXPECT_TRUE(look().shows(13, 5, 文字列変換(10 - h.toX)));
    EXPECT_EQ(g.REC[static_cast<size_t>(g.MOVE_NO)], entry);
    EXPECT_EQ(g.RECORD_LAST, last);
    EXPECT_EQ(g.TURN, turn);
    EXPECT_EQ(ui.timerEnabled, timer) << "the clock runs on";

    click(5, 5); // an empty square: nothing but the hint's end
    EXPECT_FALSE(g.HINT.shown);
    EXPECT_EQ(look().tint(h.toX, h.toY), tintOf(g.MOVE_MARKS.at[h.toX][h.toY]));
    EXPECT_TRUE(look().at(13, 5).texts.empty());
    EXPECT_EQ(g.RECORD_LAST, last);
  }
}

} // namespace
} // namespace korvanu
