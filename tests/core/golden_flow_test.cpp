// A whole session of play, pinned: a scripted sequence of menu commands,
// mouse presses and clock ticks, whose full journal (every drawing call,
// sound, wait, message box, timer switch and the record after each step) is
// compared line by line with tests/core/golden/game_flow.log.
//
// A change that moves what the player sees or hears shows up here. When the
// change is intended, rerun with KORVANU_UPDATE_GOLDEN=1 to rewrite the file
// and say in the commit message what moved and why.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "scripted_game.h"

namespace korvanu {
namespace {

using testing::GameOptions;
using testing::on;

class GoldenFlow : public testing::GameFlow {
protected:
  GoldenFlow() : GameFlow(GameOptions().journaled()) {}
};

std::string goldenPath() { return std::string(KORVANU_GOLDEN_DIR) + "/game_flow.log"; }

TEST_F(GoldenFlow, ASessionOfPlayDrawsSoundsAndRecordsAsBefore) {
  // Options as a player sets them.
  menu(Menu::MOCHIKOMA);
  menu(Menu::SIDOU);
  menu(Menu::KEIKA);

  // Against the computer, moving first.
  menu(Menu::SENTE);
  move(1, 7, 1, 6, BUTTON_LEFT, 2);
  tick(1);
  move(4, 7, 4, 6, BUTTON_LEFT, 3.5); // the computer's bishop takes the pawn and blows up
  for (int i = 0; i < 4; ++i) {
    tick(1);
    playSomething(2 + i, 1.5);
  }
  // A square the piece cannot reach, then a piece of the computer's.
  click(1, 9);
  click(1, 1);
  click(3, 3);
  noteRecord();

  // Through the record and back.
  menu(Menu::REPLAY);
  menu(Menu::REPLAY);
  menu(Menu::AFTER);
  tick(1);
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  menu(Menu::SENTE);
  tick(2);
  playSomething(7, 1.5);
  noteRecord();

  // A new game: handicaps, the turned board, two people at one mouse.
  menu(Menu::CANCEL);
  menu(Menu::LBEL_UP);
  menu(Menu::LBEL_UP);
  menu(Menu::LEBEL_DOWN);
  menu(Menu::REVERSE);
  menu(Menu::REVERSE);
  menu(Menu::CANCEL);
  menu(Menu::KEIKA);
  menu(Menu::START);
  bishopsExchange();
  tick(4);
  playSomething(9, 1.5);
  // A drop from the lower hand.
  if (g.HAND_SITA_TOTAL > 0) playSomething(11, 1.5);
  tick(1);
  playSomething(1, 1.5);
  menu(Menu::LEVEL2);
  noteRecord();

  // The end of a game between two people: the blast takes a king.
  ui.answers = {Answer::Yes};
  menu(Menu::CANCEL);
  menu(Menu::START);
  rookBlastsTheUpperKing();
  noteRecord();

  // The end of a game against the computer, and of the program.
  ui.answers = {Answer::No};
  menu(Menu::SENTE);
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(5, 2, CODE_UE_HU)});
  move(5, 6, 5, 2);
  noteRecord();

  if (std::getenv("KORVANU_UPDATE_GOLDEN")) {
    std::ofstream out(goldenPath(), std::ios::binary);
    for (const std::string& l : journal) out << l << '\n';
    GTEST_SKIP() << "golden log rewritten: " << goldenPath();
  }
  std::ifstream in(goldenPath(), std::ios::binary);
  ASSERT_TRUE(in) << "no golden log at " << goldenPath();
  std::vector<std::string> expected;
  for (std::string l; std::getline(in, l);) expected.push_back(l);
  // Report the first difference with the step it happened in.
  std::string lastStep;
  for (size_t i = 0; i < std::min(expected.size(), journal.size()); ++i) {
    if (expected[i].starts_with("== ")) lastStep = expected[i];
    ASSERT_EQ(journal[i], expected[i]) << "line " << i + 1 << ", in step " << lastStep;
  }
  EXPECT_EQ(journal.size(), expected.size());
}

} // namespace
} // namespace korvanu
