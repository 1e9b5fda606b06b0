// TEMPORARY STAND-IN, to be deleted: the search's interface (core/search,
// written on its own branch) answered by the first playable move, so that the
// game's side of level 4 builds and runs until the real search comes.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/headless.h"
#include "rules/move_list.h"
#include "state/game.h"

namespace korvanu {

using Key = std::uint64_t;

struct SearchLimits {
  int millis = 200;
  std::int64_t nodes = 0;
};
struct SearchInfo {
  int depth = 0;
  std::int64_t nodes = 0;
  int score = 0;
  std::vector<Move> pv;
  double seconds = 0;
};
using InfoFn = std::function<void(const SearchInfo&)>;
struct SearchResult {
  bool found = false;
  Move best{};
  SearchInfo last;
};

inline Key keyOf(const Position& p) {
  Key k = 1469598103934665603ull;
  auto mix = [&](int v) { k = (k ^ static_cast<Key>(v)) * 1099511628211ull; };
  for (const auto& column : p.BOARD)
    for (int v : column) mix(v);
  for (int v : p.HAND_SITA) mix(v);
  for (int v : p.HAND_UE) mix(v);
  return k;
}

inline SearchResult searchBestMove(const Position& p, bool upper, bool drops, const SearchLimits&,
                                   const std::vector<Key>& = {}, const InfoFn& = {},
                                   const std::atomic<bool>* = nullptr) {
  HeadlessPlatform none;
  Game scratch(none);
  static_cast<Position&>(scratch) = p;
  setChecked(scratch, Menu::MOCHIKOMA, drops);
  const std::vector<Move> moves = playableMoves(scratch, upper);
  SearchResult r;
  if (!moves.empty()) r.found = true, r.best = moves.front();
  return r;
}

} // namespace korvanu
