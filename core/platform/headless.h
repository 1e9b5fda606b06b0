// A Platform without a window: it records every drawing call, message box and
// check mark, and answers message boxes from a script. The engine and the
// game-flow tests run the game on it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/table.h"

namespace korvanu {

struct DrawCall {
  enum Kind { Fill, Picture, Outline, Text, Tint } kind;
  int code = 0; // picture code, or the colour of a fill, outline or text
  double left = 0, top = 0, right = 0, bottom = 0;
  std::string text;
  double points = 0;
  bool bold = false;
  std::uint32_t argb = 0; // a tint's colour
};

struct MessageCall {
  std::string text;
  std::string title;
  Buttons buttons;
  Icon icon;
};

class HeadlessPlatform : public Platform {
public:
  void fillSurface(int colour) override;
  void drawPicture(int code, double left, double top) override;
  void drawOutline(int colour, double left, double top, double right, double bottom) override;
  void drawText(const std::string& text, double left, double top, int colour, double points,
                bool bold) override;
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom) override;
  // Every character as wide as the type is high, as a full-width one is.
  double textWidth(const std::string& text, double points, bool bold) override;
  void refresh() override { ++refreshes; }
  void showCursor(int colour, double left, double top, double right, double bottom) override {
    cursor = {DrawCall::Outline, colour, left, top, right, bottom, {}, 0, false};
    cursorShown = true;
  }
  void hideCursor() override { cursorShown = false; }

  void setMenuChecked(Menu item, bool checked) override;
  void languageChanged() override { ++languageChanges; }
  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override;

  WindowRect windowRect() override { return window; }
  void setWindowRect(const WindowRect& rect) override { window = rect; }
  void moveWindow(int left, int top) override;

  // A fake clock that only waits move, so timed play runs at once.
  double clockSeconds() override { return clock; }
  void wait(double seconds) override;
  void setTimerEnabled(bool enabled) override { timerEnabled = enabled; }
  // Runs `work` and then `done` straight away on the caller's thread, so
  // play stays in step; with `holdAside` set, both wait for finishAside, so a
  // test can deliver other events while the work "runs".
  void startAside(std::function<void(const std::atomic<bool>& stop)> work,
                  std::function<void()> done) override;
  void stopAside() override { asideStopped = true; }
  // Runs the work held aside, if any, and delivers its end: true when there was some.
  bool finishAside();
  bool holdAside = false;
  bool asideStopped = false; // the game stopped the work held aside

  void showFileLists(bool drive, bool folder, bool files) override {
    driveList = drive;
    folderList = folder;
    fileList = files;
  }
  void showRecordFields(bool show) override { recordFields = show; }
  void clearRecordFields() override {
    ++fieldClears;
    for (std::string& f : fields) f.clear();
  }
  std::string recordField(int field) override {
    return field >= 1 && field <= 4 ? fields[field - 1] : "";
  }
  std::string folderPath() override { return folderShown; }
  void setFolderPath(const std::string& path) override { folderShown = path; }
  std::string fileListPath() override { return fileFolder; }
  void setFileListPath(const std::string& path) override { fileFolder = path; }

  void showMoveList(const std::vector<std::string>& rows, int current) override {
    moveRows = rows;
    moveRowMarked = current;
    moveListOpen = true;
  }
  bool moveListShown() override { return moveListOpen; }

  std::intptr_t windowHandle() override { return 1; }
  const SoundApi* soundLibrary(const std::string& path) override {
    soundLibraryPath = path;
    return sound;
  }
  void quit() override { quitRequested = true; }

  // The network dialogs answer with these (cancelled when `netAnswers` is false).
  bool askHostTerms(NetTerms& t) override {
    if (netAnswers) t = hostTerms;
    return netAnswers;
  }
  bool askJoin(std::string& address, std::string& code) override {
    address = joinAddress, code = joinCode;
    return netAnswers;
  }
  void showWaiting(const std::string& text) override { waitingText = text; }
  bool netAnswers = true;
  NetTerms hostTerms;
  std::string joinAddress, joinCode, waitingText;

  // What the game did.
  std::vector<DrawCall> draws;
  std::vector<MessageCall> messages;
  bool checks[MENU_COUNT] = {};
  int languageChanges = 0;
  int refreshes = 0;
  bool cursorShown = false;
  DrawCall cursor{}; // where the cursor was last shown, as an outline
  bool quitRequested = false;
  WindowRect window{};
  std::vector<WindowRect> moves; // every moveWindow, in order
  std::vector<double> waits;
  bool timerEnabled = false;
  int asideRuns = 0; // how often work was run aside
  std::function<void(const std::atomic<bool>& stop)> heldWork;
  std::function<void()> heldDone;

  bool driveList = false, folderList = false, fileList = false, recordFields = false;
  int fieldClears = 0;
  std::string fields[4]; // what the player typed in the panel's text fields
  std::string folderShown = ".", fileFolder = ".";
  // The move list as last shown; closing its window sets moveListOpen false.
  std::vector<std::string> moveRows;
  int moveRowMarked = -1;
  bool moveListOpen = false;

  // What the world answers.
  std::deque<Answer> answers; // for Yes/No boxes; Yes when empty
  const SoundApi* sound = nullptr;
  std::string soundLibraryPath; // where the game looked for it
  double clock = 0;             // seconds since midnight; wraps at midnight like a real clock
};

} // namespace korvanu
