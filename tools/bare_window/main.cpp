// korvanu-bare-window: an empty Qt Widgets window of the game's size, the
// yardstick the start-up measurement compares the game against. With
// --menu-bar it also carries the game's menu bar, written in the game's
// Mincho as the game writes it: what any window with those menus costs.
#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>
#include <QStringList>

#include "pictures/pictures.h"
#include "state/menu.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("bare"));
  if (QApplication::arguments().contains(QStringLiteral("--menu-bar"))) {
    QFont font = QApplication::font();
    font.setFamilies(QStringList{font.family()} + korvanu::gameFontFamilies());
    QApplication::setFont(font);
    for (const korvanu::MenuItem& item : korvanu::menuItems())
      if (item.depth == 0)
        window.menuBar()->addMenu(
            QString::fromUtf8(item.caption.data(), qsizetype(item.caption.size())));
  }
  window.resize(627, 533);
  window.show();
  return QApplication::exec();
}
