// Long random games through the same move path the engine uses, checking the
// bookkeeping after every move.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "position.h"
#include "random_games.h"
#include "rules/legality.h"
#include "rules/record.h"
#include "view/pictures.h"

namespace korvanu {
namespace {

void expectSound(const Game& g, int moveNo) {
  int sita = 0, ue = 0, kings[2] = {};
  for (int k = 1; k <= 7; ++k) {
    sita += g.HAND_SITA[k];
    ue += g.HAND_UE[k];
    ASSERT_GE(g.HAND_SITA[k], 0);
    ASSERT_GE(g.HAND_UE[k], 0);
  }
  ASSERT_EQ(g.HAND_SITA_TOTAL, sita) << "after move " << moveNo;
  ASSERT_EQ(g.HAND_UE_TOTAL, ue) << "after move " << moveNo;
  int pieces[9] = {};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = g.BOARD[x][y];
      ASSERT_TRUE(c == EMPTY || (kindOf(c) >= 1 && hasPicture(c))) << c;
      ASSERT_EQ(g.EXPLODE_MAP[x][y], OFF);
      if (c == CODE_SITA_OU) ++kings[0];
      if (c == CODE_UE_OU) ++kings[1];
      if (c != EMPTY) ++pieces[kindOf(c)];
    }
  ASSERT_LE(kings[0], 1);
  ASSERT_LE(kings[1], 1);
  // Nothing is lost or made: every piece but a blown-up king is somewhere.
  const int total[8] = {0, 18, 4, 4, 4, 4, 2, 2};
  for (int k = 1; k <= 7; ++k)
    ASSERT_EQ(pieces[k] + g.HAND_SITA[k] + g.HAND_UE[k], total[k]) << "kind " << k;
}

// The bookkeeping after every move, and every record slot holding to the end
// exactly the position it was given.
class Bookkeeping : public testing::GameVisitor {
public:
  int explosions = 0, drops = 0, longest = 0;

  void startGame(Game& g, unsigned, bool) override { seen_ = {g.REC[0]}; }
  void afterPly(Game& g, const testing::Ply& p) override {
    drops += p.effects.drop;
    explosions += p.blast.count > 0;
    const int moveNo = p.n + 1;
    ASSERT_NO_FATAL_FAILURE(expectSound(g, moveNo));
    g.MOVE_NO = moveNo;
    手順保存(g, moveNo, moveNo + 0.5, 0, 0);
    seen_.push_back(g.REC[static_cast<size_t>(moveNo)]);
  }
  void endGame(Game& g, int plies) override {
    longest = std::max(longest, plies);
    for (size_t n = 0; n < seen_.size(); ++n) ASSERT_EQ(g.REC[n], seen_[n]) << "slot " << n;
  }

private:
  std::vector<RecordEntry> seen_;
};

TEST(RandomGames, BookkeepingHoldsAfterEveryMoveAndTheRecordRestoresEachPosition) {
  Bookkeeping check;
  testing::RandomGames games;
  games.games = 40;
  games.plies = 700;
  games.quiet = 60; // quiet enough that some game runs past the record's first 501 slots
  testing::playRandomGames(games, check);
  // The games really exercised what they were meant to.
  EXPECT_GT(check.explosions, 100);
  EXPECT_GT(check.drops, 100);
  EXPECT_GT(check.longest, 500) << "some game ran past the record's first 501 slots";
  std::printf("explosions %d, drops %d, longest game %d moves\n", check.explosions, check.drops,
              check.longest);
}

} // namespace
} // namespace korvanu
