// Every move of a side, made from the pieces' step tables: what the computer,
// the move list, the move marks and a search all walk.
#pragma once

#include <cstdint>

#include "rules/make_move.h"

namespace korvanu {

// More than any position of a game can offer; a made-up position that offers
// more keeps the first ones.
constexpr int MAX_MOVES = 1024;

struct MoveList {
  Move moves[MAX_MOVES];
  int count = 0;
  const Move* begin() const { return moves; }
  const Move* end() const { return moves + count; }
};

// Every move of a side in the computer's order: board moves by origin (column
// by column, each from the top), each by destination in the same order, a
// move that may promote twice (plain, then promoted) and one that must
// promote once; then, when `drops`, the drops by kind and destination.
// Nothing at all once either king is gone.
void generateMoves(const Position& p, bool upper, bool drops, MoveList& out);
// The same, whether or not the kings stand: for the game's own lists.
void generateAllMoves(const Position& p, bool upper, bool drops, MoveList& out);
// The board moves of generateMoves that capture, in its order: what a
// search plays out at its leaves.
void generateCaptures(const Position& p, bool upper, MoveList& out);
// How many moves generateMoves would give, without listing them.
int countMoves(const Position& p, bool upper, bool drops);

// The number of move sequences of `depth` moves from `p`, sides alternating
// from `upper`; the last move is counted in bulk. `p` is left as it was.
std::uint64_t perft(Position& p, bool upper, bool drops, int depth);

} // namespace korvanu
