// 盤面回転: the picture turns round, the game does not. Clicks on the turned
// picture play what the same cells of the game would, the record and its file
// stay the same, and everything drawn on a cell goes to the turned cell.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "play/file_panel.h"
#include "play/keyboard.h"
#include "scripted_game.h"

namespace korvanu {
namespace {

using testing::on;

// A click on a game cell: a board square, or a hand cell in column 11 or -1.
struct Click {
  int x, y, button = BUTTON_LEFT;
};

using testing::bytesOf;

class ViewTurn : public testing::GameFlow {
protected:
  // Two people, the kings, a silver each that may promote and a gold in
  // each hand. (The games share a folder, so the option is set, not
  // toggled: the last game's settings file is read.)
  static void setUp(testing::ScriptedGame& s) {
    setChecked(s.g, Menu::MOCHIKOMA, true);
    s.menu(Menu::START);
    s.kingsOnly({on(4, 4, CODE_SITA_GIN), on(6, 6, CODE_UE_GIN)});
    s.g.HAND_SITA[KIN] = s.g.HAND_SITA_TOTAL = 1;
    s.g.HAND_UE[KIN] = s.g.HAND_UE_TOTAL = 1;
  }
};

TEST_F(ViewTurn, AClickOnTheTurnedPicturePlaysTheSameMoveAndSavesTheSameFile) {
  const int upperGold = 8 - KIN; // the upper stand's row of the gold
  const struct {
    const char* what;
    std::vector<Click> clicks;
  } rows[] = {
      {"a king's step", {{5, 9}, {4, 8}}},
      {"the silver promoted by the right button", {{4, 4}, {3, 3, BUTTON_RIGHT}}},
      {"the silver left as it is by the left button", {{4, 4}, {3, 3}}},
      {"a drop from the lower hand", {{11, KIN + 2}, {2, 5}}},
      {"a drop from the upper hand", {{5, 9}, {4, 8}, {-1, upperGold}, {7, 4}}},
      {"the upper silver promoted", {{5, 9}, {4, 8}, {6, 6}, {7, 7, BUTTON_RIGHT}}},
  };
  int n = 0;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string file = std::to_string(n++);
    testing::ScriptedGame plain, turned;
    setUp(plain);
    setUp(turned);
    turned.menu(Menu::VIEW_TURN);
    for (const Click& c : row.clicks) {
      plain.click(c.x, c.y, c.button);
      // The turned picture shows the game's cell (x, y) at (10 - x, 10 - y).
      turned.click(10 - c.x, 10 - c.y, c.button);
    }
    const int moves = static_cast<int>(row.clicks.size()) / 2;
    ASSERT_EQ(plain.g.GAME_MOVES, moves) << "the clicks play their moves";
    EXPECT_EQ(turned.g.TURN, plain.g.TURN);
    EXPECT_EQ(turned.g.REC[static_cast<size_t>(moves)], plain.g.REC[static_cast<size_t>(moves)]);
    for (auto [s, name] : {std::pair{&plain, "plain" + file}, {&turned, "turned" + file}}) {
      s->menu(Menu::KIFU_WRITE);
      s->ui.fields[0] = name;
      Command1_Click(s->g);
    }
    const std::string written = bytesOf(dir.path() / ("plain" + file + ".棋譜"));
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(bytesOf(dir.path() / ("turned" + file + ".棋譜")), written);
  }
}

TEST_F(ViewTurn, EverythingOnACellIsDrawnOnTheTurnedCellAndEachSideKeepsItsTexts) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::START);
  // The bishops' exchange: pieces in both hands, the move and its blast
  // tinted, the lower side's clock ahead; the upper side to move.
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  tick(65);
  move(2, 8, 8, 2);
  ASSERT_GT(g.HAND_SITA_TOTAL, 0);
  ASSERT_GT(g.HAND_UE_TOTAL, 0);
  const testing::Screen plain = look();
  menu(Menu::VIEW_TURN);
  const testing::Screen& turned = look();

  auto seenFromTheOtherSide = [](int code) { return isPieceCode(code) ? -code : code; };
  for (int x = -1; x <= 11; ++x)
    for (int y = 1; y <= 9; ++y) {
      const bool handCell = (x == 11 && y >= 3) || (x == -1 && y <= 7);
      if (!onBoard(x, y) && !handCell) continue;
      const testing::CellSight was = plain.at(x, y), now = turned.at(10 - x, 10 - y);
      EXPECT_EQ(now.picture, seenFromTheOtherSide(was.picture)) << x << "," << y;
      EXPECT_EQ(now.tints, was.tints) << x << "," << y;
    }
  // The texts that swap places: the hand counts right of each stand's
  // pieces, the labels of the files and ranks beside them, and each side's
  // clock and turn marker (three cells wide), which go with its stand.
  using Cells = std::vector<std::pair<int, int>>;
  auto textsIn = [](const testing::Screen& s, const Cells& cells) {
    std::vector<std::string> all;
    for (auto [x, y] : cells)
      for (const std::string& text : s.at(x, y).texts) all.push_back(text);
    return all;
  };
  std::vector<std::pair<Cells, Cells>> swapped;
  for (int row : {9, 10})
    swapped.push_back({{{-2, row}, {-1, row}, {0, row}}, {{13, row}, {14, row}, {15, row}}});
  for (int k = 1; k <= 7; ++k) swapped.push_back({{{0, 8 - k}}, {{12, k + 2}}});
  for (int i = 1; i <= 9; ++i) {
    swapped.push_back({{{i, 0}}, {{10 - i, 0}}});
    swapped.push_back({{{10, i}}, {{10, 10 - i}}});
  }
  for (const auto& [a, b] : swapped) {
    EXPECT_EQ(textsIn(turned, a), textsIn(plain, b)) << a[0].first << "," << a[0].second;
    EXPECT_EQ(textsIn(turned, b), textsIn(plain, a)) << b[0].first << "," << b[0].second;
  }
  EXPECT_FALSE(plain.at(-2, 10).texts.empty()) << "the upper side's marker";

  // The lower side's last move is written again beside its stand, now on
  // the left, and the upper side's next move above its stand on the right.
  ASSERT_FALSE(plain.at(12, 2).texts.empty());
  EXPECT_EQ(turned.at(-2, 8).texts, plain.at(12, 2).texts);
  click(10 - 6, 10 - 1);
  click(10 - 7, 10 - 2);
  ASSERT_EQ(g.BOARD[7][2], CODE_UE_KIN);
  EXPECT_FALSE(look().at(12, 2).texts.empty());
}

TEST_F(ViewTurn, TheCursorFollowsTheArrowsOnThePicture) {
  menu(Menu::MOCHIKOMA);
  menu(Menu::VIEW_TURN);
  auto shownAt = [&] {
    return std::pair{static_cast<int>((ui.cursor.left - BOARD_LEFT) / SQUARE_WIDTH),
                     static_cast<int>((ui.cursor.top - BOARD_TOP) / SQUARE_HEIGHT)};
  };
  Form_KeyDown(g, KEY_UP, 0); // brings it out
  // Up to the top row, then right to the board's edge and onto the stand
  // drawn beside it.
  const struct {
    int key, times;
    std::pair<int, int> shown;
  } steps[] = {{KEY_UP, 4, {5, 1}},     {KEY_DOWN, 2, {5, 3}}, {KEY_RIGHT, 4, {9, 3}},
               {KEY_RIGHT, 1, {11, 3}}, {KEY_LEFT, 1, {9, 3}}, {KEY_LEFT, 9, {-1, 3}}};
  for (const auto& s : steps) {
    for (int i = 0; i < s.times; ++i) Form_KeyDown(g, s.key, 0);
    EXPECT_EQ(shownAt(), s.shown) << s.key;
  }
}

} // namespace
} // namespace korvanu
