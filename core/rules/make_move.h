// Moves made on a bare position and taken back exactly, with a Zobrist key
// kept up to date: what a search walks its tree with. The game's own move
// procedures (rules/moves.h) are wrappers over these.
#pragma once

#include <cstdint>

#include "rules/moves.h"
#include "state/position.h"

namespace korvanu {

// A move: from (fx, fy) to (tx, ty); `code` is what stands on the destination
// afterwards (already promoted when the move promotes). A drop comes from
// (11, kind + 2) for the lower side or (-1, kind) for the upper side.
struct Move {
  int fx, fy, tx, ty, code;
  bool operator==(const Move&) const = default;
};

// Board and both hands' counts, hashed; the side to move is not in it.
using Key = std::uint64_t;
Key keyOf(const Position& p);

// The piece moves or is dropped; a captured piece goes into the capturer's
// hand (a king into none), and a king that moves takes its square along.
// `key` follows every change. No explosion yet.
MoveEffects movePiece(Position& p, int fromX, int fromY, int toX, int toY, int piece, Key& key);
// The explosion that follows a capture: every piece of the block round the
// capture square but unpromoted pawns goes into its opponent's hand (a king
// is lost) and its square is emptied, in board order.
ExplosionEffects explode(Position& p, const MoveEffects& move, Key& key);

// What a move did and what taking it back needs: the piece that stood on the
// origin, what it captured, the blown-up pieces with their squares (each went
// to its opponent's hand), the kings' squares and the key before.
struct Undo {
  MoveEffects move;
  ExplosionEffects blast;
  Key keyBefore = 0;
  int moved = 0;
  int ouSitaX = 0, ouSitaY = 0, ouUeX = 0, ouUeY = 0;
};

// The move with its capture and explosion; no allocation.
Undo makeMove(Position& p, const Move& m, Key& key);
// Takes back the move `u` reports; position and key are as before it.
void unmakeMove(Position& p, const Move& m, const Undo& u, Key& key);

// A captured or blown-up piece goes, unpromoted, to its opponent's hand and
// counts in its total; a king goes to no hand.
void intoHand(Position& p, int code, Key& key);

enum class Winner { None, Sita, Ue };

// The side left with its king, as the game names it when a king is lost:
// should both go, the lower side is named first.
Winner winnerOf(const Position& p);

// Puts the kings' squares where the kings stand (a missing king's is left).
void findKings(Position& p);

} // namespace korvanu
