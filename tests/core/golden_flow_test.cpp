// A whole session of play, pinned: a scripted sequence of menu commands,
// mouse presses and clock ticks, whose full journal (every drawing call,
// sound, wait, message box, timer switch and the record after each step) is
// compared line by line with tests/core/golden/game_flow.log.
//
// A change that moves what the player sees or hears shows up here. When the
// change is intended, rerun with KORVANU_UPDATE_GOLDEN=1 to rewrite the file
// and say in the commit message what moved and why.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/setup.h"
#include "rules/move_list.h"
#include "sound/sound_library.h"
#include "state/game.h"
#include "temp_dir.h"

namespace korvanu {
namespace {

std::vector<std::string>* journal = nullptr;

void note(const std::string& line) {
  if (journal) journal->push_back(line);
}

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

// Every call the game makes to the world outside, one line each, in order.
class JournalPlatform : public HeadlessPlatform {
public:
  void fillSurface(int colour) override {
    note("fill " + std::to_string(colour));
    HeadlessPlatform::fillSurface(colour);
  }
  void drawPicture(int code, double left, double top) override {
    note("pic " + std::to_string(code) + " " + num(left) + " " + num(top));
    HeadlessPlatform::drawPicture(code, left, top);
  }
  void drawOutline(int colour, double left, double top, double right, double bottom) override {
    note("box " + std::to_string(colour) + " " + num(left) + " " + num(top) + " " + num(right) +
         " " + num(bottom));
    HeadlessPlatform::drawOutline(colour, left, top, right, bottom);
  }
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom) override {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%08X", static_cast<unsigned>(argb));
    note(std::string("tint ") + colour + " " + num(left) + " " + num(top) + " " + num(right) + " " +
         num(bottom));
    HeadlessPlatform::drawTint(argb, left, top, right, bottom);
  }
  void drawText(const std::string& text, double left, double top, int colour, double points,
                bool bold) override {
    note("text " + std::to_string(colour) + " " + num(left) + " " + num(top) + " " + num(points) +
         (bold ? " bold " : " ") + "[" + text + "]");
    HeadlessPlatform::drawText(text, left, top, colour, points, bold);
  }
  void refresh() override {
    note("refresh");
    HeadlessPlatform::refresh();
  }
  void showCursor(int colour, double left, double top, double right, double bottom) override {
    note("cursor " + std::to_string(colour) + " " + num(left) + " " + num(top) + " " + num(right) +
         " " + num(bottom));
    HeadlessPlatform::showCursor(colour, left, top, right, bottom);
  }
  void hideCursor() override {
    note("cursor hidden");
    HeadlessPlatform::hideCursor();
  }
  void setMenuChecked(Menu item, bool checked) override {
    note("check " + std::string(menuItem(item).name) + (checked ? " on" : " off"));
    HeadlessPlatform::setMenuChecked(item, checked);
  }
  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override {
    const Answer a = HeadlessPlatform::messageBox(text, title, buttons, icon);
    note("message [" + title + "] [" + text + "] -> " +
         (a == Answer::Ok    ? "ok"
          : a == Answer::Yes ? "yes"
                             : "no"));
    return a;
  }
  void moveWindow(int left, int top) override {
    note("window " + std::to_string(left) + " " + std::to_string(top));
    HeadlessPlatform::moveWindow(left, top);
  }
  void wait(double seconds) override {
    note("wait " + num(seconds));
    HeadlessPlatform::wait(seconds);
  }
  void setTimerEnabled(bool enabled) override {
    note(enabled ? "timer on" : "timer off");
    HeadlessPlatform::setTimerEnabled(enabled);
  }
  void showFileLists(bool drive, bool folder, bool files) override {
    note("lists " + std::to_string(drive) + std::to_string(folder) + std::to_string(files));
    HeadlessPlatform::showFileLists(drive, folder, files);
  }
  void showRecordFields(bool show) override {
    note(std::string("fields ") + (show ? "shown" : "hidden"));
    HeadlessPlatform::showRecordFields(show);
  }
  void quit() override {
    note("quit");
    HeadlessPlatform::quit();
  }
};

int32_t soundPlay(int32_t id) { return note("sound play " + std::to_string(id)), 1; }
int32_t soundLoop(int32_t id) { return note("sound loop " + std::to_string(id)), 1; }
int32_t soundStop(int32_t id) { return note("sound stop " + std::to_string(id)), 1; }
int32_t soundFree(int32_t id) { return note("sound free " + std::to_string(id)), 1; }
int32_t soundInit(intptr_t) { return 9; }
int32_t soundTerm(int32_t d) { return note("sound terminate " + std::to_string(d)), 1; }
int32_t soundCreate(int32_t, const void*, int32_t, int32_t) { return 0; }
const SoundApi JOURNAL_SOUND{soundInit, soundTerm, soundCreate, soundPlay,
                             soundLoop, soundStop, soundFree};

class GoldenFlow : public ::testing::Test {
protected:
  testing::TempDir dir;
  JournalPlatform ui;
  Game g{ui};
  std::vector<std::string> lines;

