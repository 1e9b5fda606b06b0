#include "engine.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <vector>

#include "bench.h"
#include "computer/com_turn.h"
#include "computer/survey.h"
#include "position_setup.h"
#include "record/entry_line.h"
#include "record/sfen.h"
#include "rules/legality.h"
#include "rules/mate.h"
#include "rules/move_gen.h"
#include "rules/moves.h"
#include "rules/record.h"
#include "search_bench.h"
#include "state/new_game.h"

namespace korvanu {

namespace {

// Whole numbers separated by single spaces, and nothing else.
bool parseInts(const std::string& s, std::vector<int>& out) {
  out.clear();
  if (s.empty()) return false;
  size_t i = 0;
  while (true) {
    const size_t end = s.find(' ', i);
    const size_t stop = end == std::string::npos ? s.size() : end;
    int v = 0;
    const auto [p, ec] = std::from_chars(s.data() + i, s.data() + stop, v);
    if (ec != std::errc() || p != s.data() + stop || stop == i) return false;
    out.push_back(v);
    if (end == std::string::npos) return true;
    i = end + 1;
  }
}

bool fail(std::ostream& out, const std::string& why) {
  out << "error " << why << '\n';
  return true;
}

bool ok(std::ostream& out) {
  out << "ok\n";
  return true;
}

RecordEntry startingPosition() {
  Game g;
  newGame(g);
  return positionOf(g);
}

std::string scoreText(double score) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", score);
  return buf;
}

void printMove(std::ostream& out, const char* tag, const ComMove& m) {
  out << tag << ' ' << m.fx << ' ' << m.fy << ' ' << m.tx << ' ' << m.ty << ' ' << m.place << ' '
      << scoreText(m.score) << '\n';
}

void printCandidate(void* context, const ComMove& m) {
  printMove(*static_cast<std::ostream*>(context), "cand", m);
}

void printMap(std::ostream& out, const char* name, const int (&map)[10][10]) {
  out << name;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) out << ' ' << map[x][y];
  out << '\n';
}

// The longest `set movetime`: an hour. Longer is a typo, and `stop` ends any.
constexpr int MAX_MOVETIME = 3600 * 1000;
constexpr int MAX_PERFT = 12;

// perft counted by hand down to three plies from the leaves, which
// korvanu::perft counts in milliseconds: `stop` is heard between them.
std::optional<std::uint64_t> stoppablePerft(Position& p, bool upper, bool drops, int depth,
                                            const std::atomic<bool>* stop) {
  if (stop && stop->load(std::memory_order_relaxed)) return std::nullopt;
  if (depth <= 3) return perft(p, upper, drops, depth);
  MoveList list;
  generateMoves(p, upper, drops, list);
  std::uint64_t n = 0;
  Key key = 0;
  for (const Move& m : list) {
    const Undo u = makeMove(p, m, key);
    const auto below = stoppablePerft(p, !upper, drops, depth - 1, stop);
    unmakeMove(p, m, u, key);
    if (!below) return std::nullopt;
    n += *below;
  }
  return n;
}

} // namespace

Engine::Engine() { newGame(startingPosition()); }

void Engine::newGame(const RecordEntry& position, bool upperToMove, int moveNumber) {
  history_.clear();
  upperToMove_ = upperToMove;
  moveNumber_ = moveNumber;
  game_ = std::make_unique<Game>();
  setUpPosition(*game_, position, thinking_.level);
}

bool Engine::handle(const std::string& raw, std::ostream& out) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  const size_t space = line.find(' ');
  const std::string command = line.substr(0, space);
  const std::string args = space == std::string::npos ? "" : line.substr(space + 1);
  if (command == "quit" && args.empty()) return false;
  if (command == "position") return position(args, out);
  if (command == "set") return set(args, out);
  if (command == "show") return show(args, out);
  if (command == "sfen") return sfen(args, out);
  if (command == "moves") return moves(args, out);
  if (command == "move") return move(args, out);
  if (command == "survey") return survey(args, out);
  if (command == "mated") return mated(args, out);
  if (command == "winner") return winner(args, out);
  if (command == "perft") return perft(args, out);
  if (command == "scores") return scores(args, out);
  if (command == "best") return best(args, out);
  // What it stops is already over by the time it is answered (EngineLoop).
  if (command == "stop" && args.empty()) return ok(out);
  if (command == "bench" && args.empty()) {
    runBench(out);
    return ok(out);
  }
  if (command == "bench" && args == "search") {
    runSearchBench(out, thinking_, table_, stop_);
    return ok(out);
  }
  if (line.empty()) return fail(out, "empty command");
  return fail(out, "unknown command");
}

