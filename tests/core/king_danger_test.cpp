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
  bool upperToMove;
  int goldsInHand; // the side to move's
  int kingSquare;  // 10 x + y of the king marked, 0 for none
  std::initializer_list<Placed> pieces;
};

TEST(KingDanger, TheSideToMoveReachesTheOtherKingOnlyWithACaptureOnOrBesideIt) {
  const Placed lowerKing = on(5, 9, CODE_SITA_OU), upperKing = on(5, 1, CODE_UE_OU);
  const ReachRow rows[] = {
      {"a rook takes the king", false, 0, 51, {lowerKing, upperKing, on(5, 5, CODE_SITA_SYA)}},
      {"a bishop takes the gold beside it",
       false,
       0,
       51,
       {lowerKing, upperKing, on(4, 2, CODE_UE_KIN), on(1, 5, CODE_SITA_KAKU)}},
      {"a knight takes the lower king", true, 0, 59, {lowerKing, upperKing, on(4, 7, CODE_UE_KEI)}},
      {"a capture two squares away",
       false,
       0,
       0,
       {lowerKing, upperKing, on(3, 1, CODE_UE_HU), on(3, 5, CODE_SITA_SYA)}},
      {"a gold in hand: a drop never captures", false, 1, 0, {lowerKing, upperKing}},
  };
  for (const ReachRow& row : rows) {
    EmptyGame p(row.pieces);
    row.upperToMove ? p.handUe(KIN, row.goldsInHand) : p.hand(KIN, row.goldsInHand);
    const DangerMark found = kingInReach(p.g, row.upperToMove);
    EXPECT_EQ(found.x * 10 + found.y, row.kingSquare) << row.what;
  }
}

struct MoveRow {
  std::string what;
  Move move;
  bool loses;
  std::initializer_list<Placed> pieces;
};

TEST(KingDanger, AMoveIsFlaggedWhenItLeavesItsOwnKingToBeLostAtOnce) {
  const Placed lowerKing = on(5, 9, CODE_SITA_OU);
  const MoveRow rows[] = {
      {"the king steps onto the rook's file",
       {4, 9, 5, 8, CODE_SITA_OU},
       true,
       {on(4, 9, CODE_SITA_OU), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)}},
      {"the gold steps off the rook's file",
       {5, 5, 4, 5, CODE_SITA_KIN},
       true,
       {lowerKing, on(5, 5, CODE_SITA_KIN), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)}},
      {"the gold stays on it",
       {5, 5, 5, 4, CODE_SITA_KIN},
       false,
       {lowerKing, on(5, 5, CODE_SITA_KIN), on(5, 1, CODE_UE_SYA), on(1, 1, CODE_UE_OU)}},
      {"a pawn opens the bishop's line to the silver beside the king",
       {3, 7, 3, 6, CODE_SITA_HU},
       true,
       {lowerKing, on(4, 8, CODE_SITA_GIN), on(3, 7, CODE_SITA_HU), on(1, 5, CODE_UE_KAKU),
        on(9, 1, CODE_UE_OU)}},
      {"a capture beside its own king blows it up",
       {4, 9, 4, 8, CODE_SITA_KIN},
       true,
       {lowerKing, on(4, 9, CODE_SITA_KIN), on(4, 8, CODE_UE_HU), on(9, 1, CODE_UE_OU)}},
      {"a blast that takes both kings wins",
       {4, 3, 4, 2, CODE_SITA_KIN},
       false,
       {on(5, 3, CODE_SITA_OU), on(4, 3, CODE_SITA_KIN), on(4, 2, CODE_UE_HU),
        on(5, 1, CODE_UE_OU)}},
      {"a gold dropped beside the king into the rook's reach",
       {LOWER_HAND, KIN + 2, 4, 8, CODE_SITA_KIN},
       true,
       {lowerKing, on(4, 1, CODE_UE_SYA), on(9, 1, CODE_UE_OU)}},
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
