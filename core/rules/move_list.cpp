#include "rules/move_list.h"

#include "rules/move_gen.h"

namespace korvanu {

std::vector<Move> playableMoves(const Position& p, bool upper) {
  MoveList list;
  generateAllMoves(p, upper, true, list);
  return {list.begin(), list.end()};
}

} // namespace korvanu
