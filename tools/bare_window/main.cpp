// korvanu-bare-window: an empty Qt Widgets window of the game's size, the
// yardstick the start-up measurement compares the game against.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("bare"));
  window.resize(627, 533);
  window.show();
  return QApplication::exec();
}
