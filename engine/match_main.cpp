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

namespace {

using namespace korvanu;

constexpr const char* USAGE =
    "usage: korvanu-match [--a LEVEL] [--b LEVEL] [--games N] [--movetime MS] [--movetime-a MS]\n"
    "                     [--movetime-b MS] [--nodes N] [--nodes-a N] [--nodes-b N] [--seed S]\n"
    "                     [--plies N] [--threads N] [--sprt ELO0,ELO1]\n";

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

bool parse(int argc, char** argv, MatchOptions& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view name = argv[i];
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
    }
    if (!good) {
      std::fprintf(stderr, "korvanu-match: bad option %s %s\n", argv[i - 1], argv[i]);
      return false;
    }
  }
  return true;
}

std::string side(const Thinking& t) {
  std::string s = "LEVEL" + std::to_string(t.level);
  if (t.level <= 3) return s;
  return s + (t.nodes > 0 ? " (" + std::to_string(t.nodes) + " nodes)"
                          : " (" + std::to_string(t.millis) + " ms)");
}

std::string elo(double v) {
  if (std::isinf(v)) return v > 0 ? "+inf" : "-inf";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%+.0f", std::round(v) == 0 ? 0.0 : v);
  return buf;
}

void printTimes(const char* who, const Thinking& t, const std::vector<GameRecord>& games) {
  std::vector<double> ms;
  for (const GameRecord& g : games)
    for (double s : who[0] == 'A' ? g.secondsA : g.secondsB) ms.push_back(s * 1000);
  std::printf(
      "time a move %s %s: median %.1f ms, 99th percentile %.1f ms, max %.1f ms (%zu moves)\n", who,
      side(t).c_str(), percentile(ms, 0.5), percentile(ms, 0.99), percentile(ms, 1), ms.size());
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
  if (!parse(argc, argv, o)) {
    std::fputs(USAGE, stderr);
    return 2;
  }
  // The tally as it grows, on a terminal only.
  const bool terminal = isatty(STDERR_FILENO) == 1;
  const MatchResult r = runMatch(o, [terminal](const Tally& t) {
    if (terminal)
      std::fprintf(stderr, "\r%d games: +%d =%d -%d", t.games(), t.wins, t.draws, t.losses);
  });
  if (terminal) std::fputc('\n', stderr);

  const Tally& t = r.tally;
  std::printf("A %s against B %s: %d games from %d-ply random openings, seed %llu\n",
              side(o.a).c_str(), side(o.b).c_str(), t.games(), o.plies,
              static_cast<unsigned long long>(o.seed));
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
  printTimes("A", o.a, r.games);
  printTimes("B", o.b, r.games);
  if (o.sprt)
    std::printf("SPRT [%g, %g]: LLR %.2f in [%.2f, %.2f]: %s\n", o.sprt->elo0, o.sprt->elo1, r.llr,
                SPRT_LOWER, SPRT_UPPER,
                !r.sprtStopped        ? "undecided"
                : r.llr >= SPRT_UPPER ? "H1 accepted"
                                      : "H0 accepted");
  return 0;
}
