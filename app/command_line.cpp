#include "command_line.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "files/paths.h"
#include "language/translate.h"
#include "net_arguments.h"

namespace korvanu {

namespace {

void printHelp(const Locations& places) {
  std::printf(tr("使い方: korvanu [Qtのｵﾌﾟｼｮﾝ]...\n"
                 "駒を取るたびに、取った桝のまわりの駒が爆発する将棋です。\n"
                 "\n"
                 "  -h, --help     この説明を表示して終わる\n"
                 "      --version  バージョンを表示して終わる\n"
                 "\n"
                 "ネット対局:\n"
                 "      --host [PORT] [--second] [--drops on|off] [--no-router]\n"
                 "                 PORT (47170、0 なら空いているポート) で相手を待ち、\n"
                 "                 'waiting on port PORT, code CODE' と表示する。\n"
                 "                 --second なら相手が先手。--no-router なら\n"
                 "                 ルーターにポートの転送を頼まない\n"
                 "      --join ADDRESS[:PORT] [--code CODE|-]\n"
                 "                 ADDRESS で待っている相手と、その条件で対局する。\n"
                 "                 合言葉は --code - なら標準入力の1行目、--code が\n"
                 "                 なければ環境変数 KORVANU_CODE (--code CODE は\n"
                 "                 ほかの利用者にもプロセス一覧で見える)\n"
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

int refuseValue(std::string_view arg) {
  std::fprintf(
      stderr,
      tr("korvanu: 引数の値が正しくありません '%.*s'\n'korvanu --help' で使い方を表示します。\n"),
      static_cast<int>(arg.size()), arg.data());
  return 2;
}

int refuse(std::string_view arg) {
  std::fprintf(stderr,
               tr("korvanu: 知らない引数です '%.*s'\n'korvanu --help' で使い方を表示します。\n"),
               static_cast<int>(arg.size()), arg.data());
  return 2;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv, const Locations& places,
                                     NetStart* net) {
  std::vector<std::string_view> args(argv, argv + argc);
  NetStart start;
  std::string_view unknown, bad;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (const int taken = takeNetOption(args, static_cast<std::size_t>(i), start, bad);
        taken != 0) {
      if (taken < 0) return refuseValue(bad);
      i += taken - 1;
      continue;
    }
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
  if (!takeJoinCode(start, bad) || !netStartComplete(start, bad)) return refuseValue(bad);
  if (net) *net = start;
  return std::nullopt;
}

std::optional<int> refuseUnknownArguments(const QStringList& arguments) {
  std::vector<std::string> texts;
  for (const QString& a : arguments) texts.push_back(a.toLocal8Bit().toStdString());
  const std::vector<std::string_view> args(texts.begin(), texts.end());
  NetStart start;
  std::string_view bad;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const int taken = takeNetOption(args, i, start, bad);
    if (taken <= 0) return refuse(args[i]);
    i += static_cast<std::size_t>(taken) - 1;
  }
  return std::nullopt;
}

} // namespace korvanu
