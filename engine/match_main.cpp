// korvanu-match: two levels played against each other, with the score, Elo
// and the thinking time a move. `korvanu-match --help` lists the options.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include <unistd.h>

#include "match.h"
#include "record/entry_line.h"
#include "rules/record.h"

namespace {

using namespace korvanu;

constexpr const char* USAGE =
    "usage: korvanu-match [--a LEVEL] [--b LEVEL] [--games N] [--movetime MS] [--movetime-a MS]\n"
    "                     [--movetime-b MS] [--nodes N] [--nodes-a N] [--nodes-b N] [--seed S]\n"
    "                     [--plies N] [--threads N] [--sprt ELO0,ELO1] [--options-a LIST]\n"
    "                     [--options-b LIST] [--engine-b PROGRAM] [--show] [--trace GAME]\n"
    "LIST: level 4's options, e.g. crowd=80,attack=4 (hand, crowd, crowdPawn, crowdEnemy,\n"
    "      advance, attack; null, lmr, extend, prune 0 or 1)\n"
    "PROGRAM: another korvanu-engine build plays B at level 4 on B's budget\n";

// What the command line asks besides the match itself.
struct Report {
  std::string optionsA, optionsB; // as given, for the heading
  bool show = false;              // how each game A did not win ended
  int trace = 0;                  // play only this game, each move with its search
};

template <typename T>
bool number(std::string_view s, T& out, T least) {
  const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && p == s.data() + s.size() && out >= least;
}

bool sprtBounds(std::string_view s, MatchOptions::Sprt& out) {
  const size_t comma = s.find(',');
  if (comma == std::string_view::npos) return false;
  const std::string e0(s.substr(0, comma)), e1(s.substr(comma + 1));
  char* end0 = nullptr;
  char* end1 = nullptr;
  out.elo0 = std::strtod(e0.c_str(), &end0);
  out.elo1 = std::strtod(e1.c_str(), &end1);
  return !e0.empty() && !e1.empty() && *end0 == '\0' && *end1 == '\0' && out.elo0 < out.elo1;
}

bool parse(int argc, char** argv, MatchOptions& o, Report& report) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (name == "--show") {
      report.show = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string_view v = argv[++i];
    bool good = false;
    int millis = 0;
    std::int64_t nodes = 0;
    if (name == "--a")
      good = number(v, o.a.level, 1) && o.a.level <= MAX_LEVEL;
    else if (name == "--b")
      good = number(v, o.b.level, 1) && o.b.level <= MAX_LEVEL;
    else if (name == "--games")
      good = number(v, o.games, 1);
    else if (name == "--movetime") {
      good = number(v, millis, 1);
      o.a.millis = o.b.millis = millis;
    } else if (name == "--movetime-a")
      good = number(v, o.a.millis, 1);
    else if (name == "--movetime-b")
      good = number(v, o.b.millis, 1);
    else if (name == "--nodes") {
      good = number<std::int64_t>(v, nodes, 0);
      o.a.nodes = o.b.nodes = nodes;
    } else if (name == "--nodes-a")
      good = number<std::int64_t>(v, o.a.nodes, 0);
    else if (name == "--nodes-b")
      good = number<std::int64_t>(v, o.b.nodes, 0);
    else if (name == "--seed")
      good = number<std::uint64_t>(v, o.seed, 0);
    else if (name == "--plies")
      good = number(v, o.plies, 0);
    else if (name == "--threads")
      good = number(v, o.threads, 1);
    else if (name == "--sprt") {
      MatchOptions::Sprt s{};
      good = sprtBounds(v, s);
      o.sprt = s;
    } else if (name == "--options-a") {
      good = parseSearchOptions(v, o.a.options);
      report.optionsA = v;
    } else if (name == "--options-b") {
      good = parseSearchOptions(v, o.b.options);
      report.optionsB = v;
    } else if (name == "--engine-b") {
      o.engineB = v;
      o.b.level = 4;
      report.optionsB = "korvanu-engine " + o.engineB;
      good = access(o.engineB.c_str(), X_OK) == 0;
    } else if (name == "--trace")
      good = number(v, report.trace, 1);
    if (!good) {
      std::fprintf(stderr, "korvanu-match: bad option %s %s\n", argv[i - 1], argv[i]);
      return false;
    }
  }
  return true;
}

std::string side(const Thinking& t, const std::string& options) {
  std::string s = "LEVEL" + std::to_string(t.level);
  if (t.level <= 3) return s;
  return s + " (" +
         (t.nodes > 0 ? std::to_string(t.nodes) + " nodes" : std::to_string(t.millis) + " ms") +
         (options.empty() ? "" : ", " + options) + ")";
}

void printMove(const Move& m) { std::printf(" %d %d %d %d %d", m.fx, m.fy, m.tx, m.ty, m.code); }

// A position as the line `korvanu-engine`'s `position` takes.
std::string entryLine(const Position& p) {
  return formatEntryLine(positionOf(p)).substr(0, ENTRY_LINE_NO_CLOCKS);
}

