// A game opened as the window opens it, in a folder of its own, with a
// stand-in sound library; and the ways a person plays it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/headless.h"
#include "play/board_input.h"
#include "play/setup.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu::testing {

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
