#include <gtest/gtest.h>

#include <utility>

#include "computer/examine.h"
#include "computer/survey.h"
#include "position.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;
using testing::Placed;
using testing::worth;

Game& surveyed(EmptyGame& p) {
  勢力調査(p.g);
  return p.g;
}

TEST(Examine, SafeSquaresAndHandKinds) {
  // The upper king in the corner; lower rooks sweep column 2 and row 2.
  EmptyGame p({on(1, 1, CODE_UE_OU), on(2, 9, CODE_SITA_SYA), on(9, 2, CODE_SITA_SYA)});
  EXPECT_EQ(調査_移動可場所数(surveyed(p), 1, 1, CODE_UE_OU), 0);
  p.g.BOARD[9][2] = EMPTY;
  EXPECT_EQ(調査_移動可場所数(surveyed(p), 1, 1, CODE_UE_OU), 1);
  // A lower piece avoids the upper reach: the gold covers the king's three front squares.
  EmptyGame q({on(5, 9, CODE_SITA_OU), on(5, 7, CODE_UE_KIN)});
  EXPECT_EQ(調査_移動可場所数(surveyed(q), 5, 9, CODE_SITA_OU), 2);

  q.hand(HU, 3);
  q.hand(KIN, 1);
  q.handUe(KYOU, 1);
  EXPECT_EQ(調査_持駒数(q.g, q.g.SIDE_MAN), 2);
  EXPECT_EQ(調査_持駒数(q.g, q.g.SIDE_COM), 1);
  EXPECT_EQ(調査_持駒数(q.g, NO_GAME), 0);
  std::swap(q.g.SIDE_MAN, q.g.SIDE_COM); // the human moves first: the hands stay
  EXPECT_EQ(調査_持駒数(q.g, TURN_SENTE), 2);
}

TEST(Examine, SurroundingsCountBigUpperPiecesOnTheBoard) {
  EmptyGame p;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) p.g.BOARD[x][y] = CODE_UE_SYA;
  EXPECT_EQ(調査_周辺状況(p.g, 1, 1), -3);
  EXPECT_EQ(調査_周辺状況(p.g, 9, 5), -5);
  EXPECT_EQ(調査_周辺状況(p.g, 5, 5), -8);
  p.g.BOARD[4][4] = CODE_UE_KIN;
  p.g.BOARD[6][6] = CODE_SITA_SYA;
  p.g.BOARD[5][6] = CODE_UE_KAKU;
  EXPECT_EQ(調査_周辺状況(p.g, 5, 5), -6);
}

TEST(Examine, LowerLanceOrRookBelowNeedsAnOpenLine) {
  // The gold on (3, 4) is lifted for the test; the rook above is never looked at.
  EmptyGame p({on(3, 4, CODE_SITA_KIN), on(3, 2, CODE_SITA_SYA)});
  EXPECT_EQ(調査_自守駒MAN_直進駒(p.g, 3, 4), OFF);
  for (int below : {CODE_SITA_KYOU, CODE_SITA_SYA, CODE_SITA_SYA_NARI}) {
    p.g.BOARD[3][8] = below;
    p.g.BOARD[3][6] = EMPTY;
    EXPECT_EQ(調査_自守駒MAN_直進駒(p.g, 3, 4), ON) << below;
    EXPECT_EQ(p.g.BOARD[3][4], CODE_SITA_KIN);
    p.g.BOARD[3][6] = CODE_SITA_HU; // walked past, yet it blocks the line
    EXPECT_EQ(調査_自守駒MAN_直進駒(p.g, 3, 4), OFF) << below;
  }
  p.g.BOARD[3][6] = p.g.BOARD[3][8] = EMPTY;
  p.g.BOARD[3][5] = CODE_SITA_KYOU_NARI;
  EXPECT_EQ(調査_自守駒MAN_直進駒(p.g, 3, 4), OFF) << "a promoted lance is a gold";
}