bool Engine::position(const std::string& args, std::ostream& out) {
  if (args == "startpos") {
    newGame(startingPosition());
    return ok(out);
  }
  if (args.starts_with("sfen ")) {
    Refusal why;
    const auto read = parseSfen(args, &why);
    if (!read) return fail(out, "bad sfen: " + refusalText(why));
    newGame(positionOf(read->position), read->upperToMove, read->moveNumber);
    return ok(out);
  }
  std::string why;
  const auto entry = parseEntryLine(args, &why);
  if (!entry) return fail(out, "bad position: " + why);
  newGame(*entry);
  return ok(out);
}

bool Engine::set(const std::string& args, std::ostream& out) {
  Game& g = *game_;
  if (args == "drops on" || args == "drops off") {
    thinking_.drops = args == "drops on";
    return ok(out);
  }
  const size_t space = args.find(' ');
  const std::string name = args.substr(0, space);
  std::vector<int> v;
  const bool one =
      space != std::string::npos && parseInts(args.substr(space + 1), v) && v.size() == 1;
  if (one && name == "level" && v[0] >= 1 && v[0] <= MAX_LEVEL) {
    thinking_.level = v[0];
    g.COM_LEVEL = thinking_.level;
    return ok(out);
  }
  if (one && name == "movetime" && v[0] >= 1 && v[0] <= MAX_MOVETIME) {
    thinking_.millis = v[0];
    return ok(out);
  }
  if (one && name == "nodes" && v[0] >= 0) {
    thinking_.nodes = v[0];
    return ok(out);
  }
  return fail(out, "set level 1.." + std::to_string(MAX_LEVEL) +
                       ", drops on|off, movetime MS (1.." + std::to_string(MAX_MOVETIME) +
                       ") or nodes N (0: the time)");
}

bool Engine::show(const std::string& args, std::ostream& out) {
  if (!args.empty()) return fail(out, "show takes nothing");
  out << formatEntryLine(positionOf(*game_)) << '\n';
  return ok(out);
}

bool Engine::sfen(const std::string& args, std::ostream& out) {
  if (!args.empty()) return fail(out, "sfen takes nothing");
  out << formatSfen(*game_, upperToMove_, moveNumber_) << '\n';
  return ok(out);
}

bool Engine::moves(const std::string& args, std::ostream& out) {
  if (args != "ue" && args != "sita") return fail(out, "moves ue or moves sita");
  MoveList list;
  generateMoves(*game_, args == "ue", thinking_.drops, list);
  // One line a destination: the piece as it stands, whether it may promote
  // there and whether it must (the list then holds only the promoted move).
  for (int i = 0; i < list.count; ++i) {
    const Move& m = list.moves[i];
    const bool drop = isDropColumn(m.fx);
    const int code = drop ? m.code : game_->BOARD[m.fx][m.fy];
    const bool promoted = m.code != code;
    const bool both = i + 1 < list.count && !drop && list.moves[i + 1].fx == m.fx &&
                      list.moves[i + 1].fy == m.fy && list.moves[i + 1].tx == m.tx &&
                      list.moves[i + 1].ty == m.ty;
    out << m.fx << ' ' << m.fy << ' ' << m.tx << ' ' << m.ty << ' ' << code << ' '
        << (promoted || both ? 1 : 0) << ' ' << (promoted ? 1 : 0) << '\n';
    i += both;
  }
  return ok(out);
}

bool Engine::move(const std::string& args, std::ostream& out) {
  std::vector<int> v;
  if (!parseInts(args, v) || v.size() != 5) return fail(out, "move fx fy tx ty code");
  Game& g = *game_;
  if (winnerOf(g) != Winner::None) return fail(out, "game over");
  const bool drop = isDropColumn(v[0]);
  if (drop && !thinking_.drops) return fail(out, "illegal move");
  if (!isPlayableMove(g, v[0], v[1], v[2], v[3], v[4])) return fail(out, "illegal move");
  history_.push_back(keyOf(g));
  out << "exploded " << playMove(g, v[0], v[1], v[2], v[3], v[4]) << '\n';
  afterMove(g, isUe(v[4]));
  upperToMove_ = !isUe(v[4]);
  ++moveNumber_;
  return ok(out);
}

