#include <gtest/gtest.h>

#include "position.h"
#include "rules/legality.h"
#include "rules/moves.h"
#include "rules/record.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;

int handSum(const int (&hand)[8]) {
  int s = 0;
  for (int k = 1; k <= 7; ++k) s += hand[k];
  return s;
}

TEST(Explosion, BlowsUpTheBlockButUnpromotedPawns) {
  EmptyGame p({on(4, 6, CODE_SITA_GIN), on(5, 5, CODE_UE_GIN), on(4, 4, CODE_UE_KIN),
               on(6, 6, CODE_UE_HU), on(5, 6, CODE_SITA_KEI), on(5, 1, CODE_UE_OU),
               on(5, 9, CODE_SITA_OU)});
  ASSERT_TRUE(isPlayableMove(p.g, 4, 6, 5, 5, CODE_SITA_GIN));
  EXPECT_EQ(playMove(p.g, 4, 6, 5, 5, CODE_SITA_GIN), 3);
  EXPECT_EQ(p.g.HAND_SITA[GIN], 1) << "the captured silver";
  EXPECT_EQ(p.g.HAND_SITA[KIN], 1) << "the blown-up gold";
  EXPECT_EQ(p.g.HAND_UE[KEI], 1);
  EXPECT_EQ(p.g.HAND_UE[GIN], 1) << "the capturing silver itself";
  EXPECT_EQ(p.g.HAND_SITA_TOTAL, 2);
  EXPECT_EQ(p.g.HAND_UE_TOTAL, 2);
  EXPECT_EQ(p.g.BOARD[6][6], CODE_UE_HU);
  for (auto [x, y] : {std::pair{4, 4}, {5, 5}, {5, 6}, {4, 6}}) EXPECT_EQ(p.g.BOARD[x][y], EMPTY);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(p.g.EXPLODE_MAP[x][y], OFF) << "no mark is left";
}

TEST(Explosion, PawnsAndEdgesAndKings) {
  // An unpromoted pawn that captures survives; one with only pawns around marks nothing.
  EmptyGame pawn({on(5, 6, CODE_SITA_HU), on(5, 5, CODE_UE_HU), on(4, 4, CODE_UE_HU)});
  EXPECT_EQ(playMove(pawn.g, 5, 6, 5, 5, CODE_SITA_HU), 0);
  EXPECT_EQ(pawn.g.BOARD[5][5], CODE_SITA_HU);
  EXPECT_EQ(pawn.g.HAND_SITA[HU], 1);

  // A promoted pawn is blown up with the rest.
  EmptyGame tokin({on(5, 6, CODE_SITA_HU_NARI), on(5, 5, CODE_UE_HU)});
  EXPECT_EQ(playMove(tokin.g, 5, 6, 5, 5, CODE_SITA_HU_NARI), 1);
  EXPECT_EQ(tokin.g.HAND_UE[HU], 1) << "it goes back as a pawn";

  // In a corner only the four squares on the board are looked at.
  EmptyGame corner({on(1, 1, CODE_UE_KYOU), on(2, 1, CODE_UE_KEI), on(1, 2, CODE_UE_GIN),
                    on(2, 2, CODE_UE_KAKU), on(1, 3, CODE_SITA_KYOU)});
  EXPECT_EQ(設定_爆発桝(corner.g, 1, 1), ON);
  int marked = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) marked += corner.g.EXPLODE_MAP[x][y];
  EXPECT_EQ(marked, 4);

  // A king next to the capture is blown up: no hand gets it, the effects say
  // it is lost and naming the winner is left to the play layer.
  EmptyGame king({on(5, 7, CODE_SITA_KIN), on(5, 6, CODE_UE_HU), on(6, 5, CODE_UE_OU)});
  const ExplosionEffects blast =
      explodeAfterCapture(king.g, 駒移動(king.g, 5, 7, 5, 6, CODE_SITA_KIN));
  EXPECT_EQ(blast.count, 2);
  EXPECT_TRUE(blast.upperKingLost);
  EXPECT_FALSE(blast.lowerKingLost);
  EXPECT_EQ(king.g.WINNER, NO_GAME);
  EXPECT_EQ(調査_駒存在(king.g, CODE_UE_OU), OFF);
  EXPECT_EQ(king.g.HAND_SITA_TOTAL, handSum(king.g.HAND_SITA));
  EXPECT_EQ(king.g.HAND_UE_TOTAL, handSum(king.g.HAND_UE));
}

TEST(Moves, CapturedPiecesGoUnpromotedToTheCapturersHand) {
  EmptyGame p({on(8, 8, CODE_SITA_SYA), on(8, 2, CODE_UE_SYA_NARI), on(5, 5, CODE_UE_OU)});
  playMove(p.g, 8, 8, 8, 2, CODE_SITA_SYA_NARI);
  EXPECT_EQ(p.g.HAND_SITA[SYA], 1);
  // Taking the king outright adds nothing to the hand or its total.
  EmptyGame k({on(5, 6, CODE_UE_KIN), on(5, 7, CODE_SITA_OU)});
  EXPECT_EQ(駒移動(k.g, 5, 6, 5, 7, CODE_UE_KIN).captured, CODE_SITA_OU);
  EXPECT_EQ(k.g.WINNER, NO_GAME);
  EXPECT_EQ(k.g.HAND_UE_TOTAL, 0);
}

