// Playing from the keyboard on the headless window: the record keys, the
// menus' keys, and the cursor, whose presses must do exactly what clicks do.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "play/commands.h"
#include "play/keyboard.h"
#include "scripted_game.h"
#include "view/cursor_view.h"

namespace korvanu {
namespace {

using testing::on;

// What was drawn, one line a call, to compare two sessions.
std::vector<std::string> drawn(const HeadlessPlatform& ui) {
  std::vector<std::string> out;
  for (const DrawCall& d : ui.draws) {
    std::ostringstream line;
    line << d.kind << ' ' << d.code << ' ' << d.left << ' ' << d.top << ' ' << d.right << ' '
         << d.bottom << ' ' << d.text << ' ' << d.points << ' ' << d.bold;
    out.push_back(line.str());
  }
  return out;
}

std::vector<std::string> messagesOf(const HeadlessPlatform& ui) {
  std::vector<std::string> out;
  for (const MessageCall& m : ui.messages) out.push_back(m.title + " / " + m.text);
  return out;
}

class Keyboard : public testing::GameFlow {
protected:
  bool key(int code, int shift = 0) { return Form_KeyDown(g, code, shift); }
  void keys(int code, int times) {
    for (int i = 0; i < times; ++i) key(code);
  }
  // Walks the cursor there with the arrows: off a hand stand, along the
  // column, then along the row (which may lead onto a stand).
  void cursorTo(int x, int y) {
    if (!g.CURSOR_SHOWN) key(KEY_UP);
    if (g.CURSOR_X == 11) key(KEY_LEFT);
    if (g.CURSOR_X == -1) key(KEY_RIGHT);
    for (int i = 0; i < 12 && g.CURSOR_Y != y; ++i) key(g.CURSOR_Y < y ? KEY_DOWN : KEY_UP);
    for (int i = 0; i < 12 && g.CURSOR_X != x; ++i) key(g.CURSOR_X < x ? KEY_RIGHT : KEY_LEFT);
    ASSERT_EQ(g.CURSOR_X, x);
    ASSERT_EQ(g.CURSOR_Y, y);
  }
  // The cursor as the window shows it, in cells.
  std::pair<double, double> cursorCell() const {
    return {(ui.cursor.left - BOARD_LEFT) / SQUARE_WIDTH,
            (ui.cursor.top - BOARD_TOP) / SQUARE_HEIGHT};
  }
  void startTwoPeople() {
    menu(Menu::START);
    ui.messages.clear();
  }
};

TEST_F(Keyboard, LeftAndRightStepTheRecordUntilTheCursorIsOut) {
  startTwoPeople();
  click(7, 7), click(7, 6);
  click(3, 3), click(3, 4);
  ASSERT_EQ(g.MOVE_NO, 2);

  EXPECT_TRUE(key(KEY_LEFT));
  EXPECT_EQ(g.MOVE_NO, 1);
  EXPECT_EQ(g.BOARD[3][3], CODE_UE_HU) << "the upper pawn's move is taken back";
  key(KEY_LEFT);
  EXPECT_EQ(g.BOARD[7][7], CODE_SITA_HU);
  key(KEY_LEFT);
  EXPECT_TRUE(said("できません", "戻る")) << "as 戻 at the first position";
  key(KEY_RIGHT);
  EXPECT_EQ(g.MOVE_NO, 1);
  EXPECT_EQ(g.BOARD[7][6], CODE_SITA_HU);

  // Out comes the cursor: now the arrows move it, and Ctrl steps instead.
  key(KEY_RETURN);
  ASSERT_TRUE(g.CURSOR_SHOWN);
  key(KEY_RIGHT);
  EXPECT_EQ(g.MOVE_NO, 1);
  EXPECT_EQ(g.CURSOR_X, 6);
  key(KEY_RIGHT, CTRL_MASK);
  EXPECT_EQ(g.MOVE_NO, 2);
  EXPECT_EQ(g.BOARD[3][4], CODE_UE_HU);
  key(KEY_LEFT, CTRL_MASK);
  EXPECT_EQ(g.MOVE_NO, 1);
  EXPECT_EQ(g.CURSOR_X, 6) << "the cursor stays where it was";

  // Keys the game does not play with are left to the window.
  EXPECT_FALSE(key('A'));
  EXPECT_FALSE(key(KEY_RETURN, ALT_MASK));
  EXPECT_FALSE(key(KEY_UP, CTRL_MASK));
}

TEST_F(Keyboard, MenuKeysDoWhatTheirMenusDo) {
  // Each item's key is its own.
  std::set<std::string_view> seen;
  for (const MenuItem& item : menuItems()) {
    const std::string_view k = menuShortcut(item.id);
    if (k.empty()) continue;
    EXPECT_TRUE(seen.insert(k).second) << k << " chooses two items";
  }
  EXPECT_FALSE(seen.empty());

  // Ctrl+O and Ctrl+S open the panel to load and to save.
  menuKey(g, Menu::KIFU_READ);
  EXPECT_TRUE(ui.driveList && ui.folderList && ui.fileList);
  EXPECT_FALSE(ui.recordFields);
  menuKey(g, Menu::KIFU_WRITE);
  EXPECT_TRUE(ui.folderList && ui.recordFields);
  EXPECT_FALSE(ui.fileList);

  // Home is 最初, from the 局面 menu: the panel goes as the menu opens, and
  // the game with it.
  startTwoPeople();
  click(7, 7), click(7, 6);
  menuKey(g, Menu::KIFU_WRITE);
  ASSERT_TRUE(ui.recordFields);
  const int piece = played(PIECE);
  menuKey(g, Menu::CANCEL);
  EXPECT_FALSE(ui.recordFields || ui.folderList);
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_EQ(g.BOARD[7][7], CODE_SITA_HU);
  EXPECT_EQ(played(PIECE), piece + 1);

  // キー操作 names every key the menus show.
  ui.messages.clear();
  menuKey(g, Menu::KEYS);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].title, "キー操作");
  for (const MenuItem& item : menuItems()) {
    const std::string_view k = menuShortcut(item.id);
    if (k.empty()) continue;
    const std::string& text = ui.messages[0].text;
    const size_t line = text.find(std::string(k) + "：");
    ASSERT_NE(line, std::string::npos) << k;
    EXPECT_NE(text.substr(line, text.find('\n', line) - line).find(item.caption), std::string::npos)
        << k;
  }
}

