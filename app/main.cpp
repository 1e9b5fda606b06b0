#include <QApplication>
#include <QFont>

#include "command_line.h"
#include "end_signals.h"
#include "files/paths.h"
#include "language/choice.h"
#include "main_window.h"
#include "net_arguments.h"
#include "pictures/pictures.h"
#include "router_port.h"
#include "surface.h"

int main(int argc, char* argv[]) {
  const korvanu::Locations locations = korvanu::thisProgramsLocations();
  korvanu::startLanguage(locations.languageFile, locations.localeFolder);
  korvanu::NetStart net;
  if (const auto status = korvanu::answerCommandLine(argc, argv, locations, &net)) return *status;
  QApplication app(argc, argv);
  // Qt has set the desktop's locale, which gettext's choice rests on: again.
  korvanu::startLanguage(locations.languageFile, locations.localeFolder);
  if (const auto status = korvanu::refuseUnknownArguments(QApplication::arguments()))
    return *status;
  // Also the window's class under X, which the desktop entry names.
  QApplication::setApplicationName(QStringLiteral(KORVANU_WM_CLASS));
  // The menus' Japanese is written in the game's own Mincho: named here, so
  // no other fallback is searched for and loaded beside it.
  QFont font = QApplication::font();
  font.setFamilies(QStringList{font.family()} + korvanu::gameFontFamilies());
  QApplication::setFont(font);
  korvanu::EndSignals endSignals;
  QGuiApplication::setDesktopFileName(QStringLiteral(KORVANU_APP_ID));
  // The router's forwarding, taken back as the window goes, is given two
  // seconds more to be gone before the program is.
  const korvanu::RouterWorkAtEnd routerWork{std::chrono::seconds(2)};
  // Drawn for the screen's density; a larger window has it drawn again.
  korvanu::MainWindow window(korvanu::Surface::screenScale(), locations);
  QObject::connect(&endSignals, &korvanu::EndSignals::received, &window, &korvanu::MainWindow::end);
  window.load();
  window.show();
  if (const auto status = korvanu::startNetGame(window.game(), net)) return *status;
  return QApplication::exec();
}
