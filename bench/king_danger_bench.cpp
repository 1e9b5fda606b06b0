// The danger marks are worked out after every move, and for every square the
// guidance outlines on a pick-up: both must stay far below a frame.
#include <benchmark/benchmark.h>

#include "positions.h"
#include "rules/king_danger.h"
#include "rules/move_gen.h"

namespace korvanu {
namespace {

Position middleGame() {
  Position p;
  for (int y = 1; y <= 9; ++y)
    for (int x = 1; x <= 9; ++x) p.BOARD[x][y] = bench::MIDDLE_GAME[y - 1][x - 1];
  p.HAND_SITA[KIN] = p.HAND_SITA[HU] = 1; // drops too
  findKings(p);
  return p;
}

void kingInReachAfterAMove(benchmark::State& state) {
  const Position p = middleGame();
  for (auto _ : state) benchmark::DoNotOptimize(kingInReach(p, false));
}

// Every move the lower side has, each tested as a guidance square is: more
// than any one pick-up outlines.
void guidanceForEveryMove(benchmark::State& state) {
  const Position p = middleGame();
  MoveList list;
  generateMoves(p, false, true, list);
  for (auto _ : state)
    for (const Move& m : list) benchmark::DoNotOptimize(leavesKingToBeLost(p, m));
  state.counters["moves"] = list.count;
}

BENCHMARK(kingInReachAfterAMove);
BENCHMARK(guidanceForEveryMove)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace korvanu
