#include "file_panel_widgets.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyledItemDelegate>

#include "play/file_panel.h"
#include "state/constants.h"
#include "surface.h"

namespace korvanu {

namespace {

// Places in twips of the client area: left, top, width, height.
constexpr QRect DRIVE{240, 360, 2535, 300};
constexpr QRect DIR{240, 600, 2535, 1710};
constexpr QRect FILES{240, 2280, 2535, 930};
// Text fields 1..4 (file name, title, first player, second player) and their labels.
constexpr std::array<QRect, 4> TEXT{QRect{960, 3120, 2295, 270}, QRect{960, 2400, 2295, 270},
                                    QRect{960, 2640, 2295, 270}, QRect{960, 2880, 2295, 270}};
constexpr std::array<QRect, 4> LABEL{QRect{120, 3120, 855, 255}, QRect{120, 2400, 855, 255},
                                     QRect{120, 2640, 855, 255}, QRect{120, 2880, 855, 255}};
constexpr QRect BUTTON{3360, 3000, 855, 375};

constexpr const char* PARENT_ITEM = "..";

constexpr QColor PALE_YELLOW(255, 255, 192);

void paleYellow(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, PALE_YELLOW);
  w->setPalette(p);
}

// A drive list that cannot be typed in is drawn as a shaded button; it is a
// list like the others and takes their flat colour.
void paleYellowCombo(QComboBox* c) {
  paleYellow(c);
  c->setStyleSheet(
      QStringLiteral("QComboBox { background: %1; border: 1px solid #a0a0a0; padding-left: 2px; }"
                     "QComboBox QAbstractItemView { background: %1; }")
          .arg(PALE_YELLOW.name()));
  // Its open list draws its items as the other lists do, chosen one highlighted.
  c->setItemDelegate(new QStyledItemDelegate(c));
}

} // namespace

FilePanel::FilePanel(QWidget* view)
    : QObject(view),
      drive_(new QComboBox(view)),
      dir_(new QListWidget(view)),
      file_(new QListWidget(view)),
      button_(new QPushButton(QStringLiteral("RETURN"), view)) {
  drive_->setObjectName(QStringLiteral("Drive1"));
  dir_->setObjectName(QStringLiteral("Dir1"));
  file_->setObjectName(QStringLiteral("File1"));
  button_->setObjectName(QStringLiteral("Command1"));
  for (size_t i = 0; i < 4; ++i) {
    labels_[i] = new QLabel(view);
    labels_[i]->setAutoFillBackground(true);
    QPalette face = labels_[i]->palette();
    face.setColor(QPalette::Window, QColor(212, 208, 200));
    face.setColor(QPalette::WindowText, Qt::black);
    labels_[i]->setPalette(face);
    texts_[i] = new QLineEdit(view);
    texts_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    paleYellow(texts_[i]);
  }
  relabel();
  paleYellowCombo(drive_);
  paleYellow(dir_);
  paleYellow(file_);

  fillDrives();
  folder_ = fileFolder_ = QDir::currentPath();
  enterFolder(folder_);
  setFileFolder(folder_);

  connect(drive_, &QComboBox::activated, this, [this](int i) {
    if (onDriveChosen) onDriveChosen(drive_->itemData(i).toString());
  });
  connect(dir_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    const QString target = item->text() == PARENT_ITEM
                               ? QDir(folder_).absoluteFilePath(QStringLiteral(".."))
                               : QDir(folder_).absoluteFilePath(item->text());
    if (!QDir(target).isReadable()) return;
    enterFolder(QDir::cleanPath(target));
    if (onFolderChanged) onFolderChanged();
  });
  connect(file_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (onFileClicked) onFileClicked(item->text());
  });
  connect(button_, &QPushButton::clicked, this, [this] {
    if (onReturn) onReturn();
  });
  // Keys typed into the panel belong to it: an Esc left unhandled there
  // would reach the window, which ends the program on Esc.
  for (QWidget* w : controls()) w->installEventFilter(this);
  showLists(false, false, false);
  showFields(false);
}

QList<QWidget*> FilePanel::controls() const {
  QList<QWidget*> all{drive_, dir_, file_, button_};
  for (QLineEdit* t : texts_) all << t;
  return all;
}

