#include "positions.h"

#include <istream>
#include <ostream>
#include <sstream>

#include "match.h"
#include "record/entry_line.h"
#include "rules/king_danger.h"
#include "rules/record.h"
#include "search/evaluation.h"

namespace korvanu::tune {

namespace {

// A position the evaluation may be judged on: no king to be blown up at
// once, and no capture that wins material to be made first.
bool quiet(const Position& p, bool upper, bool drops) {
  if (blastsKing(p, upper) || blastsKing(p, !upper)) return false;
  MoveList captures;
  generateCaptures(p, upper, captures);
  for (const Move& m : captures)
    if (search::materialGain(p, m, drops) > 0) return false;
  return true;
}

// The opening's random moves and the first few of the levels' are left out,
// and the last few of a game: there the king's fall is already on the
// board, which the search sees and the evaluation need not.
constexpr int SKIPPED = 8;
constexpr int SKIPPED_AT_END = 12;

} // namespace

void writeSamples(const Recipe& recipe, std::ostream& out) {
  MatchOptions o;
  o.a.level = o.b.level = 4;
  o.a.nodes = o.b.nodes = recipe.nodes;
  o.games = recipe.games;
  o.seed = recipe.seed;
  o.plies = recipe.plies;
  o.threads = recipe.threads;
  const MatchResult r = runMatch(o);
  for (const GameRecord& g : r.games) {
    const int upperResult = g.aUpper ? g.result : -g.result;
    Position p = g.start;
    bool upper = o.plies % 2 == 1; // the lower side plays the opening's first move
    Key key = keyOf(p);
    const int last = static_cast<int>(g.moves.size()) - SKIPPED_AT_END;
    for (int ply = 0; ply < static_cast<int>(g.moves.size()); ++ply) {
      const Move& m = g.moves[static_cast<size_t>(ply)];
      if (ply >= SKIPPED && ply < last && quiet(p, upper, g.drops))
        out << upperResult + 1 << ' ' << g.drops << ' ' << upper << ' '
            << formatEntryLine(positionOf(p)) << '\n';
      makeMove(p, m, key);
      upper = !upper;
    }
  }
}

bool readSamples(std::istream& in, std::vector<Sample>& out, std::string& why) {
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    Sample s;
    int result = -1, drops = -1, upper = -1;
    std::istringstream fields(line.substr(0, 6));
    fields >> result >> drops >> upper;
    const auto entry = line.size() > 6 ? parseEntryLine(line.substr(6)) : std::nullopt;
    if (result < 0 || result > 2 || drops < 0 || drops > 1 || upper < 0 || upper > 1 || !entry) {
      why = "line " + std::to_string(n) + " is no sample";
      return false;
    }
    restorePosition(s.position, *entry);
    findKings(s.position);
    s.upper = upper == 1;
    s.drops = drops == 1;
    s.result = result / 2.0;
    out.push_back(s);
  }
  return true;
}

} // namespace korvanu::tune
