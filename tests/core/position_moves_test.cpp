// The search's rules on a bare position: the generator against the game's
// own legality test, make and take back with the key, and perft counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "position.h"
#include "random_games.h"
#include "record/entry_line.h"
#include "rules/attacks.h"
#include "rules/moves.h"
#include "rules/position_moves.h"
#include "rules/record.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

// Every (origin, destination, code) the game's legality test lets a player
// play, tried one by one in the computer's order: the generator's yardstick.
std::vector<Move> playableByTrial(Game& g, bool upper, bool drops) {
  std::vector<Move> out;
  auto consider = [&](int fx, int fy, int tx, int ty, int code) {
    if (isPlayableMove(g, fx, fy, tx, ty, code)) out.push_back({fx, fy, tx, ty, code});
  };
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int c = g.BOARD[fx][fy];
      if (upper ? !isUe(c) : !isSita(c)) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
          consider(fx, fy, tx, ty, c);
          consider(fx, fy, tx, ty, promotedOf(c));
        }
    }
  for (int k = HU; k <= SYA && drops; ++k)
    for (int tx = 1; tx <= 9; ++tx)
      for (int ty = 1; ty <= 9; ++ty)
        consider(upper ? -1 : 11, upper ? k : k + 2, tx, ty, (upper ? 10 : -10) * k);
  return out;
}

std::vector<Move> generated(const Position& p, bool upper, bool drops) {
  MoveList list;
  generateMoves(p, upper, drops, list);
  return {list.begin(), list.end()};
}

// Each position of the games: the generator gives exactly the legal moves,
// in order, its captures alone and the squares it reaches as the list does;
// every move made and taken back leaves the position and its key as they
// were, the key made along the way equal to the key from scratch; the move
// made on the bare position ends where the game's did.
class SearchRules : public testing::GameVisitor {
public:
  bool drops = true;
  int positions = 0, made = 0;

  void beforePly(Game& g, bool upper, const std::vector<Move>&) override {
    ++positions;
    const std::vector<Move> all = generated(g, upper, drops);
    ASSERT_EQ(all, playableByTrial(g, upper, drops));
    // The captures alone, in the same order; a square is reached when a
    // board move goes there.
    std::vector<Move> captures;
    bool reached[10][10] = {};
    for (const Move& m : all) {
      if (g.BOARD[m.tx][m.ty] != EMPTY) captures.push_back(m);
      if (!isDropColumn(m.fx)) reached[m.tx][m.ty] = true;
    }
    MoveList listed;
    generateCaptures(g, upper, listed);
    ASSERT_EQ(std::vector<Move>(listed.begin(), listed.end()), captures);
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        if (upper ? isUe(g.BOARD[x][y]) : isSita(g.BOARD[x][y])) continue;
        ASSERT_EQ(reaches(g, upper, x, y), reached[x][y]) << x << y << " upper " << upper;
      }
    Position p = g;
    const Position before = p;
    const Key start = keyOf(p);
    for (const Move& m : generated(g, upper, drops)) {
      Key key = start;
      const Undo u = makeMove(p, m, key);
      ASSERT_EQ(key, keyOf(p)) << m.fx << m.fy << m.tx << m.ty << ' ' << m.code;
      unmakeMove(p, m, u, key);
      ASSERT_EQ(p, before);
      ASSERT_EQ(key, start);
      ++made;
    }
  }
  void afterPly(Game&, const testing::Ply& ply) override {
    Position p;
    restorePosition(p, ply.before);
    Key key = keyOf(p);
    const Undo u = makeMove(p, ply.move, key);
    EXPECT_EQ(positionOf(p), ply.after);
    EXPECT_EQ(u.blast.count, ply.blast.count);
    EXPECT_EQ(u.move.captured, ply.effects.captured);
  }
};

TEST(SearchRules, GeneratorMatchesTheLegalityTestAndMovesTakeBackExactly) {
  for (const bool scattered : {false, true})
    for (const bool drops : {true, false}) {
      SCOPED_TRACE(std::string(scattered ? "scattered" : "start") + (drops ? ", drops" : ""));
      SearchRules check;
      check.drops = drops;
      testing::RandomGames games;
      games.games = 25;
      games.plies = 120;
      games.scattered = scattered;
      games.drops = drops;
      testing::playRandomGames(games, check);
      EXPECT_GT(check.positions, 600);
      EXPECT_GT(check.made, 30000);
    }
}

TEST(SearchRules, NoMovesOnceAKingIsGone) {
  testing::EmptyGame e({testing::on(5, 9, CODE_SITA_OU), testing::on(5, 5, CODE_SITA_SYA)});
  EXPECT_EQ(winnerOf(e.g), Winner::Sita);
  EXPECT_TRUE(generated(e.g, false, true).empty());
  EXPECT_EQ(countMoves(e.g, false, true), 0);
  e.g.BOARD[5][1] = CODE_UE_OU;
  EXPECT_EQ(winnerOf(e.g), Winner::None) << "found though its square was never kept";
  EXPECT_EQ(countMoves(e.g, false, true), int(generated(e.g, false, true).size()));
}

} // namespace
} // namespace korvanu
