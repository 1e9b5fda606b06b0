#include <QApplication>
#include <QScreen>

#include "main_window.h"
#include "surface.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvanu"));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight =
      screen ? qRound(screen->geometry().height() * screen->devicePixelRatio()) : 0;
  korvanu::MainWindow window(korvanu::surfaceScaleFor(screenHeight));
  window.load();
  window.show();
  return QApplication::exec();
}
