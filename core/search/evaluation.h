// Level 4's judgement of a position without searching it: material on the
// board and in hand, and what the explosions make dangerous round each king.
#pragma once

#include <cstdint>

#include "rules/position_moves.h"

namespace korvanu::search {

// A lost king outweighs any material: the search scores it as a lost game.
constexpr int KING_VALUE = 10000;

// The terms matches and the tuner set; the defaults are the tuned values.
struct EvalWeights {
  // A piece on the board by kind (1 pawn … 7 rook) and promoted or not. A
  // promoted pawn is a gold that a blast takes, so it is worth less than the
  // pawn's immunity makes a gold.
  int values[8][2] = {{0, 0},     {100, 450}, {280, 460}, {320, 470},
                      {450, 480}, {520, 520}, {700, 950}, {850, 1100}};
  int handPercent = 115; // a piece in hand against the same piece on the board (drops on)
  int crowdOwn = 40;     // each own piece beside one's king: a capture there blows it up
  int crowdOwnPawn = 20; // the same for an unpromoted pawn, which survives other blasts
  int crowdEnemy = 15;   // each enemy piece beside one's king
  int pawnAdvance = 4;   // each row an unpromoted pawn has come forward
  int attack = 4;        // each step nearer the enemy king than five, for a piece but a pawn
  int pawnStorm = 0;     // the same for an unpromoted pawn: no blast removes it
  int guard = 0;       // each own piece two squares from one's king: near, yet no blast takes both
  int kingOut = 0;     // each row the king stands beyond its camp's three rows
  int undeveloped = 0; // each silver or knight still on its first row
  int progress = 0;    // the side ahead in material, by its lead, for its pieces' attack
};

// The weights made ready for the search, which judges every position with
// them: the pieces' worth looked up by code.
class Evaluator {
public:
  explicit Evaluator(const EvalWeights& w = {});

  // Worth of a piece standing on the board (a king: KING_VALUE).
  int boardValue(int code) const { return board_[code + 80]; }
  // Worth of a piece of this kind in hand: nothing when drops are off.
  int handValue(int kind, bool drops) const { return drops ? hand_[kind & 7] : 0; }

  // The position for the side to move (`upper`: the upper side), in
  // hundredths of a pawn, both kings standing.
  int evaluate(const Position& p, bool upper, bool drops) const;

  // What a move changes in material for the side making it, before it is
  // made: the piece it takes, everything its blast takes from both sides and
  // the hands all of them go to, the mover's own piece included.
  int materialGain(const Position& p, const Move& m, bool drops) const;

private:
  enum Role : std::uint8_t { NONE, PAWN, MINOR, OTHER }; // a minor piece: a knight or silver
  EvalWeights w_;
  int board_[161];
  int signed_[161]; // by code: its worth for the upper side; nothing for a king
  Role role_[161];
  int hand_[8];
};

// The same with weights made ready for one call.
int boardValue(int code, const EvalWeights& w = {});
int handValue(int kind, bool drops, const EvalWeights& w = {});
int evaluate(const Position& p, bool upper, bool drops, const EvalWeights& w = {});
int materialGain(const Position& p, const Move& m, bool drops, const EvalWeights& w = {});

} // namespace korvanu::search