TEST(Examine, PinsAndBishopTargets) {
  EmptyGame p({on(5, 9, CODE_SITA_OU), on(5, 7, CODE_SITA_KIN), on(5, 2, CODE_UE_SYA),
               on(3, 7, CODE_SITA_HU), on(1, 1, CODE_UE_OU), on(1, 5, CODE_UE_GIN),
               on(1, 8, CODE_SITA_KYOU)});
  p.g.PINNED_SITA[9][9] = 1; // left from an earlier turn
  調査_移動不可駒(surveyed(p));
  EXPECT_EQ(p.g.PINNED_SITA[5][7], 1);
  EXPECT_EQ(p.g.PINNED_SITA[3][7] + p.g.PINNED_SITA[5][9] + p.g.PINNED_SITA[9][9], 0);
  EXPECT_EQ(p.g.PINNED_UE_ANY, ON) << "the silver shields its king from the lance";
  EXPECT_EQ(p.g.BOARD[5][7], CODE_SITA_KIN);
  p.g.BOARD[1][8] = CODE_SITA_KIN;
  調査_移動不可駒(surveyed(p));
  EXPECT_EQ(p.g.PINNED_UE_ANY, OFF);
  EmptyGame alone({on(1, 1, CODE_UE_OU), on(1, 8, CODE_SITA_SYA)});
  調査_移動不可駒(surveyed(alone));
  EXPECT_EQ(alone.g.PINNED_UE_ANY, ON) << "lifting the king opens its own square";

  // The pawn closes the left diagonal; the gold guards (6, 2) a second time and
  // (7, 3), away from the king, once.
  EmptyGame b({on(5, 1, CODE_UE_OU), on(3, 3, CODE_UE_HU), on(7, 2, CODE_UE_KIN)});
  b.g.BISHOP_TARGET[1][1] = 1;
  調査_持角狙座標(surveyed(b));
  int count = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) count += b.g.BISHOP_TARGET[x][y];
  EXPECT_EQ(count, 3);
  EXPECT_EQ(b.g.BISHOP_TARGET[4][2] + b.g.BISHOP_TARGET[8][4] + b.g.BISHOP_TARGET[9][5], 3);
}

// (5, 7 - up) holds an upper pawn; each case changes one square of `pieces`.
int lanceTarget(int up, Placed change) {
  EmptyGame p({on(5, 7 - up, CODE_UE_HU), on(4, 6 - up, CODE_UE_KIN), on(9, 7 - up, CODE_SITA_SYA),
               on(5, 9 - up, CODE_SITA_GIN)});
  p.g.BOARD[change.x][change.y - up] = change.code;
  return 調査_香狙い(surveyed(p), 5, 7 - up);
}

TEST(Examine, LanceTargetBehindAPawnThatAMajorPieceAttacks) {
  EXPECT_EQ(lanceTarget(0, on(1, 1, EMPTY)), worth(CODE_SITA_GIN));
  EXPECT_EQ(lanceTarget(1, on(1, 2, EMPTY)), 0) << "row 6 is too far up";
  EXPECT_EQ(lanceTarget(0, on(4, 8, CODE_SITA_KEI)), 0) << "(5, 6) attacked";
  EXPECT_EQ(lanceTarget(0, on(4, 6, EMPTY)), 0) << "(5, 6) not guarded";
  EXPECT_EQ(lanceTarget(0, on(6, 8, CODE_SITA_KIN)), 0) << "a cheaper attacker";
  EXPECT_EQ(lanceTarget(0, on(5, 8, CODE_UE_HU)), 0) << "our own piece below";
  EXPECT_EQ(lanceTarget(0, on(5, 9, EMPTY)), 0) << "nothing below";
}

int knightTarget(int up, Placed change) {
  EmptyGame p({on(5, 7 - up, CODE_UE_HU), on(5, 9 - up, CODE_SITA_SYA),
               on(3, 7 - up, CODE_SITA_KAKU), on(7, 7 - up, CODE_SITA_SYA_NARI)});
  p.g.BOARD[change.x][change.y - up] = change.code;
  return 調査_桂狙い(surveyed(p), 5, 7 - up);
}

TEST(Examine, KnightTargetsBesideAPawnThatAMajorPieceAttacks) {
  const int bishop = worth(CODE_SITA_KAKU), dragon = worth(CODE_SITA_SYA_NARI);
  EXPECT_EQ(knightTarget(0, on(1, 1, EMPTY)), bishop + dragon);
  EXPECT_EQ(knightTarget(2, on(1, 3, EMPTY)), 0) << "row 5 is too far up";
  EXPECT_EQ(knightTarget(0, on(4, 5, CODE_UE_KIN)), dragon) << "no room for the knight on the left";
  EXPECT_EQ(knightTarget(0, on(6, 6, CODE_SITA_HU)), bishop)
      << "the right landing square is attacked";
  EXPECT_EQ(knightTarget(0, on(5, 8, CODE_SITA_HU)), 0) << "a cheaper attacker";
  EXPECT_EQ(knightTarget(0, on(5, 9, EMPTY)), bishop)
      << "the promoted rook now attacks: not counted";
  // Beside the edges only the inner side is looked at.
  for (int side : {-1, 1}) {
    EmptyGame p({on(5 + 3 * side, 7, CODE_UE_HU), on(5 + 3 * side, 9, CODE_SITA_SYA),
                 on(5 + side, 7, CODE_SITA_KAKU)});
    EXPECT_EQ(調査_桂狙い(surveyed(p), 5 + 3 * side, 7), bishop);
  }
}

} // namespace
} // namespace korvanu
