#include "best_move.h"

#include <memory>

#include "computer/com_turn.h"
#include "position_setup.h"
#include "rules/record.h"
#include "rules/turn_round.h"
#include "state/game.h"

namespace korvanu {

namespace {

// The specified computer on a fresh game holding `p`, set up as the game
// has it when the upper side is to move.
Choice upperSideMove(const Position& p, const Thinking& t) {
  auto g = std::make_unique<ComputerBoard>();
  setUpPosition(*g, positionOf(p), t.level);
  prepareComTurn(*g);
  ComMove best;
  if (!searchComMove(*g, t.drops, best)) return {};
  return {true, {best.fx, best.fy, best.tx, best.ty, best.place}, best.score, {}};
}

} // namespace

Choice bestMoveFor(const Position& p, bool upper, const Thinking& t,
                   const std::vector<Key>& history, const InfoFn& info, SearchTable* table,
                   const std::atomic<bool>* stop) {
  if (winnerOf(p) != Winner::None) return {};
  if (t.level == 4) {
    const SearchLimits limits{t.millis, t.nodes};
    const SearchResult r =
        table
            ? search::searchWith(t.options, *table, p, upper, t.drops, limits, history, info, stop)
            : search::searchWith(t.options, p, upper, t.drops, limits, history, info, stop);
    return {r.found, r.best, static_cast<double>(r.last.score), r.last};
  }
  if (upper) return upperSideMove(p, t);
  Position turned = p;
  turnRound(turned);
  Choice c = upperSideMove(turned, t);
  if (c.found) c.move = turnedRound(c.move);
  return c;
}

} // namespace korvanu
