// The moves of the record: written beside the board while it is stepped
// through, as play wrote them, and listed in the move list, where a click on
// a row shows the position after that move.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "play/board_input.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/record_list.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "state/game.h"

namespace korvanu {
namespace {

class RecordList : public testing::GameFlow {
protected:
  // Between two people with hands: a bishops' exchange that blows up the
  // upper corner, drops with and without a board piece that could step there,
  // a promotion and a pawn's capture that may promote, then moves of every
  // kind as they come. written[n]: the moves beside the board after move n.
  void playScriptedGame() {
    menu(Menu::MOCHIKOMA);
    menu(Menu::START);
    written.push_back(movesWritten());
    constexpr Move SCRIPT[] = {
        {3, 7, 3, 6, CODE_SITA_HU},
        {7, 3, 7, 4, CODE_UE_HU},
        {2, 8, 8, 2, CODE_SITA_KAKU},
        {1, 3, 1, 4, CODE_UE_HU},
        {LOWER_HAND, GIN + 2, 2, 8, CODE_SITA_GIN},
        {1, 4, 1, 5, CODE_UE_HU},
        {LOWER_HAND, KAKU + 2, 5, 5, CODE_SITA_KAKU},
        {1, 5, 1, 6, CODE_UE_HU},
        {5, 5, 8, 2, CODE_SITA_KAKU_NARI},
        {1, 6, 1, 7, CODE_UE_HU},
    };
    for (const Move& m : SCRIPT) {
      play(m);
      ASSERT_EQ(g.MOVE_NO, static_cast<int>(written.size())) << "not played: " << m.tx << m.ty;
      written.push_back(movesWritten());
    }
    for (int n = 0; n < 14; ++n) {
      playSomething(n % 3 == 0 ? (g.TURN == g.SIDE_MAN ? LOWER_HAND : UPPER_HAND) : 0);
      written.push_back(movesWritten());
    }
    ASSERT_EQ(g.WINNER, NO_GAME) << "the game goes on";
    ASSERT_EQ(g.MOVE_NO + 1, static_cast<int>(written.size()));
  }
  void clickRow(int n) {
    ASSERT_LT(n, static_cast<int>(ui.moveRows.size())) << "no such row";
    moveListRowClicked(g, n);
  }
  void save() {
    menu(Menu::KIFU_WRITE);
    ui.fields[0] = "game";
    Command1_Click(g);
  }
  bool showsEntry(int n) const {
    return g.MOVE_NO == n && ui.moveRowMarked == n &&
           testing::withoutClocks(g.REC[static_cast<size_t>(n)]) == positionOf(g);
  }

  std::vector<std::string> written;
};

std::vector<int> entries(int from, int to) {
  std::vector<int> out;
  for (int n = from; n != to; n += from < to ? 1 : -1) out.push_back(n);
  out.push_back(to);
  return out;
}

TEST_F(RecordList, TheMovesWrittenAtEachEntryAreThosePlayWroteAfterItsMove) {
  playScriptedGame();
  menu(Menu::KIFU_LIST);
  const int last = g.MOVE_NO;
  const struct {
    const char* way;
    std::function<void(int n)> reach;
    std::vector<int> to;
  } moments[] = {
      {"戻", [&](int) { menu(Menu::REPLAY); }, entries(last - 1, 0)},
      {"進", [&](int) { menu(Menu::AFTER); }, entries(1, last)},
      {"a click on the list", [&](int n) { clickRow(n); }, {0, last, 3, last - 4, 9, 8, 1, last}},
      {"待った", [&](int) { menu(Menu::MATTA); }, entries(last - 1, 1)},
      {"進 in the record loaded",
       [&](int n) {
         if (n == 1) File1_Click(g, "game.棋譜");
         menu(Menu::AFTER);
       },
       entries(1, last)},
  };
  for (const auto& m : moments) {
    if (std::string(m.way) == "待った") save();
    for (int n : m.to) {
      m.reach(n);
      ASSERT_TRUE(showsEntry(n)) << m.way << " to entry " << n;
      EXPECT_EQ(movesWritten(), written[static_cast<size_t>(n)]) << m.way << " to entry " << n;
    }
  }
}

TEST_F(RecordList, OneRowAMoveInTheGamesNotationAndAClickShowsThePositionAfterIt) {
  playScriptedGame();
  menu(Menu::KIFU_LIST);
  const std::vector<std::string> played = ui.moveRows;
  ASSERT_EQ(played.size(), g.MOVE_NO + size_t{1}) << "the start and one row a move";
  // Each row as written in Japanese, and in English as Western players write
  // it, at once when the language is chosen.
  const struct {
    int row;
    const char *japanese, *western;
  } rows[] = {
      {0, "開始局面", "Start"},        {1, "1 ▲７六歩", "1 ▲ P-7f"},
      {2, "2 △３四歩", "2 △ P-3d"},    {3, "3 ▲２二角 爆4", "3 ▲ Bx2b (4 blown up)"},
      {5, "5 ▲８八銀打", "5 ▲ S*8h"},  {7, "7 ▲５五角", "7 ▲ B*5e"},
      {9, "9 ▲２二角成", "9 ▲ B-2b+"}, {10, "10 △９七歩不成 爆1", "10 △ Px9g= (1 blown up)"},
  };
  for (const auto& r : rows) EXPECT_EQ(played[static_cast<size_t>(r.row)], r.japanese);
  g.LOCATIONS.languageFile = "config/korvanu/language";
  g.LOCATIONS.localeFolder = KORVANU_LOCALE_DIR;
  menu(Menu::LANG_EN);
  for (const auto& r : rows) EXPECT_EQ(ui.moveRows[static_cast<size_t>(r.row)], r.western);
  menu(Menu::LANG_JA);
  EXPECT_EQ(ui.moveRows, played);

  for (int n : {7, 2, 10, 0}) {
    clickRow(n);
    EXPECT_TRUE(showsEntry(n)) << "row " << n;
  }

  // Closed, it follows nothing; chosen again, it shows the record as it is.
  save();
  ui.moveListOpen = false;
  menu(Menu::AFTER);
  EXPECT_EQ(ui.moveRowMarked, 0) << "a closed list is not put up again";
  menu(Menu::KIFU_LIST);
  EXPECT_TRUE(showsEntry(1));

  // A click forward needs a game, as 進 does.
  menu(Menu::CANCEL);
  clickRow(3);
  EXPECT_TRUE(showsEntry(0));

  File1_Click(g, "game.棋譜");
  EXPECT_EQ(ui.moveRows, played) << "the record loaded reads as played";
  for (int n : {7, 2, 10, 0}) {
    clickRow(n);
    EXPECT_TRUE(showsEntry(n)) << "row " << n;
  }
}

} // namespace
} // namespace korvanu
