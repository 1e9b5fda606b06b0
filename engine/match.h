// Two levels played against each other: seeded random openings, each played
// twice with the colours swapped, on every core at once.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "best_move.h"
#include "match_stats.h"

namespace korvanu {

// A game is drawn once this many plies (the opening's included) are played.
constexpr int MATCH_MAX_PLIES = 256;

struct MatchOptions {
  Thinking a, b;   // their `drops` is ignored: each opening sets it
  int games = 200; // rounded up to an even number: openings come in pairs
  int plies = 4;   // random plies of each opening
  std::uint64_t seed = 1;
  int threads = 0; // 0: one per hardware thread
  struct Sprt {
    double elo0, elo1;
  };
  std::optional<Sprt> sprt; // stop once the test decides
};

enum class GameEnd { KingLost, NoMove, PlyLimit, IllegalMove };

struct GameRecord {
  int index = 0;
  bool aUpper = false; // A played the upper side
  bool drops = false;
  int result = 0; // from A's side: 1 won, 0 drawn, -1 lost
  GameEnd end = GameEnd::PlyLimit;
  int plies = 0;
  std::vector<double> secondsA, secondsB; // thinking time of each move
};

// Game `index` of the match: opening index / 2, A on the lower side in even
// games and on the upper side in odd ones, drops on in odd openings. The
// same options and index always give the same game when the levels' limits
// are nodes, not time.
GameRecord playMatchGame(const MatchOptions& o, int index);

struct MatchResult {
  std::vector<GameRecord> games; // in game order
  Tally tally;
  double llr = 0;
  bool sprtStopped = false;
};

// Plays the games on `threads` workers, one game each at a time; tells
// `progress` the tally (from one thread at a time) after every game.
MatchResult runMatch(const MatchOptions& o, const std::function<void(const Tally&)>& progress = {});

} // namespace korvanu
