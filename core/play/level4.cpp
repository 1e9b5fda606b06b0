#include "play/level4.h"

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "platform/table.h"
#include "play/events.h"
#include "rules/make_move.h"
#include "rules/record.h"
#include "search/search.h"

namespace korvanu {

namespace {

// The first moves of a game, counted over both sides, and how far below
// the best (in hundredths of a pawn) a move chosen among them may be.
constexpr int VARIED_MOVES = 16;
constexpr int VARIETY = 25;

// The positions the game has been through before the one on the board.
std::vector<Key> earlierKeys(const Table& g) {
  std::vector<Key> keys;
  const int count = std::min(g.MOVE_NO, static_cast<int>(g.REC.size()));
  for (int i = 0; i < count; ++i) {
    Position p;
    restorePosition(p, g.REC[static_cast<size_t>(i)]);
    keys.push_back(keyOf(p));
  }
  return keys;
}

// The board still shows what the think was asked for.
bool stillAsked(const Table& g) {
  const Game::Think& t = g.THINK;
  return !g.QUITTING && t.turn == g.TURN && t.mode == g.GAME_MODE && t.key == keyOf(g);
}

// One table for the program's life, taken by the first search and cleared for
// each: every think runs on the one worker thread, one at a time.
SearchTable& keptTable() {
  static SearchTable table;
  return table;
}

} // namespace

void startThink(Table& g, bool upper, ThinkDone done) {
  Game::Think& t = g.THINK;
  t = {true, t.ticket + 1, keyOf(g), g.TURN, g.GAME_MODE};
  const unsigned ticket = t.ticket;
  // The search works on copies; its answer is shared with the event that
  // brings it back.
  auto position = std::make_shared<const Position>(g);
  auto history = std::make_shared<const std::vector<Key>>(earlierKeys(g));
  auto result = std::make_shared<SearchResult>();
  const bool drops = isChecked(g, Menu::MOCHIKOMA);
  // In the opening a move within a few points of the best may be played
  // instead, so that the same moves do not always meet the same answers.
  const SearchLimits limits{LEVEL4_THINK_MS, 0, g.MOVE_NO < VARIED_MOVES ? VARIETY : 0,
                            std::random_device{}()};
  g.ui.startAside(
      [position, history, result, upper, drops, limits](const std::atomic<bool>& stop) {
        *result = searchBestMove(keptTable(), *position, upper, drops, limits, *history, {}, &stop);
      },
      [&g, ticket, result, done] {
        handleEvent(g, [&g, ticket, result, done] {
          // A think stopped or replaced by a newer one has nothing to say.
          if (!g.THINK.pending || g.THINK.ticket != ticket) return;
          g.THINK.pending = false;
          if (stillAsked(g)) done(g, result->found, result->best);
        });
      });
}

bool thinking(const Table& g) { return g.THINK.pending; }

void stopThink(Table& g) {
  if (!g.THINK.pending) return;
  g.THINK.pending = false;
  g.ui.stopAside();
}

} // namespace korvanu
