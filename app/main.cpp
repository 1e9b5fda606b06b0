#include <QApplication>
#include <QScreen>

#include "end_signals.h"
#include "main_window.h"
#include "surface.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvanu"));
  korvanu::EndSignals endSignals;
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int screenHeight =
      screen ? qRound(screen->geometry().height() * screen->devicePixelRatio()) : 0;
  korvanu::MainWindow window(korvanu::surfaceScaleFor(screenHeight));
  QObject::connect(&endSignals, &korvanu::EndSignals::received, &window, &korvanu::MainWindow::end);
  window.load();
  window.show();
  return QApplication::exec();
}
