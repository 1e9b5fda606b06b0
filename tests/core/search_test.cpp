#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "position.h"
#include "record/entry_line.h"
#include "rules/position_moves.h"
#include "rules/record.h"
#include "search/search.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;
using testing::Placed;

// The pieces as a Position, the kings' squares filled in.
Position built(const std::vector<Placed>& pieces) {
  EmptyGame e;
  for (const Placed& p : pieces) {
    e.g.BOARD[p.x][p.y] = p.code;
    if (p.code == CODE_UE_OU) e.g.OU_UE_X = p.x, e.g.OU_UE_Y = p.y;
    if (p.code == CODE_SITA_OU) e.g.OU_SITA_X = p.x, e.g.OU_SITA_Y = p.y;
  }
  return e.g;
}

bool isGenerated(const Position& p, bool upper, bool drops, const Move& m) {
  MoveList moves;
  generateMoves(p, upper, drops, moves);
  for (int i = 0; i < moves.count; ++i) {
    const Move& g = moves.moves[i];
    if (g.fx == m.fx && g.fy == m.fy && g.tx == m.tx && g.ty == m.ty && g.code == m.code)
      return true;
  }
  return false;
}

struct Puzzle {
  std::string name;
  std::vector<Placed> pieces;
  bool upper;
  int pliesToWin; // the opponent's king lost after this many plies (of both sides)
};

// A won game is scored by how soon the king falls, and the move found wins.
class Mates : public ::testing::TestWithParam<Puzzle> {};

TEST_P(Mates, FoundAtTheRightDistance) {
  const Puzzle& t = GetParam();
  Position p = built(t.pieces);
  const SearchResult r = searchBestMove(p, t.upper, false, {0, 200000});
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.last.score, SCORE_MATE - t.pliesToWin);
  ASSERT_TRUE(isGenerated(p, t.upper, false, r.best));
  if (t.pliesToWin == 1) {
    Key key = keyOf(p);
    makeMove(p, r.best, key);
    EXPECT_EQ(winnerOf(p), t.upper ? Winner::Ue : Winner::Sita);
  }
}

INSTANTIATE_TEST_SUITE_P(
    DeepSearch, Mates,
    ::testing::Values(
        // The rook takes the gold beside the king: the blast takes the king.
        Puzzle{"BlastInOneLower",
               {on(5, 1, CODE_UE_OU), on(4, 2, CODE_UE_KIN), on(4, 9, CODE_SITA_SYA),
                on(5, 9, CODE_SITA_OU)},
               false,
               1},
        Puzzle{"BlastInOneUpper",
               {on(5, 9, CODE_SITA_OU), on(6, 8, CODE_SITA_KIN), on(6, 1, CODE_UE_SYA),
                on(5, 1, CODE_UE_OU)},
               true,
               1},
        // A king left beside an attacked piece is taken before a hanging rook.
        Puzzle{"KingLeftToBeBlownUpIsPunished",
               {on(5, 1, CODE_UE_OU), on(6, 2, CODE_UE_KIN), on(6, 3, CODE_SITA_GIN),
                on(1, 5, CODE_UE_SYA), on(1, 9, CODE_SITA_KYOU), on(5, 9, CODE_SITA_OU)},
               false,
               1},
        // The second rook closes the first row: whatever the king or its pawn
        // does, a rook takes it or blows it up.
        Puzzle{"BlastInTwo",
               {on(1, 1, CODE_UE_OU), on(2, 1, CODE_UE_HU), on(9, 2, CODE_SITA_SYA),
                on(3, 9, CODE_SITA_SYA), on(5, 9, CODE_SITA_OU)},
               false,
               3}),
    [](const auto& row) { return row.param.name; });

struct LinePuzzle {
  std::string name;
  std::string line; // board and hands as a record line has them
  bool drops, upper;
  int pliesToWin;
  std::int64_t nodes = 40000;
};

// Short forced king losses from games, each side, drops on and off: found at
// their distance within a node budget that leaves time for the rest of a move.
class LineMates : public ::testing::TestWithParam<LinePuzzle> {};

TEST_P(LineMates, FoundWithinTheBudget) {
  const LinePuzzle& t = GetParam();
  const auto entry = parseEntryLine(t.line);
  ASSERT_TRUE(entry);
  Position p;
  restorePosition(p, *entry);
  findKings(p);
  const SearchResult r = searchBestMove(p, t.upper, t.drops, {0, t.nodes});
  EXPECT_EQ(r.last.score, SCORE_MATE - t.pliesToWin);
  EXPECT_TRUE(isGenerated(p, t.upper, t.drops, r.best));
}

