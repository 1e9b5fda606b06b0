// The game's Platform on a real Qt window.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "aside_worker.h"
#include "net_dialogs.h"
#include "platform/platform.h"
#include "sound/sound_library.h"

namespace korvanu {

class FilePanel;
class RecordListWindow;
class Surface;
class SurfaceView;

class QtPlatform : public Platform {
public:
  QtPlatform(QMainWindow& window, Surface& surface, SurfaceView& view);

  void setAction(Menu item, QAction* action) { actions_[static_cast<int>(item)] = action; }
  QAction* action(Menu item) const { return actions_[static_cast<int>(item)]; }
  // The record file panel is made the first time the game shows it or asks
  // it something.
  void setFilePanelMaker(std::function<FilePanel*()> make) { makePanel_ = std::move(make); }
  // The move list's window likewise, the first time the game shows it.
  void setMoveListMaker(std::function<RecordListWindow*()> make) { makeList_ = std::move(make); }
  // What the window does when the game speaks another language.
  void setOnLanguageChanged(std::function<void()> changed) {
    languageChanged_ = std::move(changed);
  }
  // The host's waiting box's cancel button.
  void setWaitingCancel(std::function<void()> cancel) { cancelWaiting_ = std::move(cancel); }
  bool quitting() const { return quitting_; }
  // Whether clicks, keys and menu commands reach the game: not while it
  // ends, nor while work runs aside (only Esc and closing the window do).
  bool takesInput() const { return !quitting_ && !aside_.busy(); }
  // Timer1: the window connects its ticks to the game.
  QTimer& clockTimer() { return timer_; }

  void fillSurface(int colour) override;
  void drawPicture(int code, double left, double top) override;
  void drawOutline(int colour, double left, double top, double right, double bottom) override;
  void drawText(const std::string& text, double left, double top, int colour, double points,
                bool bold) override;
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom) override;
  double textWidth(const std::string& text, double points, bool bold) override;
  void refresh() override;
  void showCursor(int colour, double left, double top, double right, double bottom) override;
  void hideCursor() override;

  void setMenuChecked(Menu item, bool checked) override;
  void languageChanged() override {
    if (languageChanged_) languageChanged_();
  }
  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override;

  WindowRect windowRect() override;
  void setWindowRect(const WindowRect& rect) override;
  void moveWindow(int left, int top) override;

  double clockSeconds() override;
  void wait(double seconds) override;
  void setTimerEnabled(bool enabled) override;
  void startAside(std::function<void(const std::atomic<bool>& stop)> work,
                  std::function<void()> done) override;
  void stopAside() override { aside_.stop(); }

  void showFileLists(bool drive, bool folder, bool files) override;
  void showRecordFields(bool show) override;
  void clearRecordFields() override;
  std::string recordField(int field) override;
  std::string folderPath() override;
  void setFolderPath(const std::string& path) override;
  std::string fileListPath() override;
  void setFileListPath(const std::string& path) override;

  void showMoveList(const std::vector<std::string>& rows, int current) override;
  bool moveListShown() override;

  bool askHostTerms(NetTerms& terms) override;
  bool askJoin(std::string& address, std::string& code) override;
  void showWaiting(const std::string& text) override;

  std::intptr_t windowHandle() override;
  const SoundApi* soundLibrary(const std::string& path) override;
  void quit() override;

private:
  QMainWindow& window_;
  Surface& surface_;
  SurfaceView& view_;
  std::array<QAction*, MENU_COUNT> actions_{};
  FilePanel* panel();
  FilePanel* panel_ = nullptr;
  std::function<FilePanel*()> makePanel_;
  RecordListWindow* list_ = nullptr;
  std::function<RecordListWindow*()> makeList_;
  std::function<void()> languageChanged_;
  WaitingBox waiting_;
  std::function<void()> cancelWaiting_;
  QTimer timer_; // a child of the window, gone before it
  std::unique_ptr<SoundLibrary> sound_;
  bool soundTried_ = false;
  bool quitting_ = false;
  AsideWorker aside_; // last: its thread ends before the rest goes
};

} // namespace korvanu
