// Seeded random games played side by side by the game's rules and by the
// plain second account in rules_oracle: before every move the two must agree
// on every legal move (from, to, promoted or not) and on every piece's reach
// and drop square; after it, on the board, the hands and the explosion.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "play/setup.h"
#include "position.h"
#include "rules/legality.h"
#include "rules/moves.h"
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
  調査_2歩フラグ設定(g);
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

// Mostly quiet moves, so that games grow long; now and then a capture or a drop.
oracle::Move pick(const oracle::Position& pos, const std::vector<oracle::Move>& moves,
                  std::mt19937& rng) {
  std::vector<oracle::Move> quiet, captures, drops;
  for (const oracle::Move& m : moves) {
    if (m.drop != oracle::NONE)
      drops.push_back(m);
    else
      (pos.at[m.tx][m.ty].kind == oracle::NONE ? quiet : captures).push_back(m);
  }
  const unsigned roll = rng() % 16;
  const std::vector<oracle::Move>* pool = &moves;
  if (roll == 0 && !captures.empty())
    pool = &captures;
  else if (roll <= 3 && !drops.empty())
    pool = &drops;
  else if (!quiet.empty())
    pool = &quiet;
  return (*pool)[rng() % pool->size()];
}

void playBoth(Game& g, oracle::Position pos, Side side, bool drops, unsigned seed, int plies,
              Tally& tally) {
  std::mt19937 rng(seed);
  ++tally.games;
  ASSERT_NO_FATAL_FAILURE(expectSamePosition(g, pos)) << "before the first move";
  std::string last = "none";
  for (int ply = 0; ply < plies; ++ply) {
    if (!oracle::kingOnBoard(pos, LOWER) || !oracle::kingOnBoard(pos, UPPER)) {
      ++tally.kingsBlown;
      break;
    }
    const std::string where = "seed " + std::to_string(seed) + (drops ? ", drops" : ", no drops") +
                              ", ply " + std::to_string(ply) +
                              (side == LOWER ? ", lower" : ", upper") + " to move after" + last +
                              "\n";
    ASSERT_NO_FATAL_FAILURE(expectSameReach(g, pos)) << where << oracle::describe(pos);
    const std::vector<Key> game = gameMoves(g, side, drops);
    const std::vector<Key> expected = oracleMoves(pos, side, drops);
    ASSERT_TRUE(game == expected) << where << oracle::describe(pos) << difference(game, expected);
    const auto moves = oracle::legalMoves(pos, side, drops);
    if (moves.empty()) break;

    const oracle::Move m = pick(pos, moves, rng);
    const Key k = keyOf(pos, m);
    last = text({k});
    tally.drops += m.drop != oracle::NONE;
    tally.promotions += m.promote;
    tally.forcedPromotions +=
        m.promote && !std::any_of(moves.begin(), moves.end(), [&](auto& o) {
          return o.fx == m.fx && o.fy == m.fy && o.tx == m.tx && o.ty == m.ty && !o.promote;
        });
    const int blown = oracle::play(pos, m);
    tally.explosions += blown > 0;
    ++tally.moves;
    ASSERT_EQ(playMove(g, k[0], k[1], k[2], k[3], k[4]), blown) << where << "move" << last;
    ASSERT_NO_FATAL_FAILURE(expectSamePosition(g, pos)) << where << "move" << last << '\n'
                                                        << oracle::describe(pos);
    const bool lowerKing = oracle::kingOnBoard(pos, LOWER);
    const bool upperKing = oracle::kingOnBoard(pos, UPPER);
    if (lowerKing != upperKing) { // the side whose king is left wins
      ASSERT_EQ(g.WINNER, lowerKing ? g.SIDE_MAN : g.SIDE_COM) << where << "move" << last;
    }
    side = side == LOWER ? UPPER : LOWER;
  }
}

