#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless.h"
#include "play/commands.h"
#include "play/setup.h"
#include "play/startup.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "settings/options.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {
namespace {

// The starting position row by row from the top, columns 1..9 left to right.
constexpr int START[9][9] = {
    {CODE_UE_KYOU, CODE_UE_KEI, CODE_UE_GIN, CODE_UE_KIN, CODE_UE_OU, CODE_UE_KIN, CODE_UE_GIN,
     CODE_UE_KEI, CODE_UE_KYOU},
    {EMPTY, CODE_UE_SYA, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, CODE_UE_KAKU, EMPTY},
    {CODE_UE_HU, CODE_UE_HU, CODE_UE_HU, CODE_UE_HU, CODE_UE_HU, CODE_UE_HU, CODE_UE_HU, CODE_UE_HU,
     CODE_UE_HU},
    {EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY},
    {EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY},
    {EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY},
    {CODE_SITA_HU, CODE_SITA_HU, CODE_SITA_HU, CODE_SITA_HU, CODE_SITA_HU, CODE_SITA_HU,
     CODE_SITA_HU, CODE_SITA_HU, CODE_SITA_HU},
    {EMPTY, CODE_SITA_KAKU, EMPTY, EMPTY, EMPTY, EMPTY, EMPTY, CODE_SITA_SYA, EMPTY},
    {CODE_SITA_KYOU, CODE_SITA_KEI, CODE_SITA_GIN, CODE_SITA_KIN, CODE_SITA_OU, CODE_SITA_KIN,
     CODE_SITA_GIN, CODE_SITA_KEI, CODE_SITA_KYOU},
};

// The opening itself is under test: each test opens the game its own way.
testing::GameOptions unopened() { return testing::GameOptions().unopened().soundsLoaded(); }

class Setup : public testing::GameFlow {
protected:
  Setup() : GameFlow(unopened()) {}
  void SetUp() override {
    // Sounds of 1..5 bytes in load order, so each call shows which file it got.
    dir.write("その他.wav", "1");
    dir.write("禁止.wav", "22");
    dir.write("駒打音.wav", "333");
    dir.write("爆発音.wav", "4444");
    dir.write("BGM.wav", "55555");
  }
};

TEST_F(Setup, InitialSetupPlacesTheStartingPositionAndStoresItAsMoveZero) {
  // Leave a game in progress behind, to be cleared.
  g.TURN = TURN_GOTE;
  g.GAME_MODE = MODE_MAN_COM;
  g.MOVE_NO = 12;
  g.GAME_MOVES = 12;
  g.HAND_SITA[KAKU] = 1;
  g.HAND_UE[HU] = 3;
  g.HAND_SITA_TOTAL = 1;
  g.HAND_UE_TOTAL = 3;
  g.BOARD[5][5] = CODE_UE_SYA_NARI;
  g.TIMER1_ENABLED = true;
  g.MAN_TIME = 31.5;
  g.REVERSED = ON;
  g.HANDICAP_SET = ON;
  g.HANDICAP_LEVEL = 4;
  g.RECORD_MODE = ON;
  g.RESUME_PENDING = ON;
  g.SELECT_STATE = 1;
  g.WINNER = TURN_SENTE;

  初期設定(g);

  for (int y = 1; y <= 9; ++y)
    for (int x = 1; x <= 9; ++x) EXPECT_EQ(g.BOARD[x][y], START[y - 1][x - 1]) << x << "," << y;
  for (int k = 1; k <= 7; ++k) {
    EXPECT_EQ(g.HAND_SITA[k], 0);
    EXPECT_EQ(g.HAND_UE[k], 0);
  }
  EXPECT_EQ(g.HAND_SITA_TOTAL, 0);
  EXPECT_EQ(g.HAND_UE_TOTAL, 0);
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_EQ(g.GAME_MODE, NO_GAME);
  EXPECT_EQ(g.WINNER, NO_GAME);
  EXPECT_EQ(g.MOVE_NO, 0);
  EXPECT_EQ(g.GAME_MOVES, 0);
  EXPECT_EQ(g.SELECT_STATE, 0);
  EXPECT_EQ(g.REVERSED, OFF);
  EXPECT_EQ(g.HANDICAP_SET, OFF);
  EXPECT_EQ(g.HANDICAP_LEVEL, 0);
  EXPECT_EQ(g.RECORD_MODE, OFF);
  EXPECT_EQ(g.RESUME_PENDING, OFF);
  EXPECT_FALSE(g.TIMER1_ENABLED);
  EXPECT_EQ(g.MAN_TIME, 0);
  EXPECT_EQ(g.COM_TIME, 0);

  EXPECT_EQ(g.REC[0], positionOf(g)) << "move 0, with no time on the clocks";

  // The whole window was repainted: every square shows its piece.
  int squares = 0;
  for (const DrawCall& d : ui.draws)
    if (d.kind == DrawCall::Picture && d.left >= 1545 && d.left < 6000 && d.top >= 715 &&
        d.top < 6250)
      ++squares;
  EXPECT_EQ(squares, 81);
}

TEST_F(Setup, WindowLoadDrawsTheOptionsAndFirstPositionThenTheSoundsFollow) {
  Form_Load(g);
  EXPECT_TRUE(fake::calls.empty()) << "the window is not held back by the sound";

  startSounds(g);
  const std::vector<std::string> soundCalls{"init",
                                            "create flags=3 bytes=1",
                                            "create flags=3 bytes=2",
                                            "create flags=3 bytes=3",
                                            "create flags=3 bytes=4",
                                            "create flags=1 bytes=5",
                                            "loop 5"};
  EXPECT_EQ(fake::calls, soundCalls) << "the music starts as the options asked";
  EXPECT_TRUE(ui.messages.empty());

  EXPECT_TRUE(isChecked(g, Menu::LEVEL3));
  EXPECT_TRUE(ui.checks[static_cast<int>(Menu::LEVEL3)]);
  EXPECT_EQ(g.COM_LEVEL, 3);
  EXPECT_TRUE(isChecked(g, Menu::MIDORI));
  EXPECT_FALSE(isChecked(g, Menu::TATAMI)) << "the window's own mark is replaced by the option";
  EXPECT_EQ(g.BACKGROUND, BG_MIDORI);
  EXPECT_FALSE(isChecked(g, Menu::MOCHIKOMA));
  EXPECT_TRUE(isChecked(g, Menu::KEIKA));
  EXPECT_TRUE(isChecked(g, Menu::BGM));
  EXPECT_EQ(g.SIDE_COM, TURN_SENTE);
  EXPECT_EQ(g.SIDE_MAN, TURN_GOTE);
  EXPECT_EQ(g.TURN, NO_GAME);
  EXPECT_EQ(g.BOARD[5][1], CODE_UE_OU);

  // The surface starts green, the first position comes last with the title on top.
  EXPECT_EQ(ui.draws.front().kind, DrawCall::Fill);
  EXPECT_EQ(ui.draws.front().code, COLOR_BOARD);
  EXPECT_EQ(ui.draws.back().code, PIC_TITLE);

  EXPECT_EQ(ui.window.left, 0);
  EXPECT_EQ(ui.window.top, 0);
  EXPECT_EQ(ui.window.width, 9400);
  EXPECT_EQ(ui.window.height, 8000);
}

TEST_F(Setup, AMaximisedWindowIsLeftWhereItIs) {
  ui.window = {-60, -60, 20000, 15000};
  Form_Load(g);
  EXPECT_EQ(ui.window.width, 20000);
}

TEST_F(Setup, MusicSwitchedBeforeTheSoundsCameIsHonouredWhenTheyCome) {
  Form_Load(g);
  menu(Menu::BGM); // off
  startSounds(g);
  EXPECT_EQ(std::count(fake::calls.begin(), fake::calls.end(), "loop 5"), 0);
  menu(Menu::BGM); // on again, now with music to play
  EXPECT_EQ(fake::calls.back(), "loop 5");

  // Switched off and on again while silent: the music starts when it comes.
  testing::ScriptedGame second(unopened());
  Form_Load(second.g);
  second.menu(Menu::BGM);
  second.menu(Menu::BGM);
  startSounds(second.g);
  EXPECT_EQ(std::count(fake::calls.begin(), fake::calls.end(), "loop 5"), 1);
}

TEST_F(Setup, EndingBeforeTheSoundsCameFreesNothing) {
  Form_Load(g);
  Form_KeyPress(g, KEY_ESCAPE);
  EXPECT_TRUE(ui.quitRequested);
  EXPECT_TRUE(fake::calls.empty());
}

TEST_F(Setup, EscapeAndTheEndItemFreeTheSoundsAndQuit) {
  Form_Load(g);
  startSounds(g);
  Form_KeyPress(g, 'a');
  Form_KeyPress(g, 13);
  EXPECT_FALSE(ui.quitRequested);
  fake::calls.clear();
  Form_KeyPress(g, KEY_ESCAPE);
  EXPECT_TRUE(ui.quitRequested);
  const std::vector<std::string> endCalls{"free 1", "free 2", "free 3",
                                          "free 4", "free 5", "terminate 7"};
  EXPECT_EQ(fake::calls, endCalls);
  EXPECT_TRUE(ui.messages.empty()) << "no question is asked";

  testing::ScriptedGame second(unopened());
  Form_Load(second.g);
  startSounds(second.g);
  second.menu(Menu::OWARI);
  EXPECT_TRUE(second.ui.quitRequested);
}

TEST_F(Setup, OptionItemsRedrawTheWindow) {
  Form_Load(g);
  ui.draws.clear();
  menu(Menu::MOCHIKOMA);
  EXPECT_TRUE(isChecked(g, Menu::MOCHIKOMA));
  int handPieces = 0;
  for (const DrawCall& d : ui.draws)
    if (d.kind == DrawCall::Picture && d.code == EMPTY &&
        (d.left == cellLeft(11) || d.left == cellLeft(-1)))
      ++handPieces;
  EXPECT_EQ(handPieces, 14) << "both stands show their seven empty slots";

  ui.draws.clear();
  menu(Menu::UCHU);
  EXPECT_EQ(g.BACKGROUND, BG_UCHU);
  EXPECT_TRUE(isChecked(g, Menu::UCHU));
  EXPECT_FALSE(isChecked(g, Menu::MIDORI));
  EXPECT_EQ(ui.draws.front().code, BG_UCHU);

  チェック設定(g, 99);
  for (Menu m : {Menu::MIDORI, Menu::TATAMI, Menu::TAKE, Menu::UCHU, Menu::RENGA})
    EXPECT_FALSE(isChecked(g, m));
}

} // namespace
} // namespace korvanu
