#include "record_list_window.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>

#include "language/translate.h"

namespace korvanu {

namespace {

constexpr int WIDTH = 200;

} // namespace

RecordListWindow::RecordListWindow(QWidget& game)
    : QWidget(&game, Qt::Tool), game_(game), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("KIFU_LIST_WINDOW"));
  relabel();
  // The keys stay with the game: ← and → step on while the list shows.
  setAttribute(Qt::WA_ShowWithoutActivating);
  list_->setFocusPolicy(Qt::NoFocus);
  // Read at a glance beside the board's own texts.
  QFont font = list_->font();
  font.setPointSize(12);
  list_->setFont(font);
  // The mark is the game's to set; a click only asks for that position.
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  connect(list_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (onRowClicked) onRowClicked(list_->row(item));
    // The keys go back to the game, which the click took them from.
    game_.activateWindow();
  });
}

void RecordListWindow::relabel() {
  setWindowTitle(QString::fromStdString(korvanu::tr("棋譜一覧")));
}

void RecordListWindow::keyPressEvent(QKeyEvent* event) {
  // Keys that reach the list all the same (the pointer's window has them
  // where no window manager hands them over) are the game's.
  QCoreApplication::sendEvent(&game_, event);
}

void RecordListWindow::showRows(const QStringList& rows, int current) {
  bool same = list_->count() == rows.size();
  for (int i = 0; same && i < rows.size(); ++i) same = list_->item(i)->text() == rows[i];
  if (!same) {
    list_->clear();
    list_->addItems(rows);
    marked_ = -1;
  }
  if (marked_ != current) {
    mark(marked_, false);
    mark(current, true);
    marked_ = current;
  }
  if (QListWidgetItem* item = list_->item(current)) list_->scrollToItem(item);
  if (!isVisible()) {
    placeBesideGame();
    show();
  }
}

void RecordListWindow::mark(int row, bool marked) {
  QListWidgetItem* item = list_->item(row);
  if (!item) return;
  item->setBackground(marked ? palette().highlight() : QBrush());
  item->setForeground(marked ? palette().highlightedText() : QBrush());
}

void RecordListWindow::placeBesideGame() {
  // Right of the game's frame, as tall as it. Where the screen has no room
  // there, left of it; failing that, at the screen's right edge, over the
  // stand and the texts right of the board rather than the board.
  const QRect frame = game_.frameGeometry();
  const QRect inner = game_.geometry();
  const int border = inner.left() - frame.left();
  int left = frame.right() + 1 + border;
  if (const QScreen* screen = game_.screen()) {
    const QRect room = screen->availableGeometry();
    if (left + WIDTH > room.right() + 1)
      left = frame.left() - WIDTH - border >= room.left() ? frame.left() - WIDTH - border
                                                          : room.right() + 1 - WIDTH;
  }
  setGeometry(left, inner.top(), WIDTH, inner.height());
}

} // namespace korvanu