  void SetUp() override {
    Form_Load(g);
    g.SOUND_LIB = &JOURNAL_SOUND;
    g.SOUND_DEVICE = 9;
    g.SOUND_OTHER = 1;
    g.SOUND_FORBIDDEN = 2;
    g.SOUND_PIECE = 3;
    g.SOUND_EXPLOSION = 4;
    g.SOUND_BGM = 5;
    journal = &lines;
  }
  void TearDown() override { journal = nullptr; }

  void step(const std::string& what) { note("== " + what); }
  void menu(Menu m) {
    step(std::string("menu ") + std::string(menuItem(m).name));
    onMenu(g, m);
    state();
  }
  void click(int x, int y, int button = BUTTON_LEFT) {
    step("click " + std::to_string(x) + " " + std::to_string(y) +
         (button == BUTTON_RIGHT ? " right" : ""));
    Form_MouseDown(g, button, 0, BOARD_LEFT + x * SQUARE_WIDTH + 200,
                   BOARD_TOP + y * SQUARE_HEIGHT + 300);
    state();
  }
  // The window's timer, as it ticks while `seconds` pass.
  void tick(double seconds) {
    step("tick " + num(seconds));
    ui.clock += seconds;
    if (ui.timerEnabled) Timer1_Timer(g);
  }
  // The first playable move of the side to move whose piece leaves `fromX`
  // column, or the first move at all: keeps the script valid on any reply.
  void playSomething(bool upper, int fromX) {
    const std::vector<Move> moves = playableMoves(g, upper);
    ASSERT_FALSE(moves.empty());
    Move m = moves.front();
    for (const Move& c : moves)
      if (c.fx == fromX) {
        m = c;
        break;
      }
    const bool drop = m.fx == 11 || m.fx == -1;
    const bool promote = !drop && m.code != g.BOARD[m.fx][m.fy];
    // The upper hand is picked up by its screen row.
    click(m.fx, drop && upper ? 8 - m.fy : m.fy);
    tick(1.5);
    click(m.tx, m.ty, promote ? BUTTON_RIGHT : BUTTON_LEFT);
  }
  void state() {
    std::ostringstream s;
    s << "state turn " << g.TURN << " mode " << g.GAME_MODE << " select " << g.SELECT_STATE
      << " move " << g.MOVE_NO << " last " << g.RECORD_LAST << " moves " << g.GAME_MOVES << " man "
      << num(g.MAN_TIME) << " com " << num(g.COM_TIME);
    note(s.str());
    std::string board = "board";
    for (int y = 1; y <= 9; ++y)
      for (int x = 9; x >= 1; --x) board += " " + std::to_string(g.BOARD[x][y]);
    note(board);
    std::string hands = "hands";
    for (int k = 1; k <= 7; ++k) hands += " " + std::to_string(g.HAND_SITA[k]);
    hands += " |";
    for (int k = 1; k <= 7; ++k) hands += " " + std::to_string(g.HAND_UE[k]);
    note(hands);
  }
  void record() {
    for (int n = 0; n <= g.RECORD_LAST && n < static_cast<int>(g.REC.size()); ++n) {
      const RecordEntry& e = g.REC[static_cast<size_t>(n)];
      std::string line = "entry " + std::to_string(n);
      for (int y = 1; y <= 9; ++y)
        for (int x = 9; x >= 1; --x) line += " " + std::to_string(e.BOARD[x][y]);
      line += " |";
      for (int k = 1; k <= 7; ++k) line += " " + std::to_string(e.HAND_SITA[k]);
      line += " |";
      for (int k = 1; k <= 7; ++k) line += " " + std::to_string(e.HAND_UE[k]);
      line +=
          " | " + num(e.TIME_A) + " " + num(e.TIME_B) + " " + num(e.TIME_C) + " " + num(e.TIME_D);
      note(line);
    }
  }
  void emptyBoardWithKings() {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = EMPTY;
    g.BOARD[5][9] = CODE_SITA_OU;
    g.BOARD[5][1] = CODE_UE_OU;
    g.OU_SITA_X = 5, g.OU_SITA_Y = 9, g.OU_UE_X = 5, g.OU_UE_Y = 1;
  }
};

std::string goldenPath() { return std::string(KORVANU_GOLDEN_DIR) + "/game_flow.log"; }

TEST_F(GoldenFlow, ASessionOfPlayDrawsSoundsAndRecordsAsBefore) {
  // Options as a player sets them.
  menu(Menu::MOCHIKOMA);
  menu(Menu::SIDOU);
  menu(Menu::KEIKA);

  // Against the computer, moving first.
  menu(Menu::SENTE);
  click(1, 7);
  tick(2);
  click(1, 6);
  tick(1);
  click(4, 7);
  tick(3.5);
  click(4, 6); // the computer's bishop takes the pawn and blows up
  for (int i = 0; i < 4; ++i) {
    tick(1);
    playSomething(false, 2 + i);
  }
  // A square the piece cannot reach, then a piece of the computer's.
  click(1, 9);
  click(1, 1);
  click(3, 3);
  record();

  // Through the record and back.
  menu(Menu::REPLAY);
  menu(Menu::REPLAY);
  menu(Menu::AFTER);
  tick(1);
  menu(Menu::AFTER);
  menu(Menu::AFTER);
  menu(Menu::SENTE);
  tick(2);
  playSomething(false, 7);
  record();

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
  click(3, 7);
  click(3, 6);
  click(7, 3);
  click(7, 4);
  click(2, 8);
  click(8, 2); // bishop takes bishop: the corner blows up
  tick(4);
  playSomething(true, 9);
  // A drop from the lower hand.
  if (g.HAND_SITA_TOTAL > 0) playSomething(false, 11);
  tick(1);
  playSomething(true, 1);
  menu(Menu::LEVEL2);
  record();

  // The end of a game between two people: the blast takes a king.
  ui.answers = {Answer::Yes};
  menu(Menu::CANCEL);
  menu(Menu::START);
  emptyBoardWithKings();
  g.BOARD[5][6] = CODE_SITA_SYA;
  g.BOARD[4][2] = CODE_UE_KIN;
  click(5, 9);
  click(5, 8);
  click(4, 2);
  click(5, 2);
  click(5, 6);
  click(5, 2);
  record();

  // The end of a game against the computer, and of the program.
  ui.answers = {Answer::No};
  menu(Menu::SENTE);
  emptyBoardWithKings();
  g.BOARD[5][6] = CODE_SITA_SYA;
  g.BOARD[5][2] = CODE_UE_HU;
  click(5, 6);
  click(5, 2);
  record();

  if (std::getenv("KORVANU_UPDATE_GOLDEN")) {
    std::ofstream out(goldenPath(), std::ios::binary);
    for (const std::string& l : lines) out << l << '\n';
    GTEST_SKIP() << "golden log rewritten: " << goldenPath();
  }
  std::ifstream in(goldenPath(), std::ios::binary);
  ASSERT_TRUE(in) << "no golden log at " << goldenPath();
  std::vector<std::string> expected;
  for (std::string l; std::getline(in, l);) expected.push_back(l);
  // Report the first difference with the step it happened in.
  std::string lastStep;
  for (size_t i = 0; i < std::min(expected.size(), lines.size()); ++i) {
    if (expected[i].starts_with("== ")) lastStep = expected[i];
    ASSERT_EQ(lines[i], expected[i]) << "line " << i + 1 << ", in step " << lastStep;
  }
  EXPECT_EQ(lines.size(), expected.size());
}

} // namespace
} // namespace korvanu
