#include "match.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <memory>
#include <mutex>
#include <random>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "position_setup.h"
#include "record/entry_line.h"
#include "rules/move_list.h"
#include "rules/moves.h"
#include "state/game.h"
#include "state/new_game.h"
#include "state/pieces.h"

extern char** environ;

namespace korvanu {

namespace {

bool allowed(const Move& m, bool drops) { return drops || !isDropColumn(m.fx); }

// The start position and `plies` random moves, the lower side first; drawn
// again while a random move ends the game. `history` gets the keys of the
// positions the moves were made from.
void playOpening(Game& g, int plies, bool drops, std::mt19937_64& rng, std::vector<Key>& history) {
  for (bool done = false; !done;) {
    newGame(g);
    history.clear();
    done = true;
    for (int ply = 0; ply < plies && done; ++ply) {
      std::vector<Move> moves = playableMoves(g, ply % 2 == 1);
      std::erase_if(moves, [&](const Move& m) { return !allowed(m, drops); });
      if (moves.empty()) {
        done = false;
        break;
      }
      const Move m = moves[rng() % moves.size()];
      history.push_back(keyOf(g));
      playMove(g, m.fx, m.fy, m.tx, m.ty, m.code);
      done = winnerOf(g) == Winner::None;
    }
  }
}

// A korvanu-engine program on two pipes, asked one command at a time.
class EngineProcess {
public:
  explicit EngineProcess(const std::string& path) {
    // One pipe pair and spawn at a time, each end closed on exec: an engine
    // started by another game's thread must not hold this one's pipes.
    static std::mutex spawning;
    const std::scoped_lock held(spawning);
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    for (int fd : {in[0], in[1], out[0], out[1]}) posix_spawn_file_actions_addclose(&actions, fd);
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    if (posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    to_ = in[1];
    from_ = fdopen(out[0], "r");
  }
  ~EngineProcess() {
    if (to_ >= 0) close(to_); // the end of its input ends it
    if (from_) std::fclose(from_);
    if (pid_ > 0) waitpid(pid_, nullptr, 0);
  }
  EngineProcess(const EngineProcess&) = delete;
  EngineProcess& operator=(const EngineProcess&) = delete;

  // The reply's last line ("ok" or "error ..."), and the line before it.
  std::pair<std::string, std::string> ask(const std::string& command) {
    const std::string line = command + '\n';
    if (pid_ <= 0 || !from_ || write(to_, line.data(), line.size()) < 0) return {"error", ""};
    std::string before, last;
    char buf[4096];
    while (std::fgets(buf, sizeof buf, from_)) {
      before = std::move(last);
      last = buf;
      if (!last.empty() && last.back() == '\n') last.pop_back();
      if (last == "ok" || last.starts_with("error")) return {last, before};
    }
    return {"error", ""};
  }

private:
  pid_t pid_ = -1;
  int to_ = -1;
  FILE* from_ = nullptr;
};

// The game from here on, as the other program is told it.
void tellPosition(EngineProcess& e, const Game& g, const Thinking& t, bool drops) {
  e.ask("set level 4");
  e.ask(drops ? "set drops on" : "set drops off");
  e.ask("set movetime " + std::to_string(t.millis));
  e.ask("set nodes " + std::to_string(t.nodes));
  e.ask("position " + formatEntryLine(positionOf(g)));
}

Choice askBest(EngineProcess& e, bool upper) {
  const auto [last, best] = e.ask(upper ? "best ue" : "best sita");
  Choice c;
  std::istringstream in(best);
  std::string word;
  if (last != "ok" || !(in >> word) || word != "best") return c;
  Move& m = c.move;
  c.found = static_cast<bool>(in >> m.fx >> m.fy >> m.tx >> m.ty >> m.code >> c.score);
  return c;
}

} // namespace

GameRecord playMatchGame(const MatchOptions& o, int index, const MoveFn& onMove) {
  GameRecord r;
  r.index = index;
  const int opening = index / 2;
  r.aUpper = index % 2 == 1;
  r.drops = opening % 2 == 1;
  std::seed_seq seeds{static_cast<std::uint32_t>(o.seed), static_cast<std::uint32_t>(o.seed >> 32),
                      static_cast<std::uint32_t>(opening)};
  std::mt19937_64 rng(seeds);
  auto game = std::make_unique<Game>();
  Game& g = *game;
  std::vector<Key> history;
  // Both sides' searches share one table: each clears it first.
  SearchTable table;
  playOpening(g, o.plies, r.drops, rng, history);
  std::unique_ptr<EngineProcess> outside;
  if (!o.engineB.empty()) {
    outside = std::make_unique<EngineProcess>(o.engineB);
    tellPosition(*outside, g, o.b, r.drops);
  }

  r.plies = o.plies;
  r.start = g;
  // Points to the upper side: 1 won, -1 lost.
  int upperPoints = 0;
  for (bool upper = o.plies % 2 == 1;; upper = !upper) {
    const Winner w = winnerOf(g);
    if (w != Winner::None) {
      r.end = GameEnd::KingLost;
      upperPoints = w == Winner::Ue ? 1 : -1;
      break;
    }
    if (r.plies >= MATCH_MAX_PLIES) {
      r.end = GameEnd::PlyLimit;
      break;
    }
    const bool isA = upper == r.aUpper;
    Thinking t = isA ? o.a : o.b;
    t.drops = r.drops;
    const auto start = std::chrono::steady_clock::now();
    const Choice c =
        outside && !isA ? askBest(*outside, upper) : bestMoveFor(g, upper, t, history, {}, &table);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    (isA ? r.secondsA : r.secondsB).push_back(took.count());
    if (onMove) onMove(r.plies + 1, upper, isA, c, took.count());
    const Move& m = c.move;
    if (!c.found || !allowed(m, r.drops) || !isPlayableMove(g, m.fx, m.fy, m.tx, m.ty, m.code)) {
      r.end = c.found ? GameEnd::IllegalMove : GameEnd::NoMove;
      upperPoints = upper ? -1 : 1;
      break;
    }
    history.push_back(keyOf(g));
    r.beforeLast = g;
    r.moves.push_back(m);
    playMove(g, m.fx, m.fy, m.tx, m.ty, m.code);
    if (outside)
      outside->ask("move " + std::to_string(m.fx) + ' ' + std::to_string(m.fy) + ' ' +
                   std::to_string(m.tx) + ' ' + std::to_string(m.ty) + ' ' +
                   std::to_string(m.code));
    ++r.plies;
  }
  r.atEnd = g;
  r.result = r.aUpper ? upperPoints : -upperPoints;
  return r;
}

MatchResult runMatch(const MatchOptions& o, const std::function<void(const Tally&)>& progress) {
  const int games = (std::max(o.games, 1) + 1) / 2 * 2;
  const int threads = o.threads > 0
                          ? o.threads
                          : std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  std::vector<std::optional<GameRecord>> played(games);
  MatchResult result;
  std::atomic<int> next{0};
  std::atomic<bool> stop{false};
  std::mutex lock;
  auto work = [&] {
    for (int i; !stop && (i = next++) < games;) {
      GameRecord r = playMatchGame(o, i);
      const std::scoped_lock held(lock);
      Tally& t = result.tally;
      (r.result > 0 ? t.wins : r.result < 0 ? t.losses : t.draws) += 1;
      played[i] = std::move(r);
      if (o.sprt) {
        result.llr = sprtLlr(t, o.sprt->elo0, o.sprt->elo1);
        if (result.llr <= SPRT_LOWER || result.llr >= SPRT_UPPER) {
          result.sprtStopped = true;
          stop = true;
        }
      }
      if (progress) progress(t);
    }
  };
  std::vector<std::jthread> workers;
  for (int i = 0; i < std::min(threads, games); ++i) workers.emplace_back(work);
  workers.clear();
  for (auto& r : played)
    if (r) result.games.push_back(std::move(*r));
  return result;
}

namespace {

using search::EvalWeights, search::SearchOptions;

constexpr std::pair<std::string_view, int EvalWeights::*> weights[] = {
    {"hand", &EvalWeights::handPercent},       {"crowd", &EvalWeights::crowdOwn},
    {"crowdPawn", &EvalWeights::crowdOwnPawn}, {"crowdEnemy", &EvalWeights::crowdEnemy},
    {"advance", &EvalWeights::pawnAdvance},    {"attack", &EvalWeights::attack},
    {"storm", &EvalWeights::pawnStorm},        {"guard", &EvalWeights::guard},
    {"kingOut", &EvalWeights::kingOut},        {"undeveloped", &EvalWeights::undeveloped},
    {"progress", &EvalWeights::progress}};
// The pieces' values by the code's digits: v10 a pawn, v11 a promoted pawn … v71.
constexpr std::string_view values[] = {"v10", "v11", "v20", "v21", "v30", "v31", "v40",
                                       "v41", "v50", "v60", "v61", "v70", "v71"};

} // namespace

std::vector<std::string_view> evalWeightNames() {
  std::vector<std::string_view> names(std::begin(values), std::end(values));
  for (const auto& w : weights) names.push_back(w.first);
  return names;
}

int* evalWeight(search::EvalWeights& w, std::string_view name) {
  for (const auto& [n, weight] : weights)
    if (n == name) return &(w.*weight);
  for (const std::string_view n : values)
    if (n == name) return &w.values[n[1] - '0'][n[2] - '0'];
  return nullptr;
}

bool parseSearchOptions(std::string_view list, search::SearchOptions& o) {
  static constexpr std::pair<std::string_view, int SearchOptions::*> numbers[] = {
      {"futility", &SearchOptions::futility},
      {"evasions", &SearchOptions::quietEvasions},
      {"stand", &SearchOptions::standMargin},
      {"contempt", &SearchOptions::contempt}};
  static constexpr std::pair<std::string_view, bool SearchOptions::*> switches[] = {
      {"null", &SearchOptions::nullMove},
      {"lmr", &SearchOptions::reductions},
      {"extend", &SearchOptions::dangerExtension},
      {"prune", &SearchOptions::prune},
      {"lmrlog", &SearchOptions::logReductions}};
  for (size_t start = 0; start <= list.size();) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view item = list.substr(start, comma - start);
    start = comma + 1;
    const size_t eq = item.find('=');
    if (eq == std::string_view::npos) return false;
    const std::string_view name = item.substr(0, eq), value = item.substr(eq + 1);
    int v = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (value.empty() || ec != std::errc() || end != value.data() + value.size()) return false;
    bool known = false;
    if (int* weight = evalWeight(o.weights, name)) *weight = v, known = true;
    for (const auto& [n, number] : numbers)
      if (n == name) o.*number = v, known = true;
    for (const auto& [n, on] : switches)
      if (n == name && (v == 0 || v == 1)) o.*on = v == 1, known = true;
    if (!known) return false;
  }
  return true;
}

} // namespace korvanu
