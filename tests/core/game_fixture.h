// A game opened as the window opens it, in a folder of its own, with a
// stand-in sound library; and the ways a person plays it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/headless.h"
#include "play/board_input.h"
#include "play/setup.h"
#include "position.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu::testing {

// A board with nothing on it but `pieces`, for positions set up by hand.
inline void emptyBoard(Game& g, std::initializer_list<Placed> pieces = {}) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = EMPTY;
  place(g, pieces);
}

class OpenedGame : public ::testing::Test {
protected:
  TempDir dir; // the settings and record files land here
  HeadlessPlatform ui;
  Game g{ui};

  // Sound ids the stand-in library reports as "play N".
  static constexpr int FORBIDDEN = 2, PIECE = 3, EXPLOSION = 4;

  void SetUp() override {
    fake::reset();
    Form_Load(g);
    g.SOUND_LIB = &fake::api();
    g.SOUND_FORBIDDEN = FORBIDDEN;
    g.SOUND_PIECE = PIECE;
    g.SOUND_EXPLOSION = EXPLOSION;
    ui.messages.clear();
  }
  // A press in the middle of cell (x, y).
  void click(double x, double y, int button = BUTTON_LEFT) {
    Form_MouseDown(g, button, 0, BOARD_LEFT + x * SQUARE_WIDTH + 200,
                   BOARD_TOP + y * SQUARE_HEIGHT + 300);
  }
  // From the starting position: the lower rook moved up to (5, 6), ready to
  // take the pawn put next to the upper king on (5, 2).
  void rookBesideTheUpperKing() {
    g.BOARD[5][3] = EMPTY;
    g.BOARD[5][2] = CODE_UE_HU;
    g.BOARD[5][7] = EMPTY;
    g.BOARD[8][8] = EMPTY;
    g.BOARD[5][6] = CODE_SITA_SYA;
  }
  int played(int sound) const {
    return static_cast<int>(
        std::count(fake::calls.begin(), fake::calls.end(), "play " + std::to_string(sound)));
  }
  bool said(const std::string& text, const std::string& title) const {
    for (const MessageCall& m : ui.messages)
      if (m.text == text && m.title == title) return true;
    return false;
  }
};

} // namespace korvanu::testing