TEST_F(Keyboard, TheCursorComesOutOnTheFirstPressAndOnlyThen) {
  startTwoPeople();
  const size_t draws = ui.draws.size();
  key(KEY_SPACE);
  EXPECT_TRUE(g.CURSOR_SHOWN);
  EXPECT_TRUE(ui.cursorShown);
  EXPECT_EQ(cursorCell(), std::make_pair(5.0, 5.0));
  EXPECT_EQ(ui.cursor.right - ui.cursor.left, SQUARE_WIDTH);
  EXPECT_EQ(ui.cursor.bottom - ui.cursor.top, SQUARE_HEIGHT);
  EXPECT_EQ(ui.cursor.code, COLOR_CURSOR);
  EXPECT_NE(COLOR_CURSOR, COLOR_LIGHT_RED);
  EXPECT_NE(COLOR_CURSOR, COLOR_WHITE);
  EXPECT_NE(COLOR_CURSOR, COLOR_GRID);
  // Nothing else happened: no press, no drawing on the board.
  EXPECT_EQ(ui.draws.size(), draws);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(g.SELECT_STATE, 0);

  // A piece picked up with the mouse: the cursor comes out on it.
  ui.messages.clear();
  putCursorAway(g);
  EXPECT_FALSE(ui.cursorShown);
  click(8, 9); // a knight
  ASSERT_EQ(g.SELECT_STATE, 1);
  key(KEY_DOWN);
  EXPECT_EQ(cursorCell(), std::make_pair(8.0, 9.0));
  EXPECT_EQ(g.SELECT_STATE, 1);
}

TEST_F(Keyboard, TheCursorCrossesTheBoardOntoTheStandsAndStopsAtTheEdges) {
  key(KEY_UP);
  keys(KEY_RIGHT, 10);
  EXPECT_EQ(g.CURSOR_X, 9) << "no stands without pieces in hand";
  keys(KEY_UP, 10);
  EXPECT_EQ(g.CURSOR_Y, 1);
  keys(KEY_LEFT, 10);
  EXPECT_EQ(g.CURSOR_X, 1);
  keys(KEY_DOWN, 10);
  EXPECT_EQ(g.CURSOR_Y, 9);
  EXPECT_EQ(cursorCell(), std::make_pair(1.0, 9.0)) << "the window shows where it is";

  menu(Menu::MOCHIKOMA);
  // The lower stand is right of the board on rows 3 to 9.
  cursorTo(9, 2);
  key(KEY_RIGHT);
  EXPECT_EQ(g.CURSOR_X, 9) << "nothing beside row 2";
  key(KEY_DOWN);
  key(KEY_RIGHT);
  EXPECT_EQ(g.CURSOR_X, 11);
  EXPECT_EQ(cursorCell(), std::make_pair(11.0, 3.0));
  key(KEY_RIGHT);
  key(KEY_UP);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(11, 3));
  keys(KEY_DOWN, 10);
  EXPECT_EQ(g.CURSOR_Y, 9);
  key(KEY_LEFT);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(9, 9));

  // The upper stand is left of it on rows 1 to 7.
  cursorTo(1, 8);
  key(KEY_LEFT);
  EXPECT_EQ(g.CURSOR_X, 1) << "nothing beside row 8";
  key(KEY_UP);
  key(KEY_LEFT);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(-1, 7));
  EXPECT_EQ(cursorCell(), std::make_pair(-1.0, 7.0));
  key(KEY_DOWN);
  key(KEY_LEFT);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(-1, 7));
  keys(KEY_UP, 10);
  EXPECT_EQ(g.CURSOR_Y, 1);
  key(KEY_RIGHT);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(1, 1));

  // Stands put away under the cursor: it steps back onto the board.
  cursorTo(-1, 4);
  menu(Menu::MOCHIKOMA);
  key(KEY_DOWN);
  EXPECT_EQ(std::make_pair(g.CURSOR_X, g.CURSOR_Y), std::make_pair(1, 5));
}

