// Level 4 measured by play, for tuning it: its speed in a middle game, and
// fixed-node matches against level 3 (on the upper side, as the game plays
// it) or against itself with other weights. Repeatable: seeded openings and
// node budgets, no clock.
//
//   korvanu_search_tune speed MS [PLIES]   (after PLIES plies of quick play, 24)
//   korvanu_search_tune level3 GAMES NODES [name=value ...]   (level 4 with these options)
//   korvanu_search_tune self GAMES NODES [name=value ...]   (the variant plays the lower side
//                                                           in half the games)
// Besides the options: show=1 prints how each game level 4 did not win
// ended; trace=N plays only game N, each move with the search's line.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "computer/com_turn.h"
#include "platform/headless.h"
#include "position_setup.h"
#include "rules/position_moves.h"
#include "rules/record.h"
#include "search/tuning.h"
#include "state/game.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

using search::SearchOptions;

// Set by `show=1`: a game not won by the lower side is printed as it ended.
bool showEnds = false;
// Set by `trace=N`: game N prints each searched move with its last depth.
int traceGame = 0;
bool tracing = false;

bool setOption(SearchOptions& o, const std::string& arg) {
  const auto eq = arg.find('=');
  if (eq == std::string::npos) return false;
  const std::string name = arg.substr(0, eq);
  const int v = std::atoi(arg.c_str() + eq + 1);
  auto& w = o.weights;
  if (name == "hand")
    w.handPercent = v;
  else if (name == "crowd")
    w.crowdOwn = v;
  else if (name == "crowdPawn")
    w.crowdOwnPawn = v;
  else if (name == "crowdEnemy")
    w.crowdEnemy = v;
  else if (name == "advance")
    w.pawnAdvance = v;
  else if (name == "null")
    o.nullMove = v != 0;
  else if (name == "lmr")
    o.reductions = v != 0;
  else if (name == "extend")
    o.dangerExtension = v != 0;
  else if (name == "attack")
    w.attack = v;
  else if (name == "show")
    showEnds = v != 0;
  else if (name == "trace")
    traceGame = v;
  else
    return false;
  return true;
}

Position startPosition() {
  HeadlessPlatform ui;
  Game g(ui);
  newGame(g);
  return g;
}

// A few random plies from the start, the same for the same seed.
Position opening(std::mt19937& rng, bool drops) {
  for (;;) {
    Position p = startPosition();
    Key key = keyOf(p);
    bool upper = false;
    const int plies = 4 + static_cast<int>(rng() % 5);
    for (int i = 0; i < plies; ++i, upper = !upper) {
      MoveList moves;
      generateMoves(p, upper, drops, moves);
      if (moves.count == 0) break;
      makeMove(p, moves.moves[rng() % static_cast<unsigned>(moves.count)], key);
    }
    if (winnerOf(p) == Winner::None) return p;
  }
}

// Level 3's move for the upper side, as the game would choose it.
bool levelThree(const Position& p, bool drops, Move& m) {
  HeadlessPlatform ui;
  Game g(ui);
  setUpPosition(g, positionOf(p), 3, drops);
  prepareComTurn(g);
  ComMove best;
  if (!searchComMove(g, best)) return false;
  m = {best.fx, best.fy, best.tx, best.ty, best.place};
  return true;
}

enum class Player { Level3, Default, Variant };

void printBoard(const Position& p) {
  for (int y = 1; y <= 9; ++y) {
    std::printf("   ");
    for (int x = 9; x >= 1; --x) std::printf("%4d", p.BOARD[x][y]);
    std::printf("\n");
  }
  std::printf("   hands: lower");
  for (int k = HU; k <= SYA; ++k) std::printf(" %d", p.HAND_SITA[k]);
  std::printf("  upper");
  for (int k = HU; k <= SYA; ++k) std::printf(" %d", p.HAND_UE[k]);
  std::printf("\n");
}

struct Played {
  std::vector<Move> moves;
  std::vector<Position> before;
};

void printEnd(const Played& g, const Position& last, const char* how) {
  std::printf("  ended: %s after %zu plies; last moves (fx fy tx ty code):\n", how, g.moves.size());
  const std::size_t n = g.moves.size();
  for (std::size_t i = n > 6 ? n - 6 : 0; i < n; ++i) {
    const Move& m = g.moves[i];
    std::printf("  %zu: %d %d %d %d %d\n", i + 1, m.fx, m.fy, m.tx, m.ty, m.code);
  }
  if (n > 0) {
    std::printf("  before the last move:\n");
    printBoard(g.before[n - 1]);
  }
  std::printf("  at the end:\n");
  printBoard(last);
}