// How a game ended: its last moves and the board before the last and after.
void printEnd(const GameRecord& g) {
  constexpr const char* how[] = {"king lost", "no move", "ply limit", "illegal move"};
  std::printf("game %d (A %s, drops %s): %s, %s after %d plies; last moves (fx fy tx ty code):\n",
              g.index + 1, g.aUpper ? "upper" : "lower", g.drops ? "on" : "off",
              g.result > 0   ? "won"
              : g.result < 0 ? "lost"
                             : "drawn",
              how[static_cast<int>(g.end)], g.plies);
  const size_t n = g.moves.size();
  for (size_t i = n > 6 ? n - 6 : 0; i < n; ++i) {
    std::printf("  %zu:", g.plies - n + i + 1);
    printMove(g.moves[i]);
    std::printf("\n");
  }
  std::printf("  start:  %s\n", entryLine(g.start).c_str());
  if (n > 0) std::printf("  before: %s\n", entryLine(g.beforeLast).c_str());
  std::printf("  after:  %s\n", entryLine(g.atEnd).c_str());
}

// Game `report.trace` alone, each move with the depth, speed, score and line
// of its search: at a time budget, level 4's depth and speed through a game.
int trace(const MatchOptions& o, const Report& report) {
  if (report.trace > (std::max(o.games, 1) + 1) / 2 * 2) {
    std::fprintf(stderr, "korvanu-match: --trace %d: no such game\n", report.trace);
    return 2;
  }
  const GameRecord g = playMatchGame(
      o, report.trace - 1, [](int ply, bool upper, bool isA, const Choice& c, double seconds) {
        std::printf("ply %d %c %s:", ply, isA ? 'A' : 'B', upper ? "upper" : "lower");
        if (!c.found) return (void)std::printf(" no move\n");
        printMove(c.move);
        const SearchInfo& s = c.last;
        if (s.depth == 0)
          return (void)std::printf("  score %.3f, %.1f ms\n", c.score, seconds * 1000);
        std::printf("  depth %d nodes %lld (%.0f nodes/s), %.1f ms, score %d pv", s.depth,
                    static_cast<long long>(s.nodes), s.seconds > 0 ? s.nodes / s.seconds : 0.0,
                    seconds * 1000, s.score);
        for (const Move& m : s.pv) printMove(m);
        std::printf("\n");
      });
  printEnd(g);
  return 0;
}

std::string elo(double v) {
  if (std::isinf(v)) return v > 0 ? "+inf" : "-inf";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.0f", std::round(v) == 0 ? 0.0 : v);
  return buf;
}

void printTimes(const char* who, const std::string& side, const std::vector<GameRecord>& games) {
  std::vector<double> ms;
  for (const GameRecord& g : games)
    for (double s : who[0] == 'A' ? g.secondsA : g.secondsB) ms.push_back(s * 1000);
  std::printf(
      "time a move %s %s: median %.1f ms, 99th percentile %.1f ms, max %.1f ms (%zu moves)\n", who,
      side.c_str(), percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1), ms.size());
}

} // namespace

int main(int argc, char** argv) {
  MatchOptions o;
  o.a.level = 3;
  o.b.level = 1;
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(USAGE, stdout);
    return 0;
  }
  Report report;
  if (!parse(argc, argv, o, report)) {
    std::fputs(USAGE, stderr);
    return 2;
  }
  if (report.trace > 0) return trace(o, report);
  // The tally as it grows, on a terminal only.
  const bool terminal = isatty(STDERR_FILENO) == 1;
  const MatchResult r = runMatch(o, [terminal](const Tally& t) {
    if (terminal)
      std::fprintf(stderr, "\r%d games: +%d =%d -%d", t.games(), t.wins, t.draws, t.losses);
  });
  if (terminal) std::fputc('\n', stderr);

  const Tally& t = r.tally;
  std::printf("A %s against B %s: %d games from %d-ply random openings, seed %llu\n",
              side(o.a, report.optionsA).c_str(), side(o.b, report.optionsB).c_str(), t.games(),
              o.plies, static_cast<unsigned long long>(o.seed));
  std::printf("A wins %d, draws %d, losses %d: score %.1f %%\n", t.wins, t.draws, t.losses,
              100 * t.score());
  const EloRange e = eloRange(t);
  std::printf("Elo %s, 95 %% interval [%s, %s]\n", elo(e.elo).c_str(), elo(e.low).c_str(),
              elo(e.high).c_str());
  for (bool drops : {false, true}) {
    Tally d;
    for (const GameRecord& g : r.games)
      if (g.drops == drops) (g.result > 0 ? d.wins : g.result < 0 ? d.losses : d.draws) += 1;
    std::printf("drops %s: +%d =%d -%d\n", drops ? "on " : "off", d.wins, d.draws, d.losses);
  }
  int ends[4] = {};
  long plies = 0;
  for (const GameRecord& g : r.games) {
    ++ends[static_cast<int>(g.end)];
    plies += g.plies;
  }
  std::printf("ends: king lost %d, no move %d, %d plies %d, illegal move %d; %.1f plies a game\n",
              ends[0], ends[1], MATCH_MAX_PLIES, ends[2], ends[3],
              r.games.empty() ? 0.0 : static_cast<double>(plies) / r.games.size());
  printTimes("A", side(o.a, report.optionsA), r.games);
  printTimes("B", side(o.b, report.optionsB), r.games);
  if (o.sprt)
    std::printf("SPRT [%g, %g]: LLR %.2f in [%.2f, %.2f]: %s\n", o.sprt->elo0, o.sprt->elo1, r.llr,
                SPRT_LOWER, SPRT_UPPER,
                !r.sprtStopped        ? "undecided"
                : r.llr >= SPRT_UPPER ? "H1 accepted"
                                      : "H0 accepted");
  if (report.show)
    for (const GameRecord& g : r.games)
      if (g.result <= 0) printEnd(g);
  return 0;
}
