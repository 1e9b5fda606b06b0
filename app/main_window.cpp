#include "main_window.h"
#include "play/panel_shown.h"
#include "play/startup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenuBar>
#include <QTimer>
#include <vector>

#include "file_panel_widgets.h"
#include "language/choice.h"
#include "language/translate.h"
#include "net_port.h"
#include "pictures/pictures.h"
#include "platform/table.h"
#include "play/board_input.h"
#include "play/clock.h"
#include "play/commands.h"
#include "play/events.h"
#include "play/file_panel.h"
#include "play/keyboard.h"
#include "play/record_list.h"
#include "play/setup.h"
#include "qt_platform.h"
#include "record_list_window.h"
#include "settings/language_option.h"
#include "sound/sound.h"
#include "surface.h"
#include "surface_view.h"

namespace korvanu {

MainWindow::MainWindow(int surfaceScale, const Locations& locations)
    : surface_(std::make_unique<Surface>(surfaceScale)),
      view_(new SurfaceView(*surface_, this)),
      platform_(std::make_unique<QtPlatform>(*this, *surface_, *view_)),
      game_(std::make_unique<Table>(*platform_)) {
  game_->LOCATIONS = locations;
  setWindowTitle(QStringLiteral("Korvanu"));
  setCentralWidget(view_);
  setFocusPolicy(Qt::StrongFocus);
  markLanguageChoice(*game_, readLanguageChoice(locations.languageFile));
  buildMenus();
  platform_->setOnLanguageChanged([this] { languageChanged(); });
  connectFilePanel();
  connect(view_, &SurfaceView::pressed, this, [this](int button, QPointF twips) {
    act([this, button, twips] {
      putCursorAway(*game_); // the player took the mouse
      Form_MouseDown(*game_, button, 0, twips.x(), twips.y());
    });
  });
  connect(view_, &SurfaceView::moved, this, [this](QPointF twips) {
    act([this, twips] { Form_MouseMove(*game_, twips.x(), twips.y()); });
  });
  connect(&platform_->clockTimer(), &QTimer::timeout, this, [this] {
    if (!platform_->quitting()) Timer1_Timer(*game_);
  });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenus() {
  // Each item goes into the menu of the nearest item above it with a smaller
  // depth; items without children are commands, the others open menus.
  std::vector<QMenu*> open; // open[d] is the menu that takes depth d + 1
  const auto items = menuItems();
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& it = items[i];
    const bool hasChildren = i + 1 < items.size() && items[i + 1].depth > it.depth;
    const QString caption = QString::fromStdString(korvanu::tr(it.caption));
    open.resize(size_t(it.depth));
    QAction* action = nullptr;
    if (hasChildren) {
      QMenu* menu = it.depth == 0 ? menuBar()->addMenu(caption) : open.back()->addMenu(caption);
      menu->setObjectName(QString::fromUtf8(it.name.data(), qsizetype(it.name.size())));
      action = menu->menuAction();
      // Opening a menu on the bar is that item's click.
      if (it.depth == 0)
        connect(menu, &QMenu::aboutToShow, this, [this, id = it.id] { command(id); });
      open.push_back(menu);
    } else {
      action = it.depth == 0 ? menuBar()->addAction(caption) : open.back()->addAction(caption);
      connect(action, &QAction::triggered, this, [this, id = it.id] { command(id); });
    }
    action->setObjectName(QString::fromUtf8(it.name.data(), qsizetype(it.name.size())));
    addShortcut(action, it.id);
    if (it.checkable) {
      action->setCheckable(true);
      action->setChecked(isChecked(*game_, it.id));
      // The game decides the check marks; a click only asks it.
      connect(action, &QAction::triggered, action,
              [this, action, id = it.id] { action->setChecked(isChecked(*game_, id)); });
    }
    platform_->setAction(it.id, action);
  }
}

void MainWindow::languageChanged() {
  for (const MenuItem& it : menuItems())
    if (QAction* action = platform_->action(it.id))
      action->setText(QString::fromStdString(korvanu::tr(it.caption)));
  if (panel_) panel_->relabel();
  if (list_) list_->relabel();
}

void MainWindow::addShortcut(QAction* action, Menu item) {
  const std::string_view keys = menuShortcut(item);
  if (keys.empty()) return;
  action->setShortcut(QKeySequence(QString::fromUtf8(keys.data(), qsizetype(keys.size())),
                                   QKeySequence::PortableText));
  action->setData(static_cast<int>(item));
  // The key is caught on its way to the action: it does what opening the
  // item's menu and choosing it does, which the action alone would not.
  action->installEventFilter(this);
}

void MainWindow::connectFilePanel() {
  platform_->setFilePanelMaker([this] { return &filePanel(); });
  platform_->setMoveListMaker([this] { return &moveList(); });
  // The program's own window asks the home router for the host's port.
  NetOptions net;
  net.router.enabled = true;
  enableNetwork(*game_, qtNetHooks(net));
  platform_->setWaitingCancel([this] { handleEvent(*game_, [this] { cancelHosting(*game_); }); });
  view_->installEventFilter(this);
}

FilePanel& MainWindow::filePanel() {
  if (panel_) return *panel_;
  panel_ = new FilePanel(view_);
  panel_->layout(view_->surfaceRect());
  auto guarded = [this](auto&& handler) {
    return [this, handler](const auto&... args) { act([=] { handler(args...); }); };
  };
  panel_->onDriveChosen =
      guarded([this](const QString& d) { Drive1_Change(*game_, d.toStdString()); });
  panel_->onFolderChanged = guarded([this] { Dir1_Change(*game_); });
  panel_->onFileClicked =
      guarded([this](const QString& f) { File1_Click(*game_, f.toStdString()); });
  panel_->onReturn = guarded([this] { Command1_Click(*game_); });
  panel_->onClose = guarded([this] { closeFilePanel(*game_); });
  return *panel_;
}

RecordListWindow& MainWindow::moveList() {
  if (list_) return *list_;
  list_ = new RecordListWindow(*this);
  list_->onRowClicked = [this](int row) { act([this, row] { moveListRowClicked(*game_, row); }); };
  return *list_;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Shortcut && qobject_cast<QAction*>(watched)) {
    const auto item = static_cast<Menu>(static_cast<QAction*>(watched)->data().toInt());
    act([this, item] { menuKey(*game_, item); });
    return true;
  }
  if (watched == view_ && event->type() == QEvent::Resize && panel_)
    panel_->layout(view_->surfaceRect());
  if (watched == view_ && event->type() == QEvent::Paint && soundsPending_) {
    // Right after this first paint has reached the screen.
    soundsPending_ = false;
    QTimer::singleShot(0, this, &MainWindow::startSounds);
    // The icon's many sizes are drawn by our picture code: not before the
    // window shows (the window manager takes it up when it is set). A timer
    // of its own, so that it comes even while the sound warning is open.
    QTimer::singleShot(0, this, [] { QApplication::setWindowIcon(gameIcon()); });
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startSounds() {
  if (!platform_->quitting()) handleEvent(*game_, [this] { windowShown(*game_); });
}

void MainWindow::load() { Form_Load(*game_); }

void MainWindow::end() {
  if (!platform_->quitting()) endProgram(*game_);
}

void MainWindow::command(Menu item) {
  act([this, item] { onMenu(*game_, item); });
}

void MainWindow::act(const std::function<void()>& handler) {
  if (platform_->takesInput()) handleEvent(*game_, handler);
}

namespace {

// The keys the game plays with, as Form_KeyDown knows them; 0 for others.
int gameKey(const QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Left: return KEY_LEFT;
  case Qt::Key_Right: return KEY_RIGHT;
  case Qt::Key_Up: return KEY_UP;
  case Qt::Key_Down: return KEY_DOWN;
  // A held key presses once: it would otherwise pick up and put down again.
  case Qt::Key_Return:
  case Qt::Key_Enter: return event->isAutoRepeat() ? 0 : KEY_RETURN;
  case Qt::Key_Space: return event->isAutoRepeat() ? 0 : KEY_SPACE;
  default: return 0;
  }
}

int shiftState(const QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers();
  return (m & Qt::ShiftModifier ? SHIFT_MASK : 0) | (m & Qt::ControlModifier ? CTRL_MASK : 0) |
         (m & Qt::AltModifier ? ALT_MASK : 0);
}

} // namespace

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (platform_->quitting()) return;
  // While the game thinks only Esc reaches it, to end the program.
  if (!platform_->takesInput()) {
    if (event->key() == Qt::Key_Escape)
      handleEvent(*game_, [this] { Form_KeyPress(*game_, KEY_ESCAPE); });
    return;
  }
  // Keys the panel's controls leave over (↑ in a text field) are not moves.
  const int code = panel_ && panel_->hasKeyboardFocus() ? 0 : gameKey(event);
  const int shift = shiftState(event);
  const int key = event->key() == Qt::Key_Escape ? KEY_ESCAPE
                  : event->text().isEmpty()      ? 0
                                                 : event->text().at(0).unicode();
  act([this, code, shift, key] {
    if (code != 0 && Form_KeyDown(*game_, code, shift)) return;
    if (key != 0) Form_KeyPress(*game_, key);
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!platform_->quitting()) Form_Unload(*game_);
  if (!game_->QUITTING) return event->ignore();
  event->accept();
}

} // namespace korvanu
