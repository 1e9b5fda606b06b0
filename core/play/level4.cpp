#include "play/level4.h"

#include <algorithm>
#include <vector>

#include "rules/record.h"
#include "search/search.h"
#include "state/game.h"

namespace korvanu {

namespace {

// The positions the game has been through before the one on the board.
std::vector<Key> earlierKeys(const Game& g) {
  std::vector<Key> keys;
  const int count = std::min(g.MOVE_NO, static_cast<int>(g.REC.size()));
  for (int i = 0; i < count; ++i) {
    Position p;
    restorePosition(p, g.REC[static_cast<size_t>(i)]);
    keys.push_back(keyOf(p));
  }
  return keys;
}

} // namespace

bool thinkLevel4(Game& g, bool upper, Move& best) {
  // The search works on copies: the window goes on with the game meanwhile.
  const Position position = g;
  const bool drops = isChecked(g, Menu::MOCHIKOMA);
  const std::vector<Key> history = earlierKeys(g);
  SearchResult result;
  g.ui.runAside([&](const std::atomic<bool>& stop) {
    result = searchBestMove(position, upper, drops, {LEVEL4_THINK_MS, 0}, history, {}, &stop);
  });
  if (g.QUITTING || !result.found) return false;
  best = result.best;
  return true;
}

} // namespace korvanu
