// The survey runs once per candidate move, so its time bounds how many moves
// the computer can weigh.
#include <benchmark/benchmark.h>

#include "computer/survey.h"
#include "positions.h"
#include "state/game.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

using bench::MIDDLE_GAME;

void setUp(Game& g, const int (*rows)[9]) {
  if (!rows) {
    newGame(g);
    return;
  }
  for (int y = 1; y <= 9; ++y)
    for (int x = 1; x <= 9; ++x) g.BOARD[x][y] = rows[y - 1][x - 1];
}

void survey(benchmark::State& state, const int (*rows)[9]) {
  Game g;
  setUp(g, rows);
  for (auto _ : state) {
    勢力調査(g);
    benchmark::ClobberMemory();
  }
}

BENCHMARK_CAPTURE(survey, starting_position, nullptr);
BENCHMARK_CAPTURE(survey, middle_game, MIDDLE_GAME);

} // namespace
} // namespace korvanu

BENCHMARK_MAIN();