// +1 when the lower side wins, -1 when the upper side does, 0 drawn at 256 plies.
int play(Position p, bool drops, bool lowerFirst, Player lower, Player upperPlayer,
         const SearchOptions& variant, std::int64_t nodes) {
  const SearchOptions standard;
  Key key = keyOf(p);
  std::vector<Key> history;
  Played played;
  bool upper = !lowerFirst;
  for (int ply = 0; ply < 256; ++ply, upper = !upper) {
    const Winner w = winnerOf(p);
    if (w != Winner::None) {
      if (showEnds && w != Winner::Sita) printEnd(played, p, "lower king lost");
      return w == Winner::Sita ? 1 : -1;
    }
    const Player who = upper ? upperPlayer : lower;
    Move m{};
    bool found;
    if (who == Player::Level3) {
      found = levelThree(p, drops, m);
    } else {
      const SearchResult r = search::searchWith(who == Player::Variant ? variant : standard, p,
                                                upper, drops, {0, nodes}, history);
      found = r.found;
      m = r.best;
      if (tracing) {
        std::printf("  ply %d %s: depth %d score %d pv", ply + 1, upper ? "upper" : "lower",
                    r.last.depth, r.last.score);
        for (const Move& pm : r.last.pv)
          std::printf("  %d%d%d%d:%d", pm.fx, pm.fy, pm.tx, pm.ty, pm.code);
        std::printf("\n");
      }
    }
    if (tracing && who == Player::Level3 && found) {
      std::printf("  ply %d %s: level 3 %d%d%d%d:%d\n", ply + 1, upper ? "upper" : "lower", m.fx,
                  m.fy, m.tx, m.ty, m.code);
    }
    if (!found) { // nothing to play loses
      if (showEnds && !upper) printEnd(played, p, "no move for the lower side");
      return upper ? 1 : -1;
    }
    history.push_back(key);
    if (showEnds) played.moves.push_back(m), played.before.push_back(p);
    makeMove(p, m, key);
  }
  if (showEnds) printEnd(played, p, "256 plies");
  return 0;
}

int match(bool againstLevel3, int games, std::int64_t nodes, const SearchOptions& variant) {
  std::mt19937 rng(20240518);
  int wins = 0, draws = 0, losses = 0;
  for (int i = 0; i < games; ++i) {
    const bool drops = (i / 2) % 2 == 0;
    const bool lowerFirst = (i / 4) % 2 == 0;
    static Position open;
    if (i % 2 == 0 || againstLevel3) open = opening(rng, drops);
    // Against level 3 the searcher always has the lower side; against itself
    // the variant swaps sides on the same opening.
    const bool variantLower = againstLevel3 || i % 2 == 0;
    const Player mine = Player::Variant; // the default unless options are given
    const Player other = againstLevel3 ? Player::Level3 : Player::Default;
    tracing = i + 1 == traceGame;
    if (traceGame > 0 && !tracing) continue;
    const int r = variantLower ? play(open, drops, lowerFirst, mine, other, variant, nodes)
                               : -play(open, drops, lowerFirst, other, mine, variant, nodes);
    (r > 0 ? wins : r < 0 ? losses : draws) += 1;
    std::printf("game %d: %s  (+%d =%d -%d)\n", i + 1,
                r > 0   ? "win"
                : r < 0 ? "loss"
                        : "draw",
                wins, draws, losses);
    std::fflush(stdout);
  }
  std::printf("%s: +%d =%d -%d, score %.1f%%\n",
              againstLevel3 ? "level 4 vs level 3" : "variant vs default", wins, draws, losses,
              100.0 * (wins + 0.5 * draws) / games);
  return 0;
}

int speed(int millis, int plies) {
  // A middle game: some plies of quick level-4 play from the start.
  Position p = startPosition();
  Key key = keyOf(p);
  bool upper = false;
  for (int i = 0; i < plies && winnerOf(p) == Winner::None; ++i, upper = !upper) {
    const SearchResult r = searchBestMove(p, upper, true, {0, 3000});
    if (!r.found) break;
    makeMove(p, r.best, key);
  }
  const SearchResult r = searchBestMove(p, upper, true, {millis, 0}, {}, [](const SearchInfo& s) {
    std::printf("depth %d nodes %lld score %d time %.3f\n", s.depth,
                static_cast<long long>(s.nodes), s.score, s.seconds);
  });
  std::printf("%d ms: depth %d, %lld nodes, %.0f nodes/s\n", millis, r.last.depth,
              static_cast<long long>(r.last.nodes), r.last.nodes / r.last.seconds);
  return 0;
}

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  using namespace korvanu;
  if (argc >= 3 && std::strcmp(argv[1], "speed") == 0)
    return speed(std::atoi(argv[2]), argc > 3 ? std::atoi(argv[3]) : 24);
  if (argc >= 4 && (std::strcmp(argv[1], "level3") == 0 || std::strcmp(argv[1], "self") == 0)) {
    search::SearchOptions variant;
    for (int i = 4; i < argc; ++i)
      if (!setOption(variant, argv[i])) return std::fprintf(stderr, "unknown %s\n", argv[i]), 2;
    return match(std::strcmp(argv[1], "level3") == 0, std::atoi(argv[2]), std::atoll(argv[3]),
                 variant);
  }
  std::fprintf(
      stderr,
      "usage: korvanu_search_tune speed MS [PLIES] | level3|self GAMES NODES [name=value ...]\n");
  return 2;
}
