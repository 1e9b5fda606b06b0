// The squares a move marks: from its effects as it is played, and worked out
// again from the record's two positions either side of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/setup.h"
#include "position.h"
#include "random_games.h"
#include "rules/legality.h"
#include "rules/move_list.h"
#include "rules/move_marks.h"
#include "rules/moves.h"
#include "rules/record.h"

namespace korvanu {
namespace {

using testing::on;
// "F77 T76 B81 " for a mark set: From, To and Blown squares as x and y.
std::string describe(const MoveMarks& m) {
  std::string out;
  for (auto [kind, name] :
       {std::pair{SquareMark::From, "F"}, {SquareMark::To, "T"}, {SquareMark::Blown, "B"}})
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (m.at[x][y] == kind) out += name + std::to_string(x) + std::to_string(y) + " ";
  return out;
}

// Plays a move on the position and answers the marks found between the
// position before it and the one after.
std::string foundAfter(testing::EmptyGame& p, int fx, int fy, int tx, int ty, int piece) {
  const RecordEntry before = positionOf(p.g);
  EXPECT_TRUE(isPlayableMove(p.g, fx, fy, tx, ty, piece));
  playMove(p.g, fx, fy, tx, ty, piece);
  const RecordEntry after = positionOf(p.g);
  return describe(marksBetween(before, after));
}

TEST(MoveMarks, APlayedMoveMarksItsOriginDestinationAndBlast) {
  MoveEffects step{7, 7, 7, 6, CODE_SITA_HU, EMPTY, false};
  EXPECT_EQ(describe(marksOf(step, {})), "F77 T76 ");
  MoveEffects drop{11, KIN + 2, 5, 5, CODE_SITA_KIN, EMPTY, true};
  EXPECT_EQ(describe(marksOf(drop, {})), "T55 ") << "a hand is no square";
  MoveEffects take{2, 8, 8, 2, CODE_SITA_KAKU, CODE_UE_KAKU, false};
  ExplosionEffects blast;
  blast.squares[0] = {7, 1, CODE_UE_GIN};
  blast.squares[1] = {8, 2, CODE_SITA_KAKU};
  blast.count = 2;
  EXPECT_EQ(describe(marksOf(take, blast)), "F28 T82 B71 ")
      << "the blown destination stays the destination";
  EXPECT_EQ(describe(turnedRound(marksOf(take, blast))), "F82 T28 B39 ");
}

TEST(MoveMarks, TheRecordsTwoPositionsGiveBackTheMoveBetweenThem) {
  {
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU), on(2, 5, CODE_SITA_KAKU)});
    EXPECT_EQ(foundAfter(p, 2, 5, 5, 2, CODE_SITA_KAKU_NARI), "F25 T52 ") << "a promotion";
    EXPECT_EQ(foundAfter(p, 5, 1, 6, 1, CODE_UE_OU), "F51 T61 ");
  }
  {
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(5, 1, CODE_UE_OU)});
    p.hand(KIN, 1);
    p.handUe(HU, 1);
    EXPECT_EQ(foundAfter(p, 11, KIN + 2, 4, 4, CODE_SITA_KIN), "T44 ") << "a drop";
    EXPECT_EQ(foundAfter(p, -1, HU, 6, 6, CODE_UE_HU), "T66 ");
  }
  {
    // A pawn takes and survives its own blast; the gold beside it does not,
    // the pawn beside it does.
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(5, 6, CODE_SITA_HU),
                          on(5, 5, CODE_UE_GIN), on(4, 5, CODE_UE_KIN), on(6, 4, CODE_UE_HU)});
    EXPECT_EQ(foundAfter(p, 5, 6, 5, 5, CODE_SITA_HU), "F56 T55 B45 ");
  }
  {
    // A pawn that promotes as it takes goes with the blast; read backwards it
    // is no lower pawn promoting outside its zone.
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(6, 6, CODE_UE_HU),
                          on(6, 7, CODE_SITA_HU), on(7, 7, CODE_SITA_KEI)});
    EXPECT_EQ(foundAfter(p, 6, 6, 6, 7, CODE_UE_HU_NARI), "F66 T67 B77 ");
  }
  {
    // A rook from afar takes and goes with the blast.
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(9, 5, CODE_SITA_SYA),
                          on(5, 5, CODE_UE_GIN), on(4, 4, CODE_SITA_KEI),
                          on(6, 6, CODE_UE_HU_NARI)});
    EXPECT_EQ(foundAfter(p, 9, 5, 5, 5, CODE_SITA_SYA), "F95 T55 B44 B66 ");
  }
  {
    // Two golds could have taken from beside the square; the blast empties
    // both squares, so the boards cannot tell which: one is named.
    testing::EmptyGame p({on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(4, 6, CODE_SITA_KIN),
                          on(6, 6, CODE_SITA_KIN), on(5, 5, CODE_UE_GIN)});
    EXPECT_EQ(foundAfter(p, 6, 6, 5, 5, CODE_SITA_KIN), "F46 T55 B66 ");
  }
}