TEST(Moves, DropsLeaveTheHandAndTheKingSquareIsKept) {
  EmptyGame p({on(5, 9, CODE_SITA_OU)});
  p.hand(KIN, 2);
  p.handUe(HU, 1);
  ASSERT_TRUE(isPlayableMove(p.g, 11, KIN + 2, 5, 5, CODE_SITA_KIN));
  playMove(p.g, 11, KIN + 2, 5, 5, CODE_SITA_KIN);
  EXPECT_EQ(p.g.HAND_SITA[KIN], 1);
  EXPECT_EQ(p.g.HAND_SITA_TOTAL, 1);
  ASSERT_TRUE(isPlayableMove(p.g, -1, HU, 3, 3, CODE_UE_HU));
  playMove(p.g, -1, HU, 3, 3, CODE_UE_HU);
  EXPECT_EQ(p.g.HAND_UE_TOTAL, 0);
  EXPECT_EQ(p.g.BOARD[3][3], CODE_UE_HU);
  EXPECT_FALSE(isPlayableMove(p.g, -1, HU, 4, 4, CODE_UE_HU)) << "the hand is empty now";
  EXPECT_FALSE(isPlayableMove(p.g, 11, KIN + 2, 4, 4, CODE_SITA_KIN - 1))
      << "hand pieces are dropped unpromoted";

  playMove(p.g, 5, 9, 4, 8, CODE_SITA_OU);
  EXPECT_EQ(p.g.OU_SITA_X, 4);
  EXPECT_EQ(p.g.OU_SITA_Y, 8);
}

TEST(Promotion, ZonesAndWhatMayPromote) {
  EmptyGame p;
  EXPECT_EQ(調査_駒成(5, 4, 5, 3, CODE_SITA_HU), CODE_SITA_HU_NARI);
  EXPECT_EQ(調査_駒成(5, 5, 5, 4, CODE_SITA_HU), OFF);
  EXPECT_EQ(調査_駒成(8, 2, 8, 6, CODE_SITA_SYA), CODE_SITA_SYA_NARI)
      << "leaving the zone counts for a rook";
  EXPECT_EQ(調査_駒成(5, 2, 5, 5, CODE_SITA_KYOU), OFF) << "but not for a lance";
  EXPECT_EQ(調査_駒成(2, 2, 5, 7, CODE_UE_KAKU), CODE_UE_KAKU_NARI);
  EXPECT_EQ(調査_駒成(4, 8, 4, 4, CODE_UE_GIN), CODE_UE_GIN_NARI);
  EXPECT_EQ(調査_駒成(11, 3, 5, 2, CODE_SITA_HU), OFF) << "a drop never promotes";
  EXPECT_EQ(調査_駒成(-1, 1, 5, 8, CODE_UE_HU), OFF);
  for (int code : {CODE_SITA_KIN, CODE_SITA_OU, CODE_SITA_GIN_NARI, CODE_UE_KIN})
    EXPECT_EQ(調査_駒成(5, 4, 5, 3, code), OFF) << code;

  // A whole move: promote only where allowed, and must where the piece would be stuck.
  EmptyGame q({on(5, 2, CODE_SITA_HU), on(3, 3, CODE_SITA_KEI), on(7, 7, CODE_SITA_GIN)});
  EXPECT_FALSE(isPlayableMove(q.g, 5, 2, 5, 1, CODE_SITA_HU));
  EXPECT_TRUE(isPlayableMove(q.g, 5, 2, 5, 1, CODE_SITA_HU_NARI));
  EXPECT_FALSE(isPlayableMove(q.g, 3, 3, 2, 1, CODE_SITA_KEI));
  EXPECT_TRUE(isPlayableMove(q.g, 3, 3, 2, 1, CODE_SITA_KEI_NARI));
  EXPECT_FALSE(isPlayableMove(q.g, 7, 7, 7, 6, CODE_SITA_GIN_NARI));
  EXPECT_TRUE(isPlayableMove(q.g, 7, 7, 7, 6, CODE_SITA_GIN));
  EXPECT_FALSE(isPlayableMove(q.g, 7, 7, 7, 6, CODE_SITA_KIN)) << "a silver does not turn gold";
  EXPECT_FALSE(isPlayableMove(q.g, 6, 6, 6, 5, CODE_SITA_GIN)) << "nothing stands there";
}

TEST(Record, SlotsStoreEveryPositionAndGrowPastTheirNumber) {
  Game g;
  testing::startingGame(g);
  g.BOARD[1][1] = EMPTY;
  g.HAND_SITA[KYOU] = 1;
  g.MOVE_NO = 600;
  手順保存(g, 1.5, 2.5, 3.5, 4.5);
  ASSERT_GE(g.REC.size(), 601u);
  EXPECT_EQ(g.REC[600].BOARD[1][1], EMPTY);
  EXPECT_EQ(g.REC[600].HAND_SITA[KYOU], 1);
  EXPECT_EQ(g.REC[600].TIME_D, 4.5);
  EXPECT_EQ(g.REC[0].BOARD[1][1], CODE_UE_KYOU) << "earlier slots are kept";
}

} // namespace
} // namespace korvanu
