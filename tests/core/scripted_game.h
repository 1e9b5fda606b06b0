// A game played as a person plays it: opened as the window opens it, with a
// stand-in sound library, then driven by menu commands, clicks, moves and
// clock ticks, and checked by what was said, what sounded and what the
// screen shows. With a journal, every call the game makes to the world
// outside is noted line by line (the golden log).
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless.h"
#include "position.h"
#include "rules/move_list.h"
#include "screen_model.h"
#include "sound_fake.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu::testing {

// The headless window that can also keep a journal, and that notes how much
// had been drawn when each message box came up.
class ScriptedPlatform : public HeadlessPlatform {
public:
  std::vector<std::string>* journal = nullptr; // noted into while set
  std::vector<size_t> drawnAtMessage;

  void note(const std::string& line) {
    if (journal) journal->push_back(line);
  }

  void fillSurface(int colour) override;
  void drawPicture(int code, double left, double top) override;
  void drawOutline(int colour, double left, double top, double right, double bottom) override;
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom) override;
  void drawText(const std::string& text, double left, double top, int colour, double points,
                bool bold) override;
  void refresh() override;
  void showCursor(int colour, double left, double top, double right, double bottom) override;
  void hideCursor() override;
  void setMenuChecked(Menu item, bool checked) override;
  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override;
  void moveWindow(int left, int top) override;
  void wait(double seconds) override;
  void setTimerEnabled(bool enabled) override;
  void showFileLists(bool drive, bool folder, bool files) override;
  void showRecordFields(bool show) override;
  void quit() override;
};

// How the game is opened; the defaults are the window's own, silent but for
// the stand-in sounds.
struct GameOptions {
  // Every platform call, sound and step noted in `journal`, from the opening on.
  bool journal = false;
  // Form_Load when the game is set up; without it the test opens it itself.
  bool opened = true;
  // The sounds come as the window's do: the stand-in library offered by the
  // platform, loaded from the folder's files once the window shows. Without
  // it the stand-in's ids are set straight after opening.
  bool loadedSounds = false;
  // Where the file panel opens and the game is kept; "" for the game folder.
  std::string recordsFolder;
  // Where a game goes that the records folder cannot take.
  std::string stateFolder;
  // The answers to the Yes/No boxes, from the opening on (Yes once they run out).
  std::vector<Answer> answers;

  GameOptions& journaled() { return journal = true, *this; }
  GameOptions& unopened() { return opened = false, *this; }
  GameOptions& soundsLoaded() { return loadedSounds = true, *this; }
  GameOptions& recordsIn(const std::string& folder) { return recordsFolder = folder, *this; }
  GameOptions& stateIn(const std::string& folder) { return stateFolder = folder, *this; }
  GameOptions& answering(std::vector<Answer> given) { return answers = std::move(given), *this; }
};

// One run of the program.
class ScriptedGame {
public:
  // The stand-in's ids, as "play N" in fake::calls.
  static constexpr int OTHER = 1, FORBIDDEN = 2, PIECE = 3, EXPLOSION = 4, BGM = 5, DEVICE = 9;

  explicit ScriptedGame(GameOptions options = {});
  ~ScriptedGame();
  ScriptedGame(const ScriptedGame&) = delete;
  ScriptedGame& operator=(const ScriptedGame&) = delete;

  ScriptedPlatform ui;
  Table g{ui};
  std::vector<std::string> journal;

  void menu(Menu item);
  // A press in the middle of cell (x, y): a board square, or a hand cell in
  // column 11 or -1.
  void click(int x, int y, int button = BUTTON_LEFT);
  // The pointer over the middle of cell (x, y), or off the window.
  void point(int x, int y);
  void pointOff();
  // The window's timer, as it ticks while `seconds` pass.
  void tick(double seconds);
  // Picks up and puts down, `seconds` passing in between.
  void move(int fx, int fy, int tx, int ty, int button = BUTTON_LEFT, double seconds = 0);
  // A move of the rules' list, clicked as a person would: a drop from its
  // hand cell, a promotion with the right button.
  void play(const Move& m, double seconds = 0);
  // The first playable move of the side to move whose piece leaves column
  // `fromX`, or its first move at all: keeps a script valid on any reply.
  void playSomething(int fromX = 0, double seconds = 0);

  // From the starting position: the lower side opens its bishop's diagonal,
  // the upper side its own, and the lower bishop takes the upper one; the
  // blast empties the upper left corner round (8, 2).
  void bishopsExchange();
  // A board with nothing on it but the kings on their home squares and `pieces`.
  void kingsOnly(std::initializer_list<Placed> pieces = {});
  // From the starting position: the lower rook moved up to (5, 6), ready to
  // take the pawn put next to the upper king on (5, 2).
  void rookBesideTheUpperKing();
  // In a game between two people, on a board of kings only: the lower king
  // steps up, the upper gold beside its king, and the lower rook takes the
  // gold; the blast takes the upper king.
  void rookBlastsTheUpperKing();

  bool said(const std::string& text, const std::string& title) const;
  int played(int sound) const;
  // What the screen shows now.
  const Screen& look() { return screen_.look(); }
  // What it showed when the box of ui.messages[n] came up.
  Screen shownAtMessage(size_t n) const;
  // The texts written beside the board for the upper side's last move, then
  // for the lower side's, as the screen shows them now.
  std::string movesWritten();

  // The game's state and record, as journal lines.
  void noteState();
  void noteRecord();

private:
  void open();
  void step(const std::string& what) { ui.note("== " + what); }

  GameOptions options_;
  Screen screen_{ui};
};

// A test of game flow: a folder of its own and one game opened in it.
class GameFlow : public ::testing::Test, protected InFolderOfItsOwn, public ScriptedGame {
protected:
  explicit GameFlow(GameOptions options = {}) : ScriptedGame(std::move(options)) {}
};

// A board with nothing on it but `pieces`, for positions set up by hand.
inline void emptyBoard(Game& g, std::initializer_list<Placed> pieces = {}) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = EMPTY;
  place(g, pieces);
}

} // namespace korvanu::testing
