// Seeded random games played side by side by the game's rules and by the
// plain second account in rules_oracle: before every move the two must agree
// on every legal move (from, to, promoted or not) and on every piece's reach
// and drop square; after it, on the board, the hands and the explosion.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "random_games.h"
#include "rules/legality.h"
#include "rules/move_list.h"
#include "rules_oracle.h"

namespace korvanu {
namespace {

using oracle::LOWER;
using oracle::Side;
using oracle::UPPER;
// A move as the game's procedures take it: fx, fy, tx, ty and the placed code.
using Key = std::array<int, 5>;

int dropColumn(Side s) { return s == LOWER ? 11 : -1; }
int dropRow(Side s, int kind) { return s == LOWER ? kind + 2 : kind; }

std::string text(const std::vector<Key>& keys) {
  std::ostringstream out;
  for (const Key& k : keys)
    out << " (" << k[0] << ' ' << k[1] << ' ' << k[2] << ' ' << k[3] << ' ' << k[4] << ')';
  return out.str();
}

std::string difference(const std::vector<Key>& game, const std::vector<Key>& oracle) {
  std::vector<Key> onlyGame, onlyOracle;
  std::set_difference(game.begin(), game.end(), oracle.begin(), oracle.end(),
                      std::back_inserter(onlyGame));
  std::set_difference(oracle.begin(), oracle.end(), game.begin(), game.end(),
                      std::back_inserter(onlyOracle));
  return "only the game allows:" + text(onlyGame) + "\nonly the oracle allows:" + text(onlyOracle);
}

// Everything the game accepts as a move of `side`: each of its pieces to each
// square as itself, promoted or one code off (a promoted piece's one code off
// is its unpromoted code), and, with drops on, each hand slot as the kind or
// its promoted code, slots that name no kind included.
std::vector<Key> gameMoves(Game& g, Side side, bool drops) {
  const int sign = side == LOWER ? -1 : 1;
  std::vector<Key> out;
  auto consider = [&](int fx, int fy, int tx, int ty, int code) {
    if (isPlayableMove(g, fx, fy, tx, ty, code)) out.push_back({fx, fy, tx, ty, code});
  };
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int c = g.BOARD[fx][fy];
      if (c * sign < 10) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
          for (int code : {c - 1, c, c + 1}) consider(fx, fy, tx, ty, code);
    }
  if (drops)
    for (int kind = 0; kind <= 8; ++kind)
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty)
          for (int code : {sign * 10 * kind, sign * (10 * kind + 1)})
            consider(dropColumn(side), dropRow(side, kind), tx, ty, code);
  std::sort(out.begin(), out.end());
  return out;
}

Key keyOf(const oracle::Position& pos, const oracle::Move& m) {
  const int code = oracle::placedCode(pos, m);
  if (m.drop == oracle::NONE) return {m.fx, m.fy, m.tx, m.ty, code};
  return {dropColumn(m.side), dropRow(m.side, m.drop), m.tx, m.ty, code};
}

std::vector<Key> oracleMoves(const oracle::Position& pos, Side side, bool drops) {
  std::vector<Key> out;
  for (const oracle::Move& m : oracle::legalMoves(pos, side, drops)) out.push_back(keyOf(pos, m));
  std::sort(out.begin(), out.end());
  return out;
}

void expectSamePosition(const Game& g, const oracle::Position& pos) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      ASSERT_EQ(g.BOARD[x][y], oracle::codeOf(pos.at[x][y])) << "square " << x << y;
  int totals[2] = {};
  for (int k = oracle::PAWN; k <= oracle::ROOK; ++k) {
    ASSERT_EQ(g.HAND_SITA[k], pos.hand[LOWER][k]) << "lower hand, kind " << k;
    ASSERT_EQ(g.HAND_UE[k], pos.hand[UPPER][k]) << "upper hand, kind " << k;
    totals[LOWER] += pos.hand[LOWER][k];
    totals[UPPER] += pos.hand[UPPER][k];
  }
  ASSERT_EQ(g.HAND_SITA_TOTAL, totals[LOWER]);
  ASSERT_EQ(g.HAND_UE_TOTAL, totals[UPPER]);
}

// 移動チェック on its own, for both sides: every piece towards every square
// (and just off the board), every hand kind onto every square.
void expectSameReach(Game& g, const oracle::Position& pos) {
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int c = g.BOARD[fx][fy];
      if (c == EMPTY) continue;
      for (int tx = 0; tx <= 10; ++tx)
        for (int ty = 0; ty <= 10; ++ty)
          ASSERT_EQ(移動チェック(g, fx, fy, tx, ty, c) == ON, oracle::reaches(pos, fx, fy, tx, ty))
              << c << " from " << fx << ' ' << fy << " to " << tx << ' ' << ty;
    }
  for (Side s : {LOWER, UPPER})
    for (int kind = oracle::PAWN; kind <= oracle::ROOK; ++kind) {
      const int code = (s == LOWER ? -10 : 10) * kind;
      for (int tx = 0; tx <= 10; ++tx)
        for (int ty = 0; ty <= 10; ++ty)
          ASSERT_EQ(移動チェック(g, dropColumn(s), dropRow(s, kind), tx, ty, code) == ON,
                    oracle::mayDrop(pos, s, oracle::Kind(kind), tx, ty))
              << "drop of " << code << " on " << tx << ' ' << ty;
    }
}

struct Tally {
  int games = 0, moves = 0, drops = 0, promotions = 0, explosions = 0, kingsBlown = 0;
  int forcedPromotions = 0; // moves whose unpromoted form the rules refused
};