bool Engine::survey(const std::string& args, std::ostream& out) {
  if (!args.empty()) return fail(out, "survey takes nothing");
  Game& g = *game_;
  勢力調査(g);
  printMap(out, "INFLUENCE_SITA", g.INFLUENCE_SITA);
  printMap(out, "INFLUENCE_UE", g.INFLUENCE_UE);
  printMap(out, "DEFENDER_SITA", g.DEFENDER_SITA);
  printMap(out, "DEFENDER_UE", g.DEFENDER_UE);
  printMap(out, "ATTACKER_SITA", g.ATTACKER_SITA);
  printMap(out, "ATTACKER_SITA_X", g.ATTACKER_SITA_X);
  printMap(out, "ATTACKER_SITA_Y", g.ATTACKER_SITA_Y);
  printMap(out, "ATTACKER_UE", g.ATTACKER_UE);
  printMap(out, "CHECK_BY_SITA", g.CHECK_BY_SITA);
  printMap(out, "CHECK_BY_UE", g.CHECK_BY_UE);
  printMap(out, "DEFENDER_UE_X", g.DEFENDER_UE_X);
  printMap(out, "DEFENDER_UE_Y", g.DEFENDER_UE_Y);
  out << "KINGS " << g.OU_SITA_X << ' ' << g.OU_SITA_Y << ' ' << g.OU_UE_X << ' ' << g.OU_UE_Y
      << '\n';
  return ok(out);
}

bool Engine::mated(const std::string& args, std::ostream& out) {
  if (args != "sita" && args != "ue") return fail(out, "mated sita or mated ue");
  Game& g = *game_;
  勢力調査(g);
  const int result = args == "sita" ? 詰めかMAN(g) : 詰めかCOM(g);
  out << "mated " << (result == ON ? 1 : 0) << '\n';
  return ok(out);
}

bool Engine::winner(const std::string& args, std::ostream& out) {
  if (!args.empty()) return fail(out, "winner takes nothing");
  const Winner w = winnerOf(*game_);
  out << "winner " << (w == Winner::Sita ? "sita" : w == Winner::Ue ? "ue" : "none") << '\n';
  return ok(out);
}

bool Engine::perft(const std::string& args, std::ostream& out) {
  const size_t space = args.find(' ');
  if (space == std::string::npos) return fail(out, "perft D sita|ue");
  const std::string side = args.substr(space + 1);
  int depth = 0;
  const auto [end, ec] = std::from_chars(args.data(), args.data() + space, depth);
  if (ec != std::errc() || end != args.data() + space || depth < 0 || depth > MAX_PERFT ||
      (side != "sita" && side != "ue"))
    return fail(out, "perft D sita|ue (D 0.." + std::to_string(MAX_PERFT) + ")");
  Position p = *game_;
  findKings(p);
  const auto n = stoppablePerft(p, side == "ue", thinking_.drops, depth, stop_);
  if (!n) return fail(out, "perft stopped");
  out << "perft " << depth << ' ' << *n << '\n';
  return ok(out);
}

bool Engine::scores(const std::string& args, std::ostream& out) {
  if (!args.empty()) return fail(out, "scores takes nothing");
  if (thinking_.level > 3) return fail(out, "scores lists levels 1..3");
  Game& g = *game_;
  ComMove best;
  bool found = false;
  if (winnerOf(g) == Winner::None) {
    prepareComTurn(g);
    found = searchComMove(g, thinking_.drops, best, {printCandidate, nullptr, &out});
  }
  if (found)
    printMove(out, "best", best);
  else
    out << "best none\n";
  return ok(out);
}

bool Engine::best(const std::string& args, std::ostream& out) {
  if (!args.empty() && args != "ue" && args != "sita")
    return fail(out, "best, best ue or best sita");
  const InfoFn info = [&out](const SearchInfo& s) {
    out << "info depth " << s.depth << " nodes " << s.nodes << " score " << s.score << " pv";
    for (const Move& m : s.pv)
      out << ' ' << m.fx << ' ' << m.fy << ' ' << m.tx << ' ' << m.ty << ' ' << m.code;
    out << '\n' << std::flush; // live, when a loop runs the search aside
  };
  const Choice c = bestMoveFor(*game_, args != "sita", thinking_, history_, info, &table_, stop_);
  if (!c.found)
    out << "best none\n";
  else if (thinking_.level <= 3)
    printMove(out, "best", {c.move.fx, c.move.fy, c.move.tx, c.move.ty, c.move.code, c.score});
  else
    out << "best " << c.move.fx << ' ' << c.move.fy << ' ' << c.move.tx << ' ' << c.move.ty << ' '
        << c.move.code << ' ' << static_cast<long>(c.score) << '\n';
  return ok(out);
}

} // namespace korvanu
