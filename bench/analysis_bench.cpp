// The analysis of a whole game: 80 moves at 300 ms a position is to take
// under 30 s on one core, and a cancel is to end it within 100 ms.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include "rules/record.h"
#include "search/analysis.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

constexpr int GAME_MOVES = 80;

struct PlayedGame {
  std::vector<RecordEntry> entries; // the start and GAME_MOVES moves
  bool drops = false;
};

// Level 4 against itself on `nodes` a move from the start, the lower side
// first: as far as GAME_MOVES moves, or the king that falls before.
std::vector<RecordEntry> selfPlay(std::int64_t nodes, bool drops) {
  Position p;
  placeStartingPosition(p);
  findKings(p);
  std::vector<RecordEntry> out{positionOf(p)};
  std::vector<Key> history;
  SearchTable table;
  for (bool upper = false; out.size() <= GAME_MOVES && winnerOf(p) == Winner::None;
       upper = !upper) {
    const SearchResult r = searchBestMove(table, p, upper, drops, {0, nodes}, history);
    if (!r.found) break;
    history.push_back(keyOf(p));
    Key key = 0;
    makeMove(p, r.best, key);
    out.push_back(positionOf(p));
  }
  return out;
}

// Blasts end most games early: the first of these repeatable games that runs
// the whole length is the record the analysis is timed on.
const PlayedGame& playedGame() {
  static const PlayedGame game = [] {
    for (std::int64_t nodes = 1000;; nodes += 500)
      for (bool drops : {true, false})
        if (auto entries = selfPlay(nodes, drops); entries.size() > GAME_MOVES)
          return PlayedGame{std::move(entries), drops};
  }();
  return game;
}

// The argument: the time a position, in milliseconds.
void analyseAGame(benchmark::State& state) {
  const PlayedGame& game = playedGame();
  SearchTable table;
  for (auto _ : state) {
    const auto a =
        analyseGame(game.entries, false, game.drops, {static_cast<int>(state.range(0)), 0}, table);
    benchmark::DoNotOptimize(a);
  }
  state.counters["moves"] = static_cast<double>(game.entries.size() - 1);
}

// From the cancel to the analysis ending, in milliseconds; the analysis
// cancelled a little way into one of its searches.
void cancelAnAnalysis(benchmark::State& state) {
  const PlayedGame& game = playedGame();
  SearchTable table;
  double worst = 0;
  for (auto _ : state) {
    std::atomic<bool> cancel{false};
    std::chrono::steady_clock::time_point ended;
    std::thread worker([&] {
      const auto a = analyseGame(game.entries, false, game.drops, {300, 0}, table, {}, &cancel);
      ended = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(a);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(450));
    const auto asked = std::chrono::steady_clock::now();
    cancel = true;
    worker.join();
    const double ms = std::chrono::duration<double, std::milli>(ended - asked).count();
    state.SetIterationTime(ms / 1000);
    worst = std::max(worst, ms);
  }
  state.counters["worst_ms"] = worst;
}

BENCHMARK(analyseAGame)->Arg(300)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(cancelAnAnalysis)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace korvanu
