#include "command_line.h"

#include <cstdio>
#include <string_view>

#include "files/paths.h"

namespace korvanu {

namespace {

void printHelp(const Locations& places) {
  std::printf(
      "Usage: korvanu [QT-OPTION]...\n"
      "Shogi in which every capture blows up the pieces round the capture square.\n"
      "\n"
      "  -h, --help     show this help and exit\n"
      "      --version  show the version and exit\n"
      "\n"
      "Qt's standard options are taken too, such as -platform NAME.\n"
      "\n"
      "Settings file:  %s\n"
      "Records folder: %s\n",
      places.settingsFile.c_str(),
      places.recordsFolder.empty() ? "the current directory" : places.recordsFolder.c_str());
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv, const Locations& places) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      printHelp(places);
      return 0;
    }
    if (arg == "--version") {
      std::printf("korvanu %s\n", KORVANU_VERSION);
      return 0;
    }
  }
  return std::nullopt;
}

std::optional<int> refuseUnknownArguments(const QStringList& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  std::fprintf(stderr,
               "korvanu: unknown argument '%s'\nTry 'korvanu --help' for more information.\n",
               qPrintable(arguments[1]));
  return 2;
}

} // namespace korvanu
