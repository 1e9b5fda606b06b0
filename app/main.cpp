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
  korvanu::MainWindow window(korvanu::surfaceScaleFor(screen ? screen->devicePixelRatio() : 1.0));
  QObject::connect(&endSignals, &korvanu::EndSignals::received, &window, &korvanu::MainWindow::end);
  window.load();
  window.show();
  return QApplication::exec();
}