// One session played twice, by the keyboard and by the mouse: a pick-up, a
// piece that must promote refused on Enter and promoted on Shift+Enter, a
// move of the second player, drops from both stands and a refused move.
// Everything drawn, said and heard is the same.
TEST_F(Keyboard, PressesAreClicksAtTheCursorsCell) {
  struct Press {
    int x, y;
    bool right;
  };
  const std::vector<Press> session{{2, 2, false}, {2, 1, false},  {2, 1, true},  {5, 1, false},
                                   {5, 2, false}, {11, 7, false}, {5, 5, false}, {-1, 7, false},
                                   {9, 5, false}, {5, 9, false},  {9, 9, false}};
  auto setUp = [](Table& game) {
    // The options are saved as they change, so the second game opens with them.
    for (Menu option : {Menu::MOCHIKOMA, Menu::SIDOU})
      if (!isChecked(game, option)) onMenu(game, option);
    onMenu(game, Menu::START);
    testing::emptyBoard(game,
                        {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(2, 2, CODE_SITA_HU)});
    game.HAND_SITA[KIN] = game.HAND_UE[HU] = 1;
    game.HAND_SITA_TOTAL = game.HAND_UE_TOTAL = 1;
  };

  // By the keyboard, in this fixture's game.
  setUp(g);
  key(KEY_RETURN);
  ui.draws.clear();
  ui.messages.clear();
  fake::calls.clear();
  for (const Press& p : session) {
    cursorTo(p.x, p.y);
    key(KEY_RETURN, p.right ? SHIFT_MASK : 0);
  }
  EXPECT_EQ(g.BOARD[2][1], CODE_SITA_HU_NARI);
  EXPECT_EQ(g.BOARD[5][2], CODE_UE_OU);
  EXPECT_EQ(g.BOARD[5][5], CODE_SITA_KIN) << "dropped from the lower stand";
  EXPECT_EQ(g.BOARD[9][5], CODE_UE_HU) << "dropped from the upper stand";
  EXPECT_EQ(g.HAND_SITA_TOTAL + g.HAND_UE_TOTAL, 0);
  EXPECT_EQ(g.BOARD[5][9], CODE_SITA_OU) << "the king cannot jump";
  EXPECT_EQ(g.MOVE_NO, 4);
  EXPECT_TRUE(g.CURSOR_SHOWN) << "the game goes on";
  const std::vector<std::string> sounds = fake::calls;

  // By the mouse, in a second game opened the same way.
  testing::ScriptedGame mouse;
  setUp(mouse.g);
  mouse.ui.draws.clear();
  mouse.ui.messages.clear();
  fake::calls.clear();
  for (const Press& p : session) mouse.click(p.x, p.y, p.right ? BUTTON_RIGHT : BUTTON_LEFT);

  EXPECT_EQ(drawn(ui), drawn(mouse.ui));
  EXPECT_EQ(messagesOf(ui), messagesOf(mouse.ui));
  EXPECT_EQ(sounds, fake::calls);
  EXPECT_TRUE(said("マウスの右をクリックして下さい", "成り"));
  EXPECT_EQ(played(FORBIDDEN), 2) << "the left press on the last row and the king's leap";
}

TEST_F(Keyboard, TheCursorGoesWithTheGameAndLeavesTheRecordKeysFree) {
  startTwoPeople();
  ui.answers = {Answer::Yes}; // another game?
  kingsOnly({on(5, 4, CODE_SITA_SYA), on(5, 2, CODE_UE_KIN)});
  // The rook takes the gold; the blast takes the king beside it.
  cursorTo(5, 4);
  key(KEY_RETURN);
  cursorTo(5, 2);
  key(KEY_SPACE);
  EXPECT_TRUE(said("先手の勝ちです", "終了"));
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_FALSE(g.CURSOR_SHOWN);
  EXPECT_FALSE(ui.cursorShown);
  // So ← is the record's again.
  ui.messages.clear();
  key(KEY_LEFT);
  EXPECT_TRUE(said("できません", "戻る"));

  // Home, in a game with the cursor out, puts it away too.
  startTwoPeople();
  key(KEY_UP);
  ASSERT_TRUE(ui.cursorShown);
  menuKey(g, Menu::CANCEL);
  EXPECT_FALSE(ui.cursorShown);
  EXPECT_FALSE(g.CURSOR_SHOWN);
}

} // namespace
} // namespace korvanu
