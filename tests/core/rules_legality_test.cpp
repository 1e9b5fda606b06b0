#include <gtest/gtest.h>

#include "position.h"
#include "rules/legality.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;

// How many squares a piece standing alone on (x, y) may go to.
int reach(int x, int y, int code) {
  EmptyGame p({{x, y, code}});
  int n = 0;
  for (int tx = 1; tx <= 9; ++tx)
    for (int ty = 1; ty <= 9; ++ty) n += 移動チェック(p.g, x, y, tx, ty, code) == ON;
  return n;
}

TEST(Legality, EachPieceMovesAsShogiPiecesDo) {
  EXPECT_EQ(reach(5, 5, CODE_SITA_HU), 1);
  EXPECT_EQ(reach(5, 5, CODE_SITA_KYOU), 4);
  EXPECT_EQ(reach(5, 5, CODE_UE_KYOU), 4);
  EXPECT_EQ(reach(5, 5, CODE_SITA_KEI), 2);
  EXPECT_EQ(reach(5, 5, CODE_SITA_GIN), 5);
  EXPECT_EQ(reach(5, 5, CODE_SITA_KIN), 6);
  for (int gold : {CODE_SITA_HU_NARI, CODE_SITA_KYOU_NARI, CODE_SITA_KEI_NARI, CODE_SITA_GIN_NARI,
                   CODE_UE_HU_NARI, CODE_UE_GIN_NARI, CODE_UE_KIN})
    EXPECT_EQ(reach(5, 5, gold), 6) << gold;
  EXPECT_EQ(reach(5, 5, CODE_SITA_KAKU), 16);
  EXPECT_EQ(reach(5, 5, CODE_SITA_KAKU_NARI), 20);
  EXPECT_EQ(reach(5, 5, CODE_UE_SYA), 16);
  EXPECT_EQ(reach(5, 5, CODE_UE_SYA_NARI), 20);
  EXPECT_EQ(reach(5, 5, CODE_UE_OU), 8);
  EXPECT_EQ(reach(1, 1, CODE_UE_OU), 3);

  // Forward is up the screen for the lower side, down for the upper.
  EmptyGame p;
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 4, CODE_SITA_HU), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 6, CODE_SITA_HU), OFF);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 6, CODE_UE_HU), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 3, CODE_SITA_KEI), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 7, CODE_UE_KEI), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 6, CODE_SITA_GIN), OFF) << "no straight step back";
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 6, CODE_SITA_GIN), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 6, CODE_SITA_KIN), OFF) << "no diagonal step back";
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 6, CODE_SITA_KIN), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 4, CODE_UE_KIN), OFF);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 7, 7, CODE_SITA_SYA_NARI), OFF) << "two squares diagonally";
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 4, CODE_SITA_SYA_NARI), ON);
}

TEST(Legality, DestinationsOffTheBoardOwnPiecesAndTheOriginAreRefused) {
  EmptyGame p({on(5, 5, CODE_SITA_KIN), on(5, 4, CODE_SITA_HU), on(4, 4, CODE_UE_HU)});
  for (int x : {-1, 0, 10, 11, 12}) EXPECT_EQ(移動チェック(p.g, 5, 5, x, 5, CODE_SITA_SYA), OFF);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 5, CODE_SITA_KIN), OFF);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 5, 4, CODE_SITA_KIN), OFF);
  EXPECT_EQ(移動チェック(p.g, 5, 5, 4, 4, CODE_SITA_KIN), ON) << "taking is fine";
  // Taking a king and walking next to one are moves like any other.
  EmptyGame k({on(5, 5, CODE_SITA_OU), on(5, 3, CODE_UE_OU), on(6, 6, CODE_UE_GIN)});
  EXPECT_EQ(移動チェック(k.g, 5, 5, 5, 4, CODE_SITA_OU), ON);
  EXPECT_EQ(移動チェック(k.g, 5, 5, 6, 6, CODE_SITA_OU), ON);
}

