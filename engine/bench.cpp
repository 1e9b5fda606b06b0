#include "bench.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "computer/com_turn.h"
#include "position_setup.h"
#include "rules/legality.h"
#include "rules/mate.h"
#include "rules/move_list.h"
#include "rules/moves.h"
#include "state/new_game.h"

namespace korvanu {

namespace {

constexpr size_t WANTED = 60;
constexpr int SNAPSHOTS_PER_GAME = 3;

bool bothKings(const Position& p) { return winnerOf(p) == Winner::None; }

void countCandidate(void* context, const ComMove&) { ++*static_cast<long*>(context); }

uint64_t mix(uint64_t h, int64_t v) {
  h ^= static_cast<uint64_t>(v) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
  return h;
}

} // namespace

// A playout move: mostly quiet board moves, often a capture, now and then a
// drop, so that hands fill and explosions come near the kings.
Move pick(Game& g, bool upper, std::mt19937& rng) {
  std::vector<Move> quiet, captures, drops;
  for (const Move& m : playableMoves(g, upper)) {
    if (isDropColumn(m.fx))
      drops.push_back(m);
    else
      (g.BOARD[m.tx][m.ty] == EMPTY ? quiet : captures).push_back(m);
  }
  const unsigned roll = rng() % 12;
  const std::vector<Move>* pool = &quiet;
  if (!captures.empty() && (roll < 2 || quiet.empty()))
    pool = &captures;
  else if (!drops.empty() && (roll == 3 || quiet.empty()))
    pool = &drops;
  if (pool->empty()) return {0, 0, 0, 0, 0};
  return (*pool)[rng() % pool->size()];
}

std::vector<BenchPosition> benchPositions() {
  std::vector<BenchPosition> out;
  {
    Game g;
    newGame(g);
    out.push_back({positionOf(g), false});
    out.push_back({positionOf(g), true});
  }
  for (int game = 0; out.size() < WANTED; ++game) {
    Game g;
    newGame(g);
    std::mt19937 rng(1000 + game);
    // Snapshots after the lower side has moved: the computer answers them.
    const int stops[SNAPSHOTS_PER_GAME] = {7 + 2 * (game % 5), 31 + 2 * (game % 10),
                                           61 + 4 * (game % 10)};
    int taken = 0;
    for (int ply = 1; taken < SNAPSHOTS_PER_GAME && bothKings(g); ++ply) {
      const Move m = pick(g, ply % 2 == 0, rng);
      if (m.code == 0) break;
      playMove(g, m.fx, m.fy, m.tx, m.ty, m.code);
      if (ply == stops[taken]) {
        if (bothKings(g)) out.push_back({positionOf(g), (game + taken) % 2 == 0});
        ++taken;
      }
    }
  }
  return out;
}

void runBench(std::ostream& out) {
  const auto positions = benchPositions();
  uint64_t signature = 1469598103934665603ULL;
  for (int level = 1; level <= 3; ++level) {
    long candidates = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const BenchPosition& p : positions) {
      ComputerBoard g;
      setUpPosition(g, p.entry, level);
      prepareComTurn(g);
      ComMove best;
      const bool found = searchComMove(g, p.drops, best, {countCandidate, nullptr, &candidates});
      for (int v : {found ? 1 : 0, best.fx, best.fy, best.tx, best.ty, best.place})
        signature = mix(signature, v);
      signature = mix(signature, std::llround(best.score * 1000));
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    out << "level " << level << " positions " << positions.size() << " candidates " << candidates
        << " ms " << ms << '\n';
  }
  out << "signature " << signature << '\n';
}

} // namespace korvanu
