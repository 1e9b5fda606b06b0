// A king that can be lost on the next move, on positions set up by hand:
// which king the side to move can hit, and which moves leave the mover's
// own king to be hit.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "play/board_input.h"
#include "position.h"
#include "rules/king_danger.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;
using testing::Placed;

struct ReachRow {
  std::string what;
  std::initializer_list<Placed> pieces;
  bool upperToMove;
  int goldsInHand; // the side to move's
  DangerMark expected;
};

TEST(KingDanger, TheSideToMoveReachesTheOtherKingOnlyWithACaptureOnOrBesideIt) {
  const ReachRow rows[] = {
      {"a rook takes the king",
       {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(5, 5, CODE_SITA_SYA)},
       false,
       0,
       {5, 1}},
      {"a bishop takes the gold beside it",
       {on(9, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(4, 2, CODE_UE_KIN),
        on(1, 5, CODE_SITA_KAKU)},
       false,
       0,
       {5, 1}},
      {"a knight takes the lower king",
       {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(4, 7, CODE_UE_KEI)},
       true,
       0,
       {5, 9}},
      {"a capture two squares away",
       {on(9, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(3, 1, CODE_UE_HU),
        on(3, 5, CODE_SITA_SYA)},
       false,
       0,
       {}},
      {"a gold in hand: a drop never captures",
       {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU)},
       false,
       1,
       {}},
      {"the rook is the lower side's, the upper side to move",
       {on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(5, 5, CODE_SITA_SYA)},
       true,
       0,
       {}},
      {"no upper king to hit",
       {on(5, 9, CODE_SITA_OU), on(5, 5, CODE_SITA_SYA), on(5, 1, CODE_UE_KIN)},
       false,
       0,
       {}},
  };
  for (const ReachRow& row : rows) {
    EmptyGame p(row.pieces);
    row.upperToMove ? p.handUe(KIN, row.goldsInHand) : p.hand(KIN, row.goldsInHand);
    const DangerMark found = kingInReach(p.g, row.upperToMove);
    EXPECT_EQ(found.x, row.expected.x) << row.what;
    EXPECT_EQ(found.y, row.expected.y) << row.what;
  }
}

struct MoveRow {
  std::string what;
  std::initializer_list<Placed> pieces;
  Move move;
  bool loses;
};

constexpr int LOWER_GOLD_CELL = KIN + 2; // the lower hand's cell of a gold

TEST(KingDanger, AMoveIsFlaggedWhenItLeavesItsOwnKingToBeLostAtOnce) {
  const Placed lowerKing = on(5, 9, CODE_SITA_OU);
  const MoveRow rows[] = {
      {"the king steps onto the rook's file",
       {on(4, 9, CODE_SITA_OU), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)},
       {4, 9, 5, 8, CODE_SITA_OU},
       true},
      {"the king steps away from it",
       {on(4, 9, CODE_SITA_OU), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)},
       {4, 9, 3, 8, CODE_SITA_OU},
       false},
      {"the gold steps off the rook's file",
       {lowerKing, on(5, 5, CODE_SITA_KIN), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)},
       {5, 5, 4, 5, CODE_SITA_KIN},
       true},
      {"the gold stays on it",
       {lowerKing, on(5, 5, CODE_SITA_KIN), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)},
       {5, 5, 5, 4, CODE_SITA_KIN},
       false},
      {"a pawn opens the bishop's line to the silver beside the king",
       {lowerKing, on(4, 8, CODE_SITA_GIN), on(3, 7, CODE_SITA_HU), on(1, 5, CODE_UE_KAKU),
        on(9, 1, CODE_UE_OU)},
       {3, 7, 3, 6, CODE_SITA_HU},
       true},
      {"a capture beside its own king blows it up",
       {lowerKing, on(4, 9, CODE_SITA_KIN), on(4, 8, CODE_UE_HU), on(9, 1, CODE_UE_OU)},
       {4, 9, 4, 8, CODE_SITA_KIN},
       true},
      {"a blast that takes both kings wins",
       {on(5, 3, CODE_SITA_OU), on(4, 3, CODE_SITA_KIN), on(4, 2, CODE_UE_HU),
        on(5, 1, CODE_UE_OU)},
       {4, 3, 4, 2, CODE_SITA_KIN},
       false},
      {"a gold dropped beside the king into the rook's reach",
       {lowerKing, on(4, 1, CODE_UE_SYA), on(9, 1, CODE_UE_OU)},
       {LOWER_HAND, LOWER_GOLD_CELL, 4, 8, CODE_SITA_KIN},
       true},
      {"a gold dropped out of it",
       {lowerKing, on(4, 1, CODE_UE_SYA), on(9, 1, CODE_UE_OU)},
       {LOWER_HAND, LOWER_GOLD_CELL, 6, 8, CODE_SITA_KIN},
       false},
      {"an upper gold dropped beside its king into the rook's reach",
       {on(9, 9, CODE_SITA_OU), on(4, 9, CODE_SITA_SYA), on(5, 1, CODE_UE_OU)},
       {UPPER_HAND, KIN, 4, 2, CODE_UE_KIN},
       true},
  };
  for (const MoveRow& row : rows) {
    EmptyGame p(row.pieces);
    p.hand(KIN, 1);
    p.handUe(KIN, 1);
    const Position before = p.g;
    EXPECT_EQ(leavesKingToBeLost(p.g, row.move), row.loses) << row.what;
    EXPECT_EQ(static_cast<const Position&>(p.g), before) << row.what << ": the game is untouched";
  }
}

} // namespace
} // namespace korvanu