TEST(Legality, SlidersStopAtTheFirstPiece) {
  EmptyGame p({on(5, 9, CODE_SITA_KYOU), on(5, 6, CODE_UE_HU), on(2, 2, CODE_SITA_KAKU),
               on(4, 4, CODE_SITA_HU), on(1, 5, CODE_UE_SYA), on(4, 5, CODE_SITA_GIN)});
  EXPECT_EQ(移動チェック(p.g, 5, 9, 5, 6, CODE_SITA_KYOU), ON);
  EXPECT_EQ(移動チェック(p.g, 5, 9, 5, 5, CODE_SITA_KYOU), OFF);
  EXPECT_EQ(移動チェック(p.g, 2, 2, 3, 3, CODE_SITA_KAKU), ON);
  EXPECT_EQ(移動チェック(p.g, 2, 2, 5, 5, CODE_SITA_KAKU), OFF);
  EXPECT_EQ(移動チェック(p.g, 2, 2, 3, 4, CODE_SITA_KAKU), OFF) << "not a diagonal";
  EXPECT_EQ(移動チェック(p.g, 1, 5, 4, 5, CODE_UE_SYA), ON);
  EXPECT_EQ(移動チェック(p.g, 1, 5, 6, 5, CODE_UE_SYA), OFF);
  EXPECT_EQ(移動チェック(p.g, 1, 5, 2, 6, CODE_UE_SYA), OFF);
  EXPECT_EQ(移動チェック(p.g, 1, 5, 1, 1, CODE_UE_SYA), ON);
}

TEST(Legality, DropsObeyTheTwoPawnAndLastRowRules) {
  EmptyGame p({on(3, 6, CODE_SITA_HU), on(4, 5, CODE_SITA_HU_NARI), on(5, 3, CODE_UE_HU),
               on(6, 6, CODE_UE_KIN)});
  auto sita = [&](int x, int y, int code) { return 移動チェック(p.g, 11, 3, x, y, code); };
  auto ue = [&](int x, int y, int code) { return 移動チェック(p.g, -1, 1, x, y, code); };
  EXPECT_EQ(sita(3, 5, CODE_SITA_HU), OFF);
  EXPECT_EQ(sita(4, 6, CODE_SITA_HU), ON) << "a promoted pawn does not count";
  EXPECT_EQ(sita(5, 6, CODE_SITA_HU), ON) << "only the other side's pawn in that column";
  EXPECT_EQ(sita(6, 6, CODE_SITA_GIN), OFF) << "drops go on empty squares only";
  EXPECT_EQ(sita(7, 1, CODE_SITA_HU), OFF);
  EXPECT_EQ(sita(7, 1, CODE_SITA_KYOU), OFF);
  EXPECT_EQ(sita(7, 2, CODE_SITA_KEI), OFF);
  EXPECT_EQ(sita(7, 3, CODE_SITA_KEI), ON);
  EXPECT_EQ(ue(7, 8, CODE_UE_KEI), OFF);
  EXPECT_EQ(ue(7, 7, CODE_UE_KEI), ON);
  EXPECT_EQ(ue(7, 9, CODE_UE_HU), OFF);
  EXPECT_EQ(ue(5, 5, CODE_UE_HU), OFF);
  for (int code : {CODE_SITA_GIN, CODE_SITA_KIN, CODE_SITA_KAKU, CODE_SITA_SYA})
    EXPECT_EQ(sita(8, 1, code), ON) << "the last row is open to pieces that move backwards";
}

TEST(Legality, PiecesThatCouldNeverMoveAgainAndKingsOnTheBoard) {
  EXPECT_EQ(移動後チェック(1, CODE_SITA_HU), OFF);
  EXPECT_EQ(移動後チェック(2, CODE_SITA_HU), ON);
  EXPECT_EQ(移動後チェック(1, CODE_SITA_KYOU), OFF);
  EXPECT_EQ(移動後チェック(2, CODE_SITA_KEI), OFF);
  EXPECT_EQ(移動後チェック(3, CODE_SITA_KEI), ON);
  EXPECT_EQ(移動後チェック(9, CODE_UE_KYOU), OFF);
  EXPECT_EQ(移動後チェック(8, CODE_UE_KEI), OFF);
  EXPECT_EQ(移動後チェック(7, CODE_UE_KEI), ON);
  EXPECT_EQ(移動後チェック(1, CODE_SITA_HU_NARI), ON);
  EXPECT_EQ(移動後チェック(1, CODE_SITA_GIN), ON);

  Game g;
  testing::startingGame(g);
  EXPECT_EQ(調査_駒存在(g, CODE_UE_OU), ON);
  g.BOARD[5][1] = EMPTY;
  EXPECT_EQ(調査_駒存在(g, CODE_UE_OU), OFF);
  EXPECT_EQ(調査_駒存在(g, CODE_SITA_OU), ON);
}

} // namespace
} // namespace korvanu
