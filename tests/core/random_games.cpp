#include "random_games.h"

#include <gtest/gtest.h>

#include <random>

#include "position.h"
#include "rules/legality.h"
#include "rules/record.h"
#include "rules_oracle.h"

namespace korvanu::testing {

namespace {

using oracle::LOWER;
using oracle::Side;
using oracle::UPPER;

// Every piece of a full set somewhere: both kings on the board, the others on
// a random square for a random side, promoted or not, or in a random hand.
// Unpromoted pieces are kept off the rows where they could never move, and
// one side's unpromoted pawns off each other's columns, as play leaves them.
oracle::Position scatteredPosition(std::mt19937& rng) {
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

void load(Game& g, const oracle::Position& pos) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = oracle::codeOf(pos.at[x][y]);
  g.HAND_SITA_TOTAL = g.HAND_UE_TOTAL = 0;
  for (int k = oracle::PAWN; k <= oracle::ROOK; ++k) {
    g.HAND_SITA_TOTAL += g.HAND_SITA[k] = pos.hand[LOWER][k];
    g.HAND_UE_TOTAL += g.HAND_UE[k] = pos.hand[UPPER][k];
  }
}

Move choose(const Game& g, const std::vector<Move>& moves, const RandomGames& mix,
            std::mt19937& rng) {
  std::vector<Move> quiet, captures, drops;
  for (const Move& m : moves) {
    if (isDropColumn(m.fx))
      drops.push_back(m);
    else
      (g.BOARD[m.tx][m.ty] == EMPTY ? quiet : captures).push_back(m);
  }
  const int roll = int(rng() % unsigned(mix.captures + mix.dropShare + mix.quiet));
  const std::vector<Move>* pool = roll < mix.captures                   ? &captures
                                  : roll < mix.captures + mix.dropShare ? &drops
                                                                        : &quiet;
  if (pool->empty()) pool = &moves;
  return (*pool)[rng() % pool->size()];
}

bool bothKings(Game& g) {
  return 調査_駒存在(g, CODE_SITA_OU) == ON && 調査_駒存在(g, CODE_UE_OU) == ON;
}

void playOne(const RandomGames& games, unsigned seed, GameVisitor& visitor) {
  std::mt19937 rng(seed);
  Game g;
  startingGame(g);
  if (games.scattered) load(g, scatteredPosition(rng));
  bool upper = seed % 2;
  visitor.startGame(g, seed, upper);
  int n = 0;
  for (; n < games.plies && bothKings(g); ++n) {
    if (::testing::Test::HasFatalFailure()) return;
    std::vector<Move> moves = playableMoves(g, upper);
    if (!games.drops) std::erase_if(moves, [](const Move& m) { return isDropColumn(m.fx); });
    visitor.beforePly(g, upper, moves);
    if (moves.empty() || ::testing::Test::HasFatalFailure()) break;
    Ply ply{n, upper, choose(g, moves, games, rng), positionOf(g), {}, {}, {}};
    ply.effects = 駒移動(g, ply.move.fx, ply.move.fy, ply.move.tx, ply.move.ty, ply.move.code);
    ply.blast = explodeAfterCapture(g, ply.effects);
    ply.after = positionOf(g);
    visitor.afterPly(g, ply);
    upper = !upper;
  }
  if (!::testing::Test::HasFatalFailure()) visitor.endGame(g, n);
}

} // namespace

void playRandomGames(const RandomGames& games, GameVisitor& visitor) {
  for (unsigned seed = games.firstSeed; seed < games.firstSeed + games.games; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    playOne(games, seed, visitor);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

} // namespace korvanu::testing
