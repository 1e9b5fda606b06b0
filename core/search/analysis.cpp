#include "search/analysis.h"

#include <algorithm>
#include <cstdlib>

#include "rules/record.h"

namespace korvanu {

namespace {

// The position after the search's own move there is the one the record
// reached next.
bool playedTheBest(const RecordEntry& before, const PositionVerdict& v, const RecordEntry& after) {
  if (!v.hasBest) return false;
  Position p;
  restorePosition(p, before);
  Key key = 0;
  makeMove(p, v.best, key);
  const RecordEntry reached = positionOf(p);
  return std::ranges::equal(
             reached.BOARD, after.BOARD,
             [](const auto& a, const auto& b) { return std::ranges::equal(a, b); }) &&
         std::ranges::equal(reached.HAND_SITA, after.HAND_SITA) &&
         std::ranges::equal(reached.HAND_UE, after.HAND_UE);
}

// A finished game: the side whose king stands has won; a side with no move
// at all has lost, as in the game.
PositionVerdict over(bool lowerWon) {
  PositionVerdict v;
  v.score = lowerWon ? ANALYSIS_SCALE : -ANALYSIS_SCALE;
  return v;
}

} // namespace

int graphScore(int searchScore, bool upperToMove) {
  const int lower = upperToMove ? -searchScore : searchScore;
  if (std::abs(lower) >= SCORE_MATE_FOUND) return lower > 0 ? ANALYSIS_SCALE : -ANALYSIS_SCALE;
  return std::clamp(lower, -ANALYSIS_SCALE, ANALYSIS_SCALE);
}

int matePlies(int searchScore, bool upperToMove) {
  if (std::abs(searchScore) < SCORE_MATE_FOUND) return 0;
  const int plies = SCORE_MATE - std::abs(searchScore);
  const bool lowerWins = (searchScore > 0) != upperToMove;
  return lowerWins ? plies : -plies;
}

MoveMark markOf(int before, int after, bool upperMoved, bool playedBest) {
  const int loss = upperMoved ? after - before : before - after;
  if (playedBest || loss < DOUBTFUL_LOSS) return MoveMark::None;
  return loss < MISTAKE_LOSS ? MoveMark::Doubtful : MoveMark::Mistake;
}

std::optional<GameAnalysis> analyseGame(const std::vector<RecordEntry>& entries, bool upperFirst,
                                        bool drops, const SearchLimits& each, SearchTable& table,
                                        const AnalysisProgress& progress,
                                        const std::atomic<bool>* cancel) {
  GameAnalysis a;
  a.record = recordKeyOf(entries);
  a.millis = each.millis;
  a.nodes = each.nodes;
  std::vector<Key> history;
  const auto cancelled = [cancel] { return cancel && cancel->load(); };
  for (size_t n = 0; n < entries.size(); ++n) {
    Position p;
    restorePosition(p, entries[n]);
    const bool upper = upperFirst != (n % 2 == 1);
    PositionVerdict v;
    if (const Winner w = winnerOf(p); w != Winner::None) {
      v = over(w == Winner::Sita);
    } else {
      const SearchResult r = searchBestMove(table, p, upper, drops, each, history, {}, cancel);
      if (cancelled()) return std::nullopt;
      if (!r.found) {
        v = over(upper);
      } else {
        v.score = graphScore(r.last.score, upper);
        v.mate = matePlies(r.last.score, upper);
        v.depth = r.last.depth;
        v.hasBest = true;
        v.best = r.best;
      }
    }
    if (n > 0) {
      const bool upperMoved = !upper;
      v.mark = markOf(a.entries[n - 1].score, v.score, upperMoved,
                      playedTheBest(entries[n - 1], a.entries[n - 1], entries[n]));
    }
    a.entries.push_back(v);
    history.push_back(keyOf(p));
    if (progress) progress(static_cast<int>(n + 1), static_cast<int>(entries.size()));
  }
  return a;
}

} // namespace korvanu