INSTANTIATE_TEST_SUITE_P(
    DeepSearch, LineMates,
    ::testing::Values(
        LinePuzzle{
            "DropsOnUpperInThree",
            " 20 70 10  0  0  0-10  0-20  0  0 10  0  0-10  0  0-30 40  0 80  0  0 10  0-40-50"
            " 50  0 10  0  0  0-10  0  0-31  0 10  0  0  0-10  0-80  0  0  0 10  0-10  0-50  0"
            " 40 50 10  0  0  0-10-70-40 30 60  0 10  0  0-10  0-30 20  0 10  0  0  0-10-20  0"
            "01000000000100",
            true, true, 5},
        LinePuzzle{
            "DropsOffUpperInFour",
            "  0 20  0 10  0-10  0-20  0  0  0  0 10  0-10  0  0-30 80 50  0 10  0-10  0  0-40"
            "  0  0  0  0  0  0  0  0  0 70  0  0-50  0  0 11  0  0  0  0  0  0  0  0  0  0  0"
            "  0  0  0  0  0  0-80  0-40-71  0  0 10  0-10  0  0-30 20  0  0  0 10  0-10  0-20"
            "34002020111100",
            false, true, 7},
        LinePuzzle{
            "DropsOnLowerInFour",
            "  0 50 20 10  0-10-20  0  0 30  0  0 10  0-10  0-60-30 40 70 10  0-10  0  0-50-40"
            "  0  0  0 10  0  0-10  0  0 80  0  0 10  0-10  0  0-80 50  0  0  0 10  0-40  0  0"
            " 40  0 10  0-10  0  0-50  0 30 60 10  0-10  0  0-70-30 20  0 10  0  0-10  0  0-20"
            "01000000000000",
            true, false, 7},
        LinePuzzle{
            "DropsOffLowerInFour",
            "  0 20  0  0  0 10  0  0-20  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0  0-40"
            "  0  0  0 10  0-10  0  0  0  0  0-31  0 10  0-10  0-80  0  0  0 10  0-10  0  0  0"
            " 40  0 80  0  0  0  0-50-40 30  0  0 10  0-10  0-70-30 20  0  0 10  0-10  0  0-20"
            "34001010211110",
            false, false, 7},
        LinePuzzle{
            "DropsOnUpperInThreeByADrop",
            " 20 70  0 10  0  0-10-20  0 30  0  0 10  0  0-10-60-30 40 50 10  0  0-10  0-70-40"
            "  0  0 10  0-10  0-80  0-50 80  0 10  0-10  0  0  0  0  0  0 10  0  0-10  0  0  0"
            " 40 50-10  0  0  0  0  0  0 30  0 10  0  0  0-10  0-30 20  0 60 10  0  0-10  0-20"
            "01000001010000",
            true, true, 5},
        LinePuzzle{
            "DropsOffLowerInThree",
            " 20  0  0  0 10-10  0  0-20 30 40 10  0-10  0  0-60-30 70  0  0 10  0-10  0-50-40"
            " 50  0  0-10  0  0  0  0  0 80  0 10  0  0  0-10  0-80  0  0  0 10  0  0  0  0  0"
            " 40 50  0 10  0  0-10-50-40 30 60 10  0  0  0-10-70-30 20  0 10  0  0  0-10  0-20"
            "11000000000000",
            false, false, 5},
        LinePuzzle{
            "DropsOffUpperInFive",
            " 20  0 10  0-10  0  0  0-20 30 70 10  0  0-10  0  0-30 40 50 10  0  0-10  0-50-40"
            "  0  0 10  0  0  0-10  0  0 80  0 10-10  0  0  0  0-80  0  0  0  0  0  0  0  0  0"
            " 40 50-61  0  0 10  0  0-40 30  0 10  0  0  0-10-70-30 20  0 60 10  0  0-10  0-20"
            "12000000010000",
            false, true, 9, 150000},
        LinePuzzle{
            "DropsOffLowerInFive",
            "  0  0  0  0  0  0  0  0-20  0  0  0 10  0  0-10  0-30  0  0  0  0  0  0  0  0-40"
            " 80 40 10  0  0  0-10  0  0  0  0 10  0  0  0-10  0-80  0  0 10  0  0-10  0  0  0"
            " 40  0-71  0  0  0  0  0  0  0  0  0  0  0  0  0  0-30 20  0 10  0  0  0-10  0-20"
            "44102001221110",
            false, false, 9, 150000},
        LinePuzzle{
            "DropsOffLowerInSix",
            "  0 20  0  0  0 10  0-20  0 30  0 70  0 10  0-10  0-30 40 50  0  0  0  0-70  0-40"
            "  0  0  0 10  0-10  0  0  0 80  0 10  0-10  0  0  0-80  0  0  0  0  0  0  0  0  0"
            " 40  0  0  0  0  0  0  0-40  0  0  0 10  0-10  0  0-30 20  0  0 10  0-10  0  0-20"
            "34001000121100",
            false, false, 11, 150000}),
    [](const auto& row) { return row.param.name; });

