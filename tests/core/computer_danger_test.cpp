#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "computer/danger.h"
#include "computer/examine.h"
#include "computer/survey.h"
#include "position.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;
using testing::Placed;
using testing::worth;

// Takes the turn's copies and maps as the computer turn does, then makes the
// candidate move and surveys it.
void tryMove(Game& g, int fx, int fy, int tx, int ty) {
  std::memcpy(g.BOARD_BEFORE, g.BOARD, sizeof g.BOARD);
  勢力調査(g);
  調査_持角狙座標(g);
  調査_移動不可駒(g);
  std::memcpy(g.INFLUENCE_SITA_BEFORE, g.INFLUENCE_SITA, sizeof g.INFLUENCE_SITA);
  std::memcpy(g.INFLUENCE_UE_BEFORE, g.INFLUENCE_UE, sizeof g.INFLUENCE_UE);
  g.BOARD[tx][ty] = g.BOARD[fx][fy];
  g.BOARD[fx][fy] = EMPTY;
  勢力調査(g);
}

double danger(EmptyGame& p, int fx, int fy, int tx, int ty) {
  tryMove(p.g, fx, fy, tx, ty);
  return 盤評価_COM危険座標(p.g, p.g.BOARD[tx][ty], tx, ty);
}

// Kings far from the action, so that nothing else is scored.
EmptyGame& farKings(EmptyGame& p, std::initializer_list<Placed> pieces) {
  p.g.BOARD[9][1] = CODE_UE_OU;
  p.g.BOARD[1][9] = CODE_SITA_OU;
  testing::place(p.g, pieces);
  return p;
}

TEST(Danger, AHangingPieceCostsTheExchangeAndItsValue) {
  // The rook steps along its row to (5, row), above a lower pawn; before the
  // move (5, row) held `taken`.
  const auto rookTo = [](int row, int taken) {
    EmptyGame p;
    farKings(p, {on(9, row, CODE_UE_SYA), on(5, row + 1, CODE_SITA_HU), on(5, row, taken)});
    return danger(p, 9, row, 5, row);
  };
  const int rook = worth(CODE_UE_SYA), pawn = worth(CODE_SITA_HU), silver = worth(CODE_SITA_GIN);
  EXPECT_DOUBLE_EQ(rookTo(5, EMPTY), -rook + pawn - rook);
  // Row 2: 10 for the row, 20 for a pawn attacker; a silver taken there is won back.
  EXPECT_DOUBLE_EQ(rookTo(2, EMPTY), -rook + pawn - rook - 10 - 20);
  EXPECT_DOUBLE_EQ(rookTo(2, CODE_SITA_GIN), -rook + pawn - rook - 10 + silver - 20);

  // The silver attacking (4, 5) would expose its king to the lance: no exchange.
  for (bool pinned : {false, true}) {
    EmptyGame p({on(9, 1, CODE_UE_OU), on(5, 9, CODE_SITA_OU), on(5, 6, CODE_SITA_GIN),
                 on(4, 2, CODE_UE_SYA)});
    if (pinned) p.g.BOARD[5][1] = CODE_UE_KYOU;
    EXPECT_DOUBLE_EQ(danger(p, 4, 2, 4, 5), pinned ? -rook : -rook + silver - rook) << pinned;
  }
}

TEST(Danger, AForkOfTwoUnprotectedPiecesWinsTheCheaper) {
  // The silver steps to (5, 5), which nothing attacks, hitting (4, 6) and (6, 6).
  const auto fork = [](std::initializer_list<Placed> lower) {
    EmptyGame p;
    farKings(p, lower).g.BOARD[5][4] = CODE_UE_GIN;
    return danger(p, 5, 4, 5, 5);
  };
  EXPECT_DOUBLE_EQ(fork({on(4, 6, CODE_SITA_KEI)}), 0.1);
  EXPECT_DOUBLE_EQ(fork({on(4, 6, CODE_SITA_KEI), on(6, 6, CODE_SITA_HU)}), 0.1 + 0.1 + 10)
      << "the pawn, met second, is the cheaper";
  EXPECT_DOUBLE_EQ(fork({on(4, 6, CODE_SITA_HU), on(6, 6, CODE_SITA_KEI)}), 0.1 + 0.1 + 10);
  EXPECT_DOUBLE_EQ(fork({on(4, 6, CODE_SITA_KEI), on(6, 6, CODE_SITA_HU), on(7, 7, CODE_SITA_KIN)}),
                   0.1)
      << "the gold protects the pawn";
}

TEST(Danger, DropThreatsNeedAHandButThreatsBesideTheKingAlwaysCount) {
  for (bool lanceInHand : {false, true}) {
    // Upper pawns fill rows 1-3 round the king on (5, 1), all but (4, 2), so
    // no other empty square there is scored.
    EmptyGame p({on(1, 9, CODE_SITA_OU), on(3, 4, CODE_SITA_KEI), on(7, 4, CODE_UE_SYA_NARI),
                 on(8, 5, CODE_UE_GIN), on(7, 8, CODE_SITA_HU)});
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 3; ++y) p.g.BOARD[x][y] = CODE_UE_HU;
    p.g.BOARD[5][1] = CODE_UE_OU;
    p.g.BOARD[4][2] = EMPTY;
    if (lanceInHand) p.hand(KYOU, 1);
    // The knight attacks (4, 2), beside the king, once: 0.5. A lance dropped on
    // (7, 7), which the pawn attacks, would hit the silver and the promoted
    // rook behind it: 100 and half of 71.
    EXPECT_DOUBLE_EQ(danger(p, 8, 5, 7, 6), lanceInHand ? -0.5 - 100 - 35.5 : -0.5);
  }
}

TEST(Danger, BishopCautionLooksAtTheFirstTargetOnThePiecesDiagonal) {
  // The gold on (5, 4) moves to (tx, ty); the upper king on (5, 1) has targets
  // on both its diagonals, and (3, 3) comes first for (5, 5).
  const auto caution = [](int tx, int ty, std::initializer_list<Placed> lower, int bishopsInHand) {
    EmptyGame p(lower);
    p.g.BOARD[5][1] = CODE_UE_OU;
    p.g.BOARD[5][4] = CODE_UE_KIN;
    p.hand(KAKU, bishopsInHand);
    tryMove(p.g, 5, 4, tx, ty);
    return 盤評価_自角注意_COM(p.g, tx, ty, CODE_UE_KIN);
  };
  EXPECT_EQ(caution(5, 5, {on(1, 1, CODE_SITA_KAKU)}, 0), CODE_UE_KIN);
  EXPECT_EQ(caution(5, 5, {on(1, 1, CODE_SITA_KAKU), on(2, 2, CODE_SITA_HU)}, 0), 0);
  EXPECT_EQ(caution(5, 5, {on(1, 1, CODE_SITA_KAKU), on(2, 2, CODE_SITA_HU)}, 1), CODE_UE_KIN);
  EXPECT_EQ(caution(5, 5, {on(9, 1, CODE_SITA_KAKU)}, 0), 0) << "it reaches only (7, 3)";
  EXPECT_EQ(caution(4, 5, {on(1, 1, CODE_SITA_KAKU)}, 1), 0) << "no target on (4, 5)'s lines";
}

} // namespace
} // namespace korvanu
