// Long random games through the same move path the engine uses, checking the
// bookkeeping after every move.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "play/setup.h"
#include "position.h"
#include "rules/legality.h"
#include "rules/move_list.h"
#include "rules/moves.h"
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

TEST(RandomGames, BookkeepingHoldsAfterEveryMoveAndTheRecordRestoresEachPosition) {
  int explosions = 0, drops = 0, longest = 0;
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 rng(seed);
    testing::EmptyGame p;
    初期設定(p.g);
    bool upper = seed % 2;
    std::vector<RecordEntry> seen{p.g.REC[0]};
    int moveNo = 0;
    while (moveNo < 700 && 調査_駒存在(p.g, CODE_SITA_OU) == ON &&
           調査_駒存在(p.g, CODE_UE_OU) == ON) {
      const auto moves = playableMoves(p.g, upper);
      if (moves.empty()) break;
      // Mostly quiet moves, so that games grow long between the explosions.
      std::vector<Move> quiet;
      for (const Move& m : moves)
        if (p.g.BOARD[m.tx][m.ty] == EMPTY) quiet.push_back(m);
      const auto& pool = !quiet.empty() && rng() % 24 != 0 ? quiet : moves;
      const Move m = pool[rng() % pool.size()];
      drops += isDropColumn(m.fx);
      explosions += playMove(p.g, m.fx, m.fy, m.tx, m.ty, m.code) > 0;
      ++moveNo;
      ASSERT_NO_FATAL_FAILURE(expectSound(p.g, moveNo)) << "seed " << seed;
      p.g.MOVE_NO = moveNo;
      手順保存(p.g, moveNo, moveNo + 0.5, 0, 0);
      seen.push_back(p.g.REC[moveNo]);
      upper = !upper;
    }
    longest = std::max(longest, moveNo);
    // Every stored slot still holds exactly the position it was given.
    for (int n = 0; n <= moveNo; ++n)
      ASSERT_EQ(std::memcmp(&p.g.REC[n], &seen[n], sizeof(RecordEntry)), 0) << "slot " << n;
  }
  // The games really exercised what they were meant to.
  EXPECT_GT(explosions, 100);
  EXPECT_GT(drops, 100);
  EXPECT_GT(longest, 500) << "some game ran past the record's first 501 slots";
  std::printf("explosions %d, drops %d, longest game %d moves\n", explosions, drops, longest);
}

} // namespace
} // namespace korvanu