// The upper king walked out to 3四, drops off: in danger at nearly every node.
// Extending every threat let the lines run on (depth 8 took 390 000 nodes);
// a few extensions a line keep depth 8 within 300 000.
TEST(DeepSearch, AKingInDangerEverywhereStillGoesDeep) {
  const auto entry = parseEntryLine(
      " 20  0 10  0-10  0  0  0-20 30 70 10  0-10  0  0-60-30 40  0 10 80  0  0-10  0-40 50  0 10"
      "  0  0  0-10  0-50  0  0 10  0  0-10  0  0-80 50  0  0 10  0  0-10  0-50 40  0 10  0  0-10"
      "  0  0-40 30 60 10  0  0  0-10-70-30 20  0 10  0  0-10  0  0-20"
      "00000000000000");
  ASSERT_TRUE(entry);
  Position p;
  restorePosition(p, *entry);
  findKings(p);
  int deepest = 0;
  searchBestMove(p, true, false, {0, 300000}, {},
                 [&](const SearchInfo& s) { deepest = s.nodes <= 300000 ? s.depth : deepest; });
  EXPECT_GE(deepest, 8);
}

// Taking the rook beside one's own king would blow the king up: legal, and lost.
TEST(DeepSearch, OwnKingIsNotBlownUpForMaterial) {
  Position p = built({on(5, 9, CODE_SITA_OU), on(4, 8, CODE_UE_SYA), on(1, 8, CODE_SITA_SYA),
                      on(5, 1, CODE_UE_OU)});
  const SearchResult r = searchBestMove(p, false, false, {0, 20000});
  ASSERT_TRUE(r.found);
  EXPECT_FALSE(r.best.tx == 4 && r.best.ty == 8);
  EXPECT_GT(r.last.score, -SCORE_MATE_FOUND);
}

// Whatever the budget, the answer is a move the side may play.
TEST(DeepSearch, StopsWithALegalMoveAtAnyBudget) {
  EmptyGame e;
  newGame(e.g);
  const Position& start = e.g;
  const std::atomic<bool> stopAtOnce{true};
  struct Budget {
    SearchLimits limits;
    const std::atomic<bool>* stop;
  };
  for (const Budget& b : {Budget{{0, 1}, nullptr}, Budget{{0, 10}, nullptr},
                          Budget{{0, 1000}, nullptr}, Budget{{10000, 0}, &stopAtOnce}})
    for (const bool upper : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "nodes " << b.limits.nodes << " upper " << upper);
      const SearchResult r = searchBestMove(start, upper, true, b.limits, {}, {}, b.stop);
      ASSERT_TRUE(r.found);
      EXPECT_GE(r.last.depth, 1);
      EXPECT_TRUE(isGenerated(start, upper, true, r.best));
    }
}

// Asked for variety, the search plays one of the moves near the best, by its
// seed; without it the seed changes nothing.
TEST(DeepSearch, VarietyOnlyWhenAskedAndOnlyAmongPlayableMoves) {
  EmptyGame e;
  newGame(e.g);
  const Position start = e.g;
  std::vector<Move> plain, varied;
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    plain.push_back(searchBestMove(start, false, true, {0, 5000, 0, seed}).best);
    varied.push_back(searchBestMove(start, false, true, {0, 5000, 30, seed}).best);
    EXPECT_TRUE(isGenerated(start, false, true, varied.back()));
  }
  EXPECT_EQ(std::ranges::count(plain, plain[0]), 6);
  EXPECT_LT(std::ranges::count(varied, varied[0]), 6);
}

// A table kept from search to search is cleared each time: every search on it
// answers as one on a new table, node for node, whatever came before.
TEST(DeepSearch, AKeptTableAnswersAsANewOne) {
  EmptyGame e;
  newGame(e.g);
  const Position start = e.g;
  const Position blast = built({on(1, 1, CODE_UE_OU), on(2, 1, CODE_UE_HU), on(9, 2, CODE_SITA_SYA),
                                on(3, 9, CODE_SITA_SYA), on(5, 9, CODE_SITA_OU)});
  SearchTable table;
  for (int round = 0; round < 2; ++round)
    for (const auto& [p, upper] : {std::pair{start, false}, std::pair{blast, false},
                                   std::pair{start, true}, std::pair{blast, true}}) {
      SCOPED_TRACE(::testing::Message() << "round " << round << " upper " << upper);
      const SearchResult fresh = searchBestMove(p, upper, true, {0, 20000});
      const SearchResult kept = searchBestMove(table, p, upper, true, {0, 20000});
      EXPECT_EQ(kept.best, fresh.best);
      EXPECT_EQ(kept.last.depth, fresh.last.depth);
      EXPECT_EQ(kept.last.nodes, fresh.last.nodes);
      EXPECT_EQ(kept.last.score, fresh.last.score);
      EXPECT_EQ(kept.last.pv, fresh.last.pv);
    }
}

} // namespace
} // namespace korvanu