bool FilePanel::hasKeyboardFocus() const {
  return controls().contains(QApplication::focusWidget());
}

bool FilePanel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
    return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  // A plain key is the control's own (Home in a list goes to its top), not
  // a menu's.
  if (event->type() == QEvent::ShortcutOverride) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    event->accept();
    return true;
  }
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (key->key() == Qt::Key_Escape) {
    if (onClose) onClose();
    return true;
  }
  if (enter && (watched == button_ || qobject_cast<QLineEdit*>(watched))) {
    if (onReturn) onReturn();
    return true;
  }
  if (enter && watched == file_ && file_->currentItem()) {
    if (onFileClicked) onFileClicked(file_->currentItem()->text());
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void FilePanel::returnKeysToWindow() {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || (controls().contains(focus) && !focus->isVisible())) drive_->window()->setFocus();
}

void FilePanel::fillDrives() {
  // The root first, then every other mounted volume.
  drive_->addItem(QStringLiteral("/"), QStringLiteral("/"));
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (v.rootPath() == QStringLiteral("/") || v.rootPath().startsWith(QStringLiteral("/proc")) ||
        v.rootPath().startsWith(QStringLiteral("/sys")))
      continue;
    const QString name = v.displayName().isEmpty() ? v.rootPath() : v.displayName();
    drive_->addItem(name == v.rootPath() ? name : QStringLiteral("%1 (%2)").arg(name, v.rootPath()),
                    v.rootPath());
  }
}

void FilePanel::enterFolder(const QString& path) {
  folder_ = path;
  dir_->clear();
  // The folder itself heads the list, as an opened folder; it cannot be chosen.
  auto* here = new QListWidgetItem(QStringLiteral("▼ ") + path, dir_);
  here->setFlags(Qt::NoItemFlags);
  QFont bold = dir_->font();
  bold.setBold(true);
  here->setFont(bold);
  here->setForeground(Qt::black);
  dir_->addItem(PARENT_ITEM);
  const QStringList subfolders =
      QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  dir_->addItems(subfolders);
  dir_->setToolTip(path);
}

void FilePanel::setFolder(const QString& path) { enterFolder(path); }

void FilePanel::setFileFolder(const QString& path) {
  fileFolder_ = path;
  file_->clear();
  file_->addItems(QDir(path).entryList({QStringLiteral("*.棋譜")}, QDir::Files, QDir::Name));
}

void FilePanel::showLists(bool drive, bool folder, bool files) {
  drive_->setVisible(drive);
  dir_->setVisible(folder);
  file_->setVisible(files);
  if (files) setFileFolder(fileFolder_); // shows files saved since
  returnKeysToWindow();
}

void FilePanel::showFields(bool show) {
  for (size_t i = 0; i < 4; ++i) {
    labels_[i]->setVisible(show);
    texts_[i]->setVisible(show);
  }
  button_->setVisible(show);
  returnKeysToWindow();
}

void FilePanel::relabel() {
  for (size_t i = 0; i < labels_.size(); ++i)
    labels_[i]->setText(QString::fromUtf8(recordFieldLabel(int(i) + 1)));
}

void FilePanel::clearFields() {
  for (QLineEdit* t : texts_) t->clear();
}

QString FilePanel::field(int n) const {
  return n >= 1 && n <= 4 ? texts_[static_cast<size_t>(n - 1)]->text() : QString();
}

void FilePanel::layout(const QRect& surface) {
  const double f = double(surface.width()) / (SURFACE_WIDTH * TWIPS_PER_PIXEL);
  auto place = [&](QWidget* w, const QRect& twips) {
    w->setGeometry(surface.x() + qRound(twips.x() * f), surface.y() + qRound(twips.y() * f),
                   qRound(twips.width() * f), qRound(twips.height() * f));
    QFont font = w->font();
    font.setPixelSize(qMax(6, qRound(12 * f * TWIPS_PER_PIXEL)));
    w->setFont(font);
  };
  place(drive_, DRIVE);
  place(dir_, DIR);
  place(file_, FILES);
  for (size_t i = 0; i < 4; ++i) {
    place(labels_[i], LABEL[i]);
    place(texts_[i], TEXT[i]);
  }
  place(button_, BUTTON);
}

} // namespace korvanu
