#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "match.h"

namespace korvanu {
namespace {

auto outcome(const GameRecord& g) {
  return std::tuple{g.index, g.aUpper, g.drops, g.result, g.end, g.plies};
}

// On node budgets the levels' choices and the seeded openings decide every
// game, whatever the number of workers; each opening is played twice,
// colours swapped, with drops off and on in turn. Level 4 is well ahead.
TEST(Match, AFixedNodeMatchIsRepeatableAndLevel4IsAheadOfLevel3) {
  MatchOptions o;
  o.a.level = 4;
  o.a.nodes = 2000;
  o.b.level = 3;
  o.games = 8;
  o.seed = 2;
  o.threads = 1;
  const MatchResult one = runMatch(o);
  o.threads = 2;
  const MatchResult two = runMatch(o);
  ASSERT_EQ(one.games.size(), 8u);
  ASSERT_EQ(two.games.size(), 8u);
  int points = 0;
  for (size_t i = 0; i < 8; ++i) {
    const GameRecord& g = one.games[i];
    EXPECT_EQ(outcome(g), outcome(two.games[i])) << i;
    EXPECT_EQ(g.aUpper, i % 2 == 1) << i;
    EXPECT_EQ(g.drops, i / 2 % 2 == 1) << i;
    EXPECT_GT(g.plies, o.plies) << i;
    EXPECT_LE(g.plies, MATCH_MAX_PLIES) << i;
    EXPECT_NE(g.end, GameEnd::IllegalMove) << i;
    EXPECT_FALSE(g.secondsA.empty() || g.secondsB.empty()) << i;
    points += g.result;
  }
  EXPECT_EQ(one.tally.wins - one.tally.losses, points);
  EXPECT_GE(one.tally.score(), 0.75)
      << one.tally.wins << '-' << one.tally.draws << '-' << one.tally.losses;
}

// Another engine program playing B, told each move through the protocol,
// plays the games this build's level 4 plays on the same node budget.
TEST(Match, AnEngineProgramPlaysBAsTheLevelItRuns) {
  MatchOptions o;
  o.a.level = o.b.level = 4;
  o.a.nodes = o.b.nodes = 1500;
  o.games = 4;
  o.seed = 4;
  const MatchResult inside = runMatch(o);
  o.engineB = KORVANU_ENGINE;
  const MatchResult outside = runMatch(o);
  ASSERT_EQ(outside.games.size(), inside.games.size());
  for (size_t i = 0; i < inside.games.size(); ++i) {
    EXPECT_EQ(outcome(outside.games[i]), outcome(inside.games[i])) << i;
    EXPECT_EQ(outside.games[i].moves, inside.games[i].moves) << i;
  }
}

TEST(Match, TheSeedChoosesTheOpenings) {
  MatchOptions o;
  o.a.level = 3;
  o.b.level = 1;
  o.games = 8;
  std::vector<int> lengths[2];
  for (int seed : {5, 6}) {
    o.seed = seed;
    for (const GameRecord& g : runMatch(o).games) lengths[seed - 5].push_back(g.plies);
  }
  EXPECT_NE(lengths[0], lengths[1]);
}

// A misspelt name or value must stop the match, not leave a default playing
// under the variant's name.
TEST(Match, LevelFourOptionsByName) {
  const struct {
    const char* list;
    bool good;
  } rows[] = {{"crowd=80,attack=2,null=0,prune=0", true},
              {"crowd=80,atack=2", false},
              {"crowd=8x", false},
              {"null=2", false},
              {"", false}};
  for (const auto& row : rows) {
    search::SearchOptions o;
    EXPECT_EQ(parseSearchOptions(row.list, o), row.good) << row.list;
    if (row.good) {
      EXPECT_TRUE(o.weights.crowdOwn == 80 && o.weights.attack == 2 && !o.nullMove &&
                  o.reductions && !o.prune);
    }
  }
}

TEST(Match, ScoreEloIntervalSprtAndPercentiles) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    Tally t;
    double score, elo, low, high;
  } rows[] = {
      {{3, 0, 1}, 0.75, 190.85, -126.5, inf},
      {{1, 2, 1}, 0.5, 0, -296.6, 296.6},
      {{5, 0, 0}, 1, inf, inf, inf},
      {{0, 0, 5}, 0, -inf, -inf, -inf},
  };
  for (const auto& row : rows) {
    const EloRange e = eloRange(row.t);
    EXPECT_DOUBLE_EQ(row.t.score(), row.score);
    for (auto [got, want] : {std::pair{e.elo, row.elo}, {e.low, row.low}, {e.high, row.high}}) {
      if (std::isinf(want))
        EXPECT_EQ(got, want) << row.t.wins << row.t.draws << row.t.losses;
      else
        EXPECT_NEAR(got, want, 0.1) << row.t.wins << row.t.draws << row.t.losses;
    }
  }
  EXPECT_GE(sprtLlr({300, 100, 100}, 0, 10), SPRT_UPPER);
  EXPECT_LE(sprtLlr({4000, 2000, 4000}, 0, 10), SPRT_LOWER);
  EXPECT_EQ(sprtLlr({10, 0, 0}, 0, 10), 0) << "no spread yet: undecided";

  const std::vector<double> ms = {5, 1, 3, 2, 4};
  EXPECT_EQ(percentile(ms, 0.5), 3);
  EXPECT_EQ(percentile(ms, 0.99), 5);
  EXPECT_EQ(percentile(ms, 0.2), 1);
  EXPECT_EQ(percentile({}, 0.5), 0);
}

} // namespace
} // namespace korvanu
