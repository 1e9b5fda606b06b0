#include "command_line.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "files/paths.h"
#include "language/translate.h"

namespace korvanu {

namespace {

void printHelp(const Locations& places) {
  std::printf(tr("使い方: korvanu [Qtのｵﾌﾟｼｮﾝ]...\n"
                 "駒を取るたびに、取った桝のまわりの駒が爆発する将棋です。\n"
                 "\n"
                 "  -h, --help     この説明を表示して終わる\n"
                 "      --version  バージョンを表示して終わる\n"
                 "\n"
                 "-platform NAME など、Qtの標準のｵﾌﾟｼｮﾝも使えます。\n"
                 "\n"
                 "設定ファイル:  %s\n"
                 "棋譜ﾌｫﾙﾀﾞ:     %s\n"),
              places.settingsFile.c_str(),
              places.recordsFolder.empty() ? tr("現在のﾌｫﾙﾀﾞ") : places.recordsFolder.c_str());
}

// Qt's own options, as Qt takes them once it starts (with one dash or two):
// those followed by a value, and those that stand alone or carry their value
// after '='. Knowing them, an argument nobody takes is refused before Qt
// needs a display.
constexpr std::string_view QT_OPTIONS_WITH_VALUE[] = {"platform",
                                                      "platformpluginpath",
                                                      "platformtheme",
                                                      "plugin",
                                                      "qwindowgeometry",
                                                      "geometry",
                                                      "qwindowtitle",
                                                      "title",
                                                      "qwindowicon",
                                                      "icon",
                                                      "session",
                                                      "style",
                                                      "stylesheet",
                                                      "display",
                                                      "name",
                                                      "visual"};
constexpr std::string_view QT_OPTIONS_ALONE[] = {"reverse", "testability", "widgetcount",  "sync",
                                                 "nograb",  "dograb",      "qmljsdebugger"};
constexpr std::string_view QT_OPTIONS_ASSIGNED[] = {"style=", "stylesheet=", "qmljsdebugger="};

// How many arguments a Qt option starting at `arg` takes: 0 when it is none.
int qtOptionLength(std::string_view arg) {
  if (!arg.starts_with('-')) return 0;
  arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
  for (const std::string_view o : QT_OPTIONS_WITH_VALUE)
    if (arg == o) return 2;
  for (const std::string_view o : QT_OPTIONS_ALONE)
    if (arg == o) return 1;
  for (const std::string_view o : QT_OPTIONS_ASSIGNED)
    if (arg.starts_with(o)) return 1;
  return 0;
}

int refuse(std::string_view arg) {
  std::fprintf(stderr,
               tr("korvanu: 知らない引数です '%.*s'\n'korvanu --help' で使い方を表示します。\n"),
               static_cast<int>(arg.size()), arg.data());
  return 2;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv, const Locations& places) {
  std::string_view unknown;
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
    if (const int taken = qtOptionLength(arg); taken > 0)
      i += taken - 1;
    else if (unknown.empty())
      unknown = arg;
  }
  if (!unknown.empty()) return refuse(unknown);
  return std::nullopt;
}

std::optional<int> refuseUnknownArguments(const QStringList& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  return refuse(arguments[1].toLocal8Bit().toStdString());
}

} // namespace korvanu
