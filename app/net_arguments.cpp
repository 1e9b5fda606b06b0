#include "net_arguments.h"

#include <unistd.h>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "language/translate.h"
#include "net/auth.h"
#include "platform/table.h"
#include "play/net_game.h"

namespace korvanu {

namespace {

bool portOf(std::string_view text, int& port) {
  int n = 0;
  const auto [end, err] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (err != std::errc() || end != text.data() + text.size() || n < 0 || n > 65535) return false;
  port = n;
  return true;
}

} // namespace

int takeNetOption(std::span<const std::string_view> args, std::size_t i, NetStart& start,
                  std::string_view& bad) {
  const std::string_view arg = args[i];
  const bool hasNext = i + 1 < args.size();
  const std::string_view next = hasNext ? args[i + 1] : std::string_view();
  if (arg == "--host") {
    if (start.kind != NetStart::Kind::None) return bad = arg, -1;
    start.kind = NetStart::Kind::Host;
    // The port is optional: a following number is it.
    if (hasNext && !next.starts_with('-')) return portOf(next, start.port) ? 2 : (bad = next, -1);
    return 1;
  }
  if (arg == "--second") return start.second = true, 1;
  if (arg == "--no-router") return start.askRouter = false, 1;
  if (arg == "--drops") {
    if (next != "on" && next != "off") return bad = hasNext ? next : arg, -1;
    start.drops = next == "on";
    return 2;
  }
  if (arg == "--join") {
    if (start.kind != NetStart::Kind::None || !hasNext || next.empty()) return bad = arg, -1;
    start.kind = NetStart::Kind::Join;
    start.address = next;
    return 2;
  }
  if (arg == "--code") {
    if (!hasNext || next.empty()) return bad = arg, -1;
    start.code = next;
    return 2;
  }
  return 0;
}

bool takeJoinCode(NetStart& start, std::string_view& bad) {
  if (start.kind != NetStart::Kind::Join) return true;
  // A code given on the command line names itself when it is wrong.
  std::string_view source = start.code;
  if (start.code == "-") {
    source = "--code -";
    if (isatty(STDIN_FILENO)) std::fputs(tr("合言葉: "), stderr);
    // One line, and no more of it than a code could be.
    std::string line;
    std::getline(std::cin, line);
    start.code = line.substr(0, 64);
    while (!start.code.empty() && std::isspace(static_cast<unsigned char>(start.code.back())))
      start.code.pop_back();
  } else if (start.code.empty()) {
    const char* kept = std::getenv("KORVANU_CODE");
    if (!kept) return true; // no code at all: --join is at fault
    source = "KORVANU_CODE";
    start.code = kept;
  }
  if (net::normaliseJoinCode(start.code)) return true;
  bad = source;
  return false;
}

bool netStartComplete(const NetStart& start, std::string_view& bad) {
  using K = NetStart::Kind;
  if (start.kind == K::Join && start.code.empty()) return bad = "--join", false;
  if (start.kind != K::Join && !start.code.empty()) return bad = "--code", false;
  if (start.kind != K::Host && (start.second || start.drops || !start.askRouter)) {
    bad = start.second ? "--second" : start.drops ? "--drops" : "--no-router";
    return false;
  }
  return true;
}

std::optional<int> startNetGame(Table& g, const NetStart& start) {
  if (start.kind == NetStart::Kind::Host) {
    NetTerms terms;
    terms.hostFirst = !start.second;
    terms.drops = start.drops.value_or(isChecked(g, Menu::MOCHIKOMA));
    terms.askRouter = start.askRouter;
    const auto hosting = hostNetGame(g, terms, start.port);
    if (!hosting) {
      std::fprintf(stderr, tr("korvanu: ポート %d で待てません\n"), start.port);
      return 1;
    }
    std::printf("waiting on port %d, code %s\n", hosting->port, hosting->code.c_str());
    std::fflush(stdout);
  } else if (start.kind == NetStart::Kind::Join &&
             !joinNetGame(g, start.address, start.code, false)) {
    std::fprintf(stderr, tr("korvanu: アドレスが正しくありません '%s'\n"), start.address.c_str());
    return 2;
  }
  return std::nullopt;
}

} // namespace korvanu
