#include "scripted_game.h"
#include "play/startup.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/setup.h"

namespace korvanu::testing {

namespace {

std::string num(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

std::string corners(double left, double top, double right, double bottom) {
  return num(left) + " " + num(top) + " " + num(right) + " " + num(bottom);
}

} // namespace

// ----- the journal -----------------------------------------------------------

void ScriptedPlatform::fillSurface(int colour) {
  note("fill " + std::to_string(colour));
  HeadlessPlatform::fillSurface(colour);
}
void ScriptedPlatform::drawPicture(int code, double left, double top) {
  note("pic " + std::to_string(code) + " " + num(left) + " " + num(top));
  HeadlessPlatform::drawPicture(code, left, top);
}
void ScriptedPlatform::drawOutline(int colour, double left, double top, double right,
                                   double bottom) {
  note("box " + std::to_string(colour) + " " + corners(left, top, right, bottom));
  HeadlessPlatform::drawOutline(colour, left, top, right, bottom);
}
void ScriptedPlatform::drawTint(std::uint32_t argb, double left, double top, double right,
                                double bottom) {
  char colour[16];
  std::snprintf(colour, sizeof colour, "%08X", static_cast<unsigned>(argb));
  note(std::string("tint ") + colour + " " + corners(left, top, right, bottom));
  HeadlessPlatform::drawTint(argb, left, top, right, bottom);
}
void ScriptedPlatform::drawText(const std::string& text, double left, double top, int colour,
                                double points, bool bold) {
  note("text " + std::to_string(colour) + " " + num(left) + " " + num(top) + " " + num(points) +
       (bold ? " bold " : " ") + "[" + text + "]");
  HeadlessPlatform::drawText(text, left, top, colour, points, bold);
}
void ScriptedPlatform::refresh() {
  note("refresh");
  HeadlessPlatform::refresh();
}
void ScriptedPlatform::showCursor(int colour, double left, double top, double right,
                                  double bottom) {
  note("cursor " + std::to_string(colour) + " " + corners(left, top, right, bottom));
  HeadlessPlatform::showCursor(colour, left, top, right, bottom);
}
void ScriptedPlatform::hideCursor() {
  note("cursor hidden");
  HeadlessPlatform::hideCursor();
}
void ScriptedPlatform::setMenuChecked(Menu item, bool checked) {
  note("check " + std::string(menuItem(item).name) + (checked ? " on" : " off"));
  HeadlessPlatform::setMenuChecked(item, checked);
}
Answer ScriptedPlatform::messageBox(const std::string& text, const std::string& title,
                                    Buttons buttons, Icon icon) {
  drawnAtMessage.push_back(draws.size());
  const Answer a = HeadlessPlatform::messageBox(text, title, buttons, icon);
  note("message [" + title + "] [" + text + "] -> " +
       (a == Answer::Ok    ? "ok"
        : a == Answer::Yes ? "yes"
                           : "no"));
  return a;
}
void ScriptedPlatform::moveWindow(int left, int top) {
  note("window " + std::to_string(left) + " " + std::to_string(top));
  HeadlessPlatform::moveWindow(left, top);
}
void ScriptedPlatform::wait(double seconds) {
  note("wait " + num(seconds));
  HeadlessPlatform::wait(seconds);
}
void ScriptedPlatform::setTimerEnabled(bool enabled) {
  note(enabled ? "timer on" : "timer off");
  HeadlessPlatform::setTimerEnabled(enabled);
}
void ScriptedPlatform::showFileLists(bool drive, bool folder, bool files) {
  note("lists " + std::to_string(drive) + std::to_string(folder) + std::to_string(files));
  HeadlessPlatform::showFileLists(drive, folder, files);
}
void ScriptedPlatform::showRecordFields(bool show) {
  note(std::string("fields ") + (show ? "shown" : "hidden"));
  HeadlessPlatform::showRecordFields(show);
}
void ScriptedPlatform::quit() {
  note("quit");
  HeadlessPlatform::quit();
}

// ----- the game --------------------------------------------------------------

ScriptedGame::ScriptedGame(GameOptions options) : options_(std::move(options)) {
  fake::reset();
  if (options_.loadedSounds) ui.sound = &fake::api();
  if (!options_.recordsFolder.empty()) g.LOCATIONS.recordsFolder = options_.recordsFolder;
  if (!options_.stateFolder.empty()) g.LOCATIONS.stateFolder = options_.stateFolder;
  if (options_.opened) open();
}

ScriptedGame::~ScriptedGame() {
  if (ui.journal) fake::observer = nullptr;
}

void ScriptedGame::open() {
  ui.answers.assign(options_.answers.begin(), options_.answers.end());
  Form_Load(g);
  ui.messages.clear();
  if (options_.loadedSounds) {
    windowShown(g); // the sounds, word of a game kept aside, the offer to go on
  } else {
    g.SOUND_LIB = &fake::api();
    g.SOUND_DEVICE = DEVICE;
    g.SOUND_OTHER = OTHER;
    g.SOUND_FORBIDDEN = FORBIDDEN;
    g.SOUND_PIECE = PIECE;
    g.SOUND_EXPLOSION = EXPLOSION;
    g.SOUND_BGM = BGM;
  }
  if (options_.journal) {
    ui.journal = &journal;
    fake::observer = [this](const std::string& call) { ui.note("sound " + call); };
  }
}

void ScriptedGame::menu(Menu item) {
  step(std::string("menu ") + std::string(menuItem(item).name));
  onMenu(g, item);
  noteState();
}

void ScriptedGame::click(int x, int y, int button) {
  step("click " + std::to_string(x) + " " + std::to_string(y) +
       (button == BUTTON_RIGHT ? " right" : ""));
  Form_MouseDown(g, button, 0, BOARD_LEFT + x * SQUARE_WIDTH + 200,
                 BOARD_TOP + y * SQUARE_HEIGHT + 300);
  noteState();
}

void ScriptedGame::point(int x, int y) {
  Form_MouseMove(g, BOARD_LEFT + x * SQUARE_WIDTH + 200, BOARD_TOP + y * SQUARE_HEIGHT + 300);
}

void ScriptedGame::pointOff() { Form_MouseMove(g, -1, -1); }

void ScriptedGame::tick(double seconds) {
  step("tick " + num(seconds));
  ui.clock += seconds;
  if (ui.timerEnabled) Timer1_Timer(g);
}

void ScriptedGame::move(int fx, int fy, int tx, int ty, int button, double seconds) {
  click(fx, fy);
  if (seconds > 0) tick(seconds);
  click(tx, ty, button);
}

void ScriptedGame::play(const Move& m, double seconds) {
  const bool drop = m.fx == LOWER_HAND || m.fx == UPPER_HAND;
  const bool promote = !drop && m.code != g.BOARD[m.fx][m.fy];
  // The upper hand is picked up by its screen row.
  const int fromRow = drop && m.fx == UPPER_HAND ? 8 - m.fy : m.fy;
  move(m.fx, fromRow, m.tx, m.ty, promote ? BUTTON_RIGHT : BUTTON_LEFT, seconds);
}

void ScriptedGame::playSomething(int fromX, double seconds) {
  const std::vector<Move> moves = playableMoves(g, g.TURN == g.SIDE_COM);
  ASSERT_FALSE(moves.empty()) << "nothing to play";
  const auto preferred =
      std::find_if(moves.begin(), moves.end(), [&](const Move& c) { return c.fx == fromX; });
  play(preferred != moves.end() ? *preferred : moves.front(), seconds);
}

void ScriptedGame::bishopsExchange() {
  move(3, 7, 3, 6);
  move(7, 3, 7, 4);
  move(2, 8, 8, 2);
}

void ScriptedGame::kingsOnly(std::initializer_list<Placed> pieces) {
  emptyBoard(g, {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU)});
  g.OU_SITA_X = 5, g.OU_SITA_Y = 9, g.OU_UE_X = 5, g.OU_UE_Y = 1;
  place(g, pieces);
}

void ScriptedGame::rookBesideTheUpperKing() {
  place(g, {on(5, 3, EMPTY), on(5, 2, CODE_UE_HU), on(5, 7, EMPTY), on(8, 8, EMPTY),
            on(5, 6, CODE_SITA_SYA)});
}

void ScriptedGame::rookBlastsTheUpperKing() {
  kingsOnly({on(5, 6, CODE_SITA_SYA), on(4, 2, CODE_UE_KIN)});
  move(5, 9, 5, 8);
  move(4, 2, 5, 2);
  move(5, 6, 5, 2);
}

bool ScriptedGame::said(const std::string& text, const std::string& title) const {
  return std::any_of(ui.messages.begin(), ui.messages.end(),
                     [&](const MessageCall& m) { return m.text == text && m.title == title; });
}

int ScriptedGame::played(int sound) const {
  return static_cast<int>(
      std::count(fake::calls.begin(), fake::calls.end(), "play " + std::to_string(sound)));
}

Screen ScriptedGame::shownAtMessage(size_t n) const {
  // The messages may have been cleared since; the oldest left is message 0.
  const size_t box = ui.drawnAtMessage.size() - ui.messages.size() + n;
  Screen s{ui};
  s.look(ui.drawnAtMessage.at(box));
  return s;
}

std::string ScriptedGame::movesWritten() {
  look();
  std::string out;
  for (auto [y, xs] : {std::pair{8, std::array{-2, -1, 0}}, std::pair{2, std::array{12, 13, 14}}}) {
    for (int x : xs)
      for (const std::string& t : screen_.at(x, y).texts) out += t;
    out += " | ";
  }
  return out;
}

void ScriptedGame::noteState() {
  if (!ui.journal) return;
  std::ostringstream s;
  s << "state turn " << g.TURN << " mode " << g.GAME_MODE << " select " << g.SELECT_STATE
    << " move " << g.MOVE_NO << " last " << g.RECORD_LAST << " moves " << g.GAME_MOVES << " man "
    << num(g.MAN_TIME) << " com " << num(g.COM_TIME);
  ui.note(s.str());
  std::string board = "board";
  for (int y = 1; y <= 9; ++y)
    for (int x = 9; x >= 1; --x) board += " " + std::to_string(g.BOARD[x][y]);
  ui.note(board);
  std::string hands = "hands";
  for (int k = 1; k <= 7; ++k) hands += " " + std::to_string(g.HAND_SITA[k]);
  hands += " |";
  for (int k = 1; k <= 7; ++k) hands += " " + std::to_string(g.HAND_UE[k]);
  ui.note(hands);
}

void ScriptedGame::noteRecord() {
  for (int n = 0; n <= g.RECORD_LAST && n < static_cast<int>(g.REC.size()); ++n) {
    const RecordEntry& e = g.REC[static_cast<size_t>(n)];
    std::string line = "entry " + std::to_string(n);
    for (int y = 1; y <= 9; ++y)
      for (int x = 9; x >= 1; --x) line += " " + std::to_string(e.BOARD[x][y]);
    line += " |";
    for (int k = 1; k <= 7; ++k) line += " " + std::to_string(e.HAND_SITA[k]);
    line += " |";
    for (int k = 1; k <= 7; ++k) line += " " + std::to_string(e.HAND_UE[k]);
    line += " | " + num(e.TIME_A) + " " + num(e.TIME_B) + " " + num(e.TIME_C) + " " + num(e.TIME_D);
    ui.note(line);
  }
}

} // namespace korvanu::testing