// Every piece of a full set somewhere: both kings on the board, the others on
// a random square for a random side, promoted or not, or in a random hand.
// Unpromoted pieces are kept off the rows where they could never move, and
// one side's unpromoted pawns off each other's columns, as play leaves them.
oracle::Position randomPosition(std::mt19937& rng) {
  oracle::Position pos;
  auto coin = [&](int percent) { return int(rng() % 100) < percent; };
  auto emptySquare = [&](int& x, int& y) {
    do {
      x = 1 + rng() % 9;
      y = 1 + rng() % 9;
    } while (pos.at[x][y].kind != oracle::NONE);
  };
  const int onBoard = 30 + rng() % 50;
  int x = 0, y = 0;
  for (Side s : {LOWER, UPPER}) {
    emptySquare(x, y);
    pos.at[x][y] = {oracle::KING, s, false};
  }
  const int count[8] = {0, 18, 4, 4, 4, 4, 2, 2};
  for (int k = oracle::PAWN; k <= oracle::ROOK; ++k)
    for (int n = 0; n < count[k]; ++n) {
      const Side s = coin(50) ? LOWER : UPPER;
      if (!coin(onBoard)) {
        ++pos.hand[s][k];
        continue;
      }
      emptySquare(x, y);
      oracle::Piece p{oracle::Kind(k), s, k != oracle::GOLD && coin(25)};
      const int far = s == LOWER ? y : 10 - y;
      const bool stuck =
          k == oracle::PAWN || k == oracle::LANCE ? far == 1 : k == oracle::KNIGHT && far <= 2;
      bool secondPawn = false;
      for (int row = 1; row <= 9; ++row) {
        const oracle::Piece& o = pos.at[x][row];
        secondPawn |= k == oracle::PAWN && o.kind == oracle::PAWN && !o.promoted && o.side == s;
      }
      if (stuck || secondPawn) p.promoted = true;
      pos.at[x][y] = p;
    }
  return pos;
}

void load(testing::EmptyGame& p, const oracle::Position& pos) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) p.g.BOARD[x][y] = oracle::codeOf(pos.at[x][y]);
  for (int k = oracle::PAWN; k <= oracle::ROOK; ++k) {
    p.g.HAND_SITA[k] = pos.hand[LOWER][k];
    p.g.HAND_UE[k] = pos.hand[UPPER][k];
  }
  p.recount();
}

TEST(RulesOracle, GamesFromTheStartAgreeMoveByMove) {
  Tally tally;
  for (bool drops : {true, false})
    for (unsigned seed = 1; seed <= 8; ++seed) {
      testing::EmptyGame p;
      初期設定(p.g);
      const Side first = seed % 2 ? LOWER : UPPER;
      ASSERT_NO_FATAL_FAILURE(
          playBoth(p.g, oracle::startingPosition(), first, drops, seed, 240, tally));
    }
  report(tally);
  // The games reached what they are meant to compare.
  EXPECT_GT(tally.drops, 50);
  EXPECT_GT(tally.promotions, 30);
  EXPECT_GT(tally.forcedPromotions, 3);
  EXPECT_GT(tally.explosions, 50);
  EXPECT_GT(tally.kingsBlown, 5);
}

TEST(RulesOracle, GamesFromScatteredPositionsAgreeMoveByMove) {
  Tally tally;
  std::mt19937 rng(20240611);
  for (bool drops : {true, false})
    for (unsigned seed = 100; seed < 140; ++seed) {
      const oracle::Position start = randomPosition(rng);
      testing::EmptyGame p;
      load(p, start);
      const Side first = seed % 2 ? LOWER : UPPER;
      ASSERT_NO_FATAL_FAILURE(playBoth(p.g, start, first, drops, seed, 60, tally));
    }
  report(tally);
  EXPECT_GT(tally.drops, 100);
  EXPECT_GT(tally.forcedPromotions, 20);
  EXPECT_GT(tally.explosions, 80);
  EXPECT_GT(tally.kingsBlown, 25);
}

} // namespace
} // namespace korvanu