void report(const Tally& t) {
  std::printf(
      "games %d, moves %d, drops %d, promotions %d (%d forced), explosions %d, "
      "kings lost %d\n",
      t.games, t.moves, t.drops, t.promotions, t.forcedPromotions, t.explosions, t.kingsBlown);
}

// The oracle plays each game alongside: before every move the two agree on
// every reach and every legal move, after it on the position.
class SideBySide : public testing::GameVisitor {
public:
  SideBySide(bool drops, Tally& counts) : tally(counts), drops_(drops) {}
  Tally& tally;

  void startGame(Game& g, unsigned seed, bool upper) override {
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) pos_.at[x][y] = oracle::pieceOf(g.BOARD[x][y]);
    for (int k = oracle::PAWN; k <= oracle::ROOK; ++k) {
      pos_.hand[LOWER][k] = g.HAND_SITA[k];
      pos_.hand[UPPER][k] = g.HAND_UE[k];
    }
    seed_ = seed;
    side_ = upper ? UPPER : LOWER;
    last_ = " none";
    ++tally.games;
    ASSERT_NO_FATAL_FAILURE(expectSamePosition(g, pos_)) << "before the first move";
  }
  void beforePly(Game& g, bool, const std::vector<Move>&) override {
    where_ = "seed " + std::to_string(seed_) + (drops_ ? ", drops" : ", no drops") + ", " +
             (side_ == LOWER ? "lower" : "upper") + " to move after" + last_ + "\n";
    ASSERT_NO_FATAL_FAILURE(expectSameReach(g, pos_)) << where_ << oracle::describe(pos_);
    const std::vector<Key> game = gameMoves(g, side_, drops_);
    const std::vector<Key> expected = oracleMoves(pos_, side_, drops_);
    ASSERT_TRUE(game == expected) << where_ << oracle::describe(pos_) << difference(game, expected);
  }
  void afterPly(Game& g, const testing::Ply& p) override {
    const Key played{p.move.fx, p.move.fy, p.move.tx, p.move.ty, p.move.code};
    last_ = text({played});
    const auto moves = oracle::legalMoves(pos_, side_, drops_);
    const auto m = std::find_if(moves.begin(), moves.end(),
                                [&](const oracle::Move& o) { return keyOf(pos_, o) == played; });
    ASSERT_NE(m, moves.end()) << where_ << "move" << last_;
    tally.drops += m->drop != oracle::NONE;
    tally.promotions += m->promote;
    tally.forcedPromotions +=
        m->promote && !std::any_of(moves.begin(), moves.end(), [&](auto& o) {
          return o.fx == m->fx && o.fy == m->fy && o.tx == m->tx && o.ty == m->ty && !o.promote;
        });
    const int blown = oracle::play(pos_, *m);
    tally.explosions += blown > 0;
    ++tally.moves;
    ASSERT_EQ(p.blast.count, blown) << where_ << "move" << last_;
    ASSERT_NO_FATAL_FAILURE(expectSamePosition(g, pos_)) << where_ << "move" << last_ << '\n'
                                                         << oracle::describe(pos_);
    const bool lowerKing = oracle::kingOnBoard(pos_, LOWER);
    const bool upperKing = oracle::kingOnBoard(pos_, UPPER);
    // A king gone is one the move reports lost, taken or blown up.
    ASSERT_EQ(!lowerKing, p.effects.captured == CODE_SITA_OU || p.blast.lowerKingLost)
        << where_ << "move" << last_;
    ASSERT_EQ(!upperKing, p.effects.captured == CODE_UE_OU || p.blast.upperKingLost)
        << where_ << "move" << last_;
    side_ = side_ == LOWER ? UPPER : LOWER;
  }
  void endGame(Game&, int) override {
    tally.kingsBlown += !oracle::kingOnBoard(pos_, LOWER) || !oracle::kingOnBoard(pos_, UPPER);
  }

private:
  bool drops_;
  oracle::Position pos_;
  unsigned seed_ = 0;
  Side side_ = LOWER;
  std::string last_, where_;
};

Tally sideBySide(testing::RandomGames games) {
  Tally tally;
  for (bool drops : {true, false}) {
    games.drops = drops;
    SideBySide check(drops, tally);
    testing::playRandomGames(games, check);
    if (::testing::Test::HasFatalFailure()) break;
  }
  report(tally);
  return tally;
}

TEST(RulesOracle, GamesFromTheStartAgreeMoveByMove) {
  testing::RandomGames games;
  games.games = 8;
  games.plies = 240;
  const Tally tally = sideBySide(games);
  // The games reached what they are meant to compare.
  EXPECT_GT(tally.drops, 50);
  EXPECT_GT(tally.promotions, 30);
  EXPECT_GT(tally.forcedPromotions, 3);
  EXPECT_GT(tally.explosions, 50);
  EXPECT_GT(tally.kingsBlown, 5);
}

TEST(RulesOracle, GamesFromScatteredPositionsAgreeMoveByMove) {
  testing::RandomGames games;
  games.firstSeed = 100;
  games.games = 40;
  games.plies = 60;
  games.scattered = true;
  const Tally tally = sideBySide(games);
  EXPECT_GT(tally.drops, 100);
  EXPECT_GT(tally.forcedPromotions, 20);
  EXPECT_GT(tally.explosions, 80);
  EXPECT_GT(tally.kingsBlown, 25);
}

} // namespace
} // namespace korvanu
