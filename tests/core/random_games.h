// Seeded random games played by the rules, from the starting position or
// from a scattered one: each ply a playable move chosen by the game's own
// seeded generator, up to a bound, until a king is lost or nothing can be
// played. What a test checks rides along as a visitor.
#pragma once

#include <vector>

#include "rules/move_list.h"
#include "rules/moves.h"
#include "state/game.h"

namespace korvanu::testing {

// One ply as it was played.
struct Ply {
  int n = 0;          // 0 for the first of the game
  bool upper = false; // the side that moved
  Move move{};
  RecordEntry before, after; // board and hands either side of it
  MoveEffects effects;
  ExplosionEffects blast;
};

// The checks. Any hook may fail, fatally too: the games stop at the first
// fatal failure.
class GameVisitor {
public:
  virtual ~GameVisitor() = default;
  // The game is set up; `upper` moves first.
  virtual void startGame(Game&, unsigned /*seed*/, bool /*upper*/) {}
  // Before each ply: the moves the side to move may choose from.
  virtual void beforePly(Game&, bool /*upper*/, const std::vector<Move>& /*playable*/) {}
  virtual void afterPly(Game&, const Ply&) {}
  virtual void endGame(Game&, int /*plies*/) {}
};

struct RandomGames {
  unsigned firstSeed = 1, games = 1; // one game a seed
  // Every piece of a full set somewhere, both kings on the board; else the
  // starting position.
  bool scattered = false;
  int plies = 300; // at most, a game
  bool drops = true;
  // Mostly quiet moves, so that games grow long: how often a capture, a drop
  // and a quiet board move are looked for (any move, when none of the kind).
  int captures = 1, dropShare = 3, quiet = 12;
};

void playRandomGames(const RandomGames& games, GameVisitor& visitor);

} // namespace korvanu::testing
