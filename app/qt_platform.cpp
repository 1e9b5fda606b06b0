#include "qt_platform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "file_panel_widgets.h"
#include "language/translate.h"
#include "record_list_window.h"
#include "state/constants.h"
#include "surface.h"
#include "surface_view.h"

namespace korvanu {

namespace {

QMessageBox::Icon qicon(Icon icon) {
  switch (icon) {
  case Icon::Information: return QMessageBox::Information;
  case Icon::Exclamation: return QMessageBox::Warning;
  case Icon::Question: return QMessageBox::Question;
  case Icon::Critical: return QMessageBox::Critical;
  case Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

int toPixels(int twips) { return static_cast<int>(std::lround(double(twips) / TWIPS_PER_PIXEL)); }

constexpr int TIMER1_INTERVAL_MS = 50;

// Nothing the game waits for is longer than a fraction of a second.
constexpr double LONGEST_WAIT_SECONDS = 60;

} // namespace

QtPlatform::QtPlatform(QMainWindow& window, Surface& surface, SurfaceView& view)
    : window_(window), surface_(surface), view_(view), timer_(&window) {
  timer_.setObjectName(QStringLiteral("Timer1"));
  timer_.setInterval(TIMER1_INTERVAL_MS);
}

void QtPlatform::fillSurface(int colour) {
  surface_.fill(colour);
  view_.update();
}

void QtPlatform::drawPicture(int code, double left, double top) {
  surface_.drawPicture(code, left, top);
  view_.update();
}

void QtPlatform::drawOutline(int colour, double left, double top, double right, double bottom) {
  surface_.drawOutline(colour, left, top, right, bottom);
  view_.update();
}

void QtPlatform::drawText(const std::string& text, double left, double top, int colour,
                          double points, bool bold) {
  surface_.drawText(QString::fromStdString(text), left, top, colour, points, bold);
  view_.update();
}

double QtPlatform::textWidth(const std::string& text, double points, bool bold) {
  return surface_.textWidth(QString::fromStdString(text), points, bold);
}

void QtPlatform::drawTint(std::uint32_t argb, double left, double top, double right,
                          double bottom) {
  surface_.drawTint(argb, left, top, right, bottom);
  view_.update();
}

void QtPlatform::refresh() { view_.repaint(); }

void QtPlatform::showCursor(int colour, double left, double top, double right, double bottom) {
  view_.setCursorMark(QRectF(QPointF(left, top), QPointF(right, bottom)), colour);
}

void QtPlatform::hideCursor() { view_.setCursorMark({}, 0); }

void QtPlatform::setMenuChecked(Menu item, bool checked) {
  if (QAction* a = actions_[static_cast<int>(item)]) a->setChecked(checked);
}

Answer QtPlatform::messageBox(const std::string& text, const std::string& title, Buttons buttons,
                              Icon icon) {
  QMessageBox box(qicon(icon), QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::NoButton, &window_);
  if (buttons == Buttons::Ok) {
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return Answer::Ok;
  }
  QPushButton* yes = box.addButton(QString::fromUtf8(tr("はい")), QMessageBox::YesRole);
  QPushButton* no = box.addButton(QString::fromUtf8(tr("いいえ")), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.setEscapeButton(no);
  box.exec();
  return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

bool QtPlatform::askHostTerms(NetTerms& terms) { return askHostTermsDialog(&window_, terms); }

bool QtPlatform::askJoin(std::string& address, std::string& code) {
  return askJoinDialog(&window_, address, code);
}

void QtPlatform::showWaiting(const std::string& text) {
  if (text.empty()) return waiting_.close();
  waiting_.show(&window_, text, [this] {
    if (cancelWaiting_) cancelWaiting_();
  });
}

WindowRect QtPlatform::windowRect() {
  if (window_.isMaximized()) return {-60, -60, 0, 0};
  // The corner move() places, frame included, so a saved place can be put back.
  const QPoint corner = window_.pos();
  return {corner.x() * TWIPS_PER_PIXEL, corner.y() * TWIPS_PER_PIXEL,
          window_.width() * TWIPS_PER_PIXEL, window_.height() * TWIPS_PER_PIXEL};
}

void QtPlatform::setWindowRect(const WindowRect& rect) {
  window_.move(toPixels(rect.left), toPixels(rect.top));
  window_.resize(toPixels(rect.width), toPixels(rect.height));
}

void QtPlatform::moveWindow(int left, int top) {
  // A maximised or full-screen window stays put, and Wayland lets no client
  // place its window.
  const bool movable = !window_.isMaximized() && !window_.isFullScreen() &&
                       !QGuiApplication::platformName().startsWith(QStringLiteral("wayland"));
  if (movable) window_.move(toPixels(left), toPixels(top));
  // Whatever part of the move the window did not make, its drawing makes.
  const WindowRect now = windowRect();
  view_.setShake(QPoint(toPixels(left - now.left), toPixels(top - now.top)));
}

double QtPlatform::clockSeconds() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

void QtPlatform::wait(double seconds) {
  if (!(seconds > 0)) return;
  std::this_thread::sleep_for(
      std::chrono::duration<double>(std::min(seconds, LONGEST_WAIT_SECONDS)));
}

void QtPlatform::setTimerEnabled(bool enabled) {
  // Idle while stopped: no tick at all wakes the program.
  if (!enabled)
    timer_.stop();
  else if (!timer_.isActive())
    timer_.start();
}

void QtPlatform::startAside(std::function<void(const std::atomic<bool>& stop)> work,
                            std::function<void()> done) {
  if (quitting_) return;
  aside_.start(std::move(work), std::move(done));
}

FilePanel* QtPlatform::panel() {
  if (!panel_ && makePanel_) panel_ = makePanel_();
  return panel_;
}

void QtPlatform::showFileLists(bool drive, bool folder, bool files) {
  if (!panel_ && !drive && !folder && !files) return; // hidden as it is made
  if (FilePanel* p = panel()) p->showLists(drive, folder, files);
}
void QtPlatform::showRecordFields(bool show) {
  if (!panel_ && !show) return;
  if (FilePanel* p = panel()) p->showFields(show);
}
void QtPlatform::clearRecordFields() {
  if (panel_) panel_->clearFields(); // a panel not yet made has nothing typed in
}
std::string QtPlatform::recordField(int field) {
  return panel_ ? panel_->field(field).toStdString() : std::string();
}
std::string QtPlatform::folderPath() {
  FilePanel* p = panel();
  return p ? p->folder().toStdString() : ".";
}
void QtPlatform::setFolderPath(const std::string& path) {
  if (FilePanel* p = panel()) p->setFolder(QString::fromStdString(path));
}
std::string QtPlatform::fileListPath() {
  FilePanel* p = panel();
  return p ? p->fileFolder().toStdString() : ".";
}
void QtPlatform::setFileListPath(const std::string& path) {
  if (FilePanel* p = panel()) p->setFileFolder(QString::fromStdString(path));
}

void QtPlatform::showMoveList(const std::vector<std::string>& rows, int current) {
  if (!list_ && makeList_) list_ = makeList_();
  if (!list_) return;
  QStringList texts;
  for (const std::string& r : rows) texts << QString::fromStdString(r);
  list_->showRows(texts, current);
}

bool QtPlatform::moveListShown() { return list_ && list_->isVisible(); }

std::intptr_t QtPlatform::windowHandle() { return static_cast<std::intptr_t>(window_.winId()); }

const SoundApi* QtPlatform::soundLibrary(const std::string& path) {
  if (!soundTried_) {
    soundTried_ = true;
    sound_ = SoundLibrary::open(path);
  }
  return sound_ ? &sound_->api() : nullptr;
}

void QtPlatform::quit() {
  quitting_ = true;
  aside_.stop();
  QApplication::quit();
}

} // namespace korvanu