TEST(MoveMarks, PositionsNoSingleMoveJoinsGiveNoMarksAndTheBoardIsPutBack) {
  testing::EmptyGame p;
  初期設定(p.g);
  const RecordEntry start = positionOf(p.g);
  EXPECT_EQ(describe(marksBetween(start, start)), "");
  playMove(p.g, 7, 7, 7, 6, CODE_SITA_HU);
  playMove(p.g, 3, 3, 3, 4, CODE_UE_HU);
  const RecordEntry twoOn = positionOf(p.g);
  EXPECT_EQ(describe(marksBetween(start, twoOn)), "");
  // A piece from nowhere, and one that could not have got there.
  RecordEntry odd = start;
  odd.BOARD[5][5] = CODE_SITA_SYA;
  EXPECT_EQ(describe(marksBetween(start, odd)), "");
  odd = start;
  odd.BOARD[1][9] = EMPTY;
  odd.BOARD[2][5] = CODE_SITA_KYOU;
  EXPECT_EQ(describe(marksBetween(start, odd)), "");
  EXPECT_EQ(positionOf(p.g), twoOn);
}

// Whether the rules, playing the move the marks name on `before`, give
// `after` and mark the same squares.
bool explains(const RecordEntry& before, const RecordEntry& after, const MoveMarks& found) {
  int fx = 0, fy = 0, tx = 0, ty = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      if (found.at[x][y] == SquareMark::From) fx = x, fy = y;
      if (found.at[x][y] == SquareMark::To) tx = x, ty = y;
    }
  if (tx == 0) return false;
  const int landed = after.BOARD[tx][ty];
  std::vector<Move> tries;
  if (fx == 0 && landed != EMPTY) {
    const int kind = kindOf(landed);
    tries.push_back(isSita(landed) ? Move{11, kind + 2, tx, ty, landed}
                                   : Move{-1, kind, tx, ty, landed});
  } else if (fx != 0) {
    const int c = before.BOARD[fx][fy];
    tries = {{fx, fy, tx, ty, c}, {fx, fy, tx, ty, isUe(c) ? c + 1 : c - 1}};
  }
  for (const Move& m : tries) {
    testing::EmptyGame q;
    restorePosition(q.g, before);
    if (!isPlayableMove(q.g, m.fx, m.fy, m.tx, m.ty, m.code)) continue;
    const MoveEffects move = 駒移動(q.g, m.fx, m.fy, m.tx, m.ty, m.code);
    const ExplosionEffects blast = explodeAfterCapture(q.g, move);
    if (testing::sameBoard(q.g.BOARD, after.BOARD) &&
        describe(marksOf(move, blast)) == describe(found))
      return true;
  }
  return false;
}

// Over long random games, what the record gives back, told who moved, is
// what was played; but now and then the blast hides which of the mover's
// pieces took, or which of two neighbours was taken: any move the rules would
// play between the two positions is right there. Not told who moved, it is
// still such a move.
class StepsBack : public testing::GameVisitor {
public:
  int moves = 0, blasts = 0, drops = 0, twins = 0, otherSide = 0;

  void afterPly(Game&, const testing::Ply& p) override {
    ++moves;
    const MoveMarks played = marksOf(p.effects, p.blast);
    const MoveMarks found = marksBetween(p.before, p.after, p.upper ? 1 : -1);
    const std::string where =
        "move " + std::to_string(p.n) + ": played " + describe(played) + "found " + describe(found);
    blasts += p.blast.count > 0;
    drops += p.effects.drop;
    if (describe(found) != describe(played)) {
      ASSERT_TRUE(explains(p.before, p.after, found)) << where;
      ++twins;
    }
    const MoveMarks unknown = marksBetween(p.before, p.after);
    ASSERT_TRUE(explains(p.before, p.after, unknown))
        << where << " not told who moved: " << describe(unknown);
    otherSide += describe(unknown) != describe(found);
  }
};

TEST(MoveMarks, RandomGamesStepBackToTheMovesTheyWerePlayedWith) {
  StepsBack check;
  testing::RandomGames games;
  games.games = 25;
  testing::playRandomGames(games, check);
  // The games went through what matters; the boards hide few moves, and
  // knowing who moved tells some apart.
  EXPECT_GT(check.moves, 1500);
  EXPECT_GT(check.blasts, 100);
  EXPECT_GT(check.drops, 100);
  EXPECT_LT(check.twins * 10, check.blasts);
  EXPECT_GT(check.otherSide, 0);
}

} // namespace
} // namespace korvanu
