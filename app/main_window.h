// The Korvanu window: menu bar and drawing surface. It only turns Qt events
// into calls on the game.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "files/paths.h"
#include "state/menu.h"

namespace korvanu {

struct Table;
class Surface;
class SurfaceView;
class QtPlatform;
class FilePanel;
class RecordListWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT
public:
  // The default locations are the current directory, as tests want them.
  explicit MainWindow(int surfaceScale, const Locations& locations = {});
  ~MainWindow() override;

  // Runs the game's start-up: options, the first position, placement. The
  // sounds follow on their own once the first picture is painted.
  void load();
  // Ends the program as "終わり" does, unless it is ending already.
  void end();

  Table& game() { return *game_; }
  const Surface& surface() const { return *surface_; }
  SurfaceView& view() { return *view_; }

  // Made on first use: its lists and text fields are a fair part of the
  // window's start-up, for a panel many sessions never open.
  FilePanel& filePanel();
  // The move list's window, made the first time the game shows it.
  RecordListWindow& moveList();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void buildMenus();
  // The menus and the file panel in the language now in use.
  void languageChanged();
  void connectFilePanel();
  void addShortcut(QAction* action, Menu item);
  void command(Menu item);
  // A click, key or command reaches the game as an event of its own, unless
  // the game takes no input now.
  void act(const std::function<void()>& handler);
  void startSounds();

  std::unique_ptr<Surface> surface_;
  SurfaceView* view_;
  std::unique_ptr<QtPlatform> platform_;
  std::unique_ptr<Table> game_;
  FilePanel* panel_ = nullptr;
  RecordListWindow* list_ = nullptr;
  bool soundsPending_ = true;
};

} // namespace korvanu
