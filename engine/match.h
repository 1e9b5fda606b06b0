// Two levels played against each other: seeded random openings, each played
// twice with the colours swapped, on every core at once.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "best_move.h"
#include "match_stats.h"
#include "state/position.h"

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
  // When set, another korvanu-engine program (an older build, say) plays B
  // at level 4 on B's budget, told the game through `position` and `move`.
  std::string engineB;
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
  std::vector<Move> moves;                // the levels' moves, the opening's left out
  Position start;                         // after the opening, the first of `moves` to play
  Position beforeLast, atEnd;             // before the last move and at the end
};

// Hears of each move a level chooses: the ply it is (the opening's counted),
// the side, whether A chose it, the choice and its thinking time.
using MoveFn = std::function<void(int ply, bool upper, bool isA, const Choice& c, double seconds)>;

// Game `index` of the match: opening index / 2, A on the lower side in even
// games and on the upper side in odd ones, drops on in odd openings. The
// same options and index always give the same game when the levels' limits
// are nodes, not time.
GameRecord playMatchGame(const MatchOptions& o, int index, const MoveFn& onMove = {});

struct MatchResult {
  std::vector<GameRecord> games; // in game order
  Tally tally;
  double llr = 0;
  bool sprtStopped = false;
};

// Plays the games on `threads` workers, one game each at a time; tells
// `progress` the tally (from one thread at a time) after every game.
MatchResult runMatch(const MatchOptions& o, const std::function<void(const Tally&)>& progress = {});

// Level 4's options from a list such as "crowd=80,attack=4,null=0": the
// evaluation's weights hand, crowd, crowdPawn, crowdEnemy, advance, attack
// and the switches null, lmr, extend, prune (0 or 1). False, `o` half set, for an
// unknown name or a value that is not a whole number.
bool parseSearchOptions(std::string_view list, search::SearchOptions& o);
// The names of the evaluation's weights parseSearchOptions knows, and the
// weight of one name in `w` (null for an unknown name).
std::vector<std::string_view> evalWeightNames();
int* evalWeight(search::EvalWeights& w, std::string_view name);

} // namespace korvanu
