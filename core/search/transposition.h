// The transposition table: what earlier visits learned of a position, found
// by its Zobrist key. Fixed size, one entry a slot, the deeper (or newer)
// result kept.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/position_moves.h"

namespace korvanu::search {

enum class Bound : std::uint8_t { None, Upper, Lower, Exact };

struct TableEntry {
  Key key = 0;
  std::uint32_t move = 0; // packMove; 0 for none
  std::int16_t score = 0;
  std::int8_t depth = 0;
  Bound bound = Bound::None;
};

// A move in 32 bits (0 is no move): every field fits a byte.
std::uint32_t packMove(const Move& m);
Move unpackMove(std::uint32_t packed);

class TranspositionTable {
public:
  explicit TranspositionTable(std::size_t megabytes);
  std::size_t megabytes() const { return megabytes_; }
  // Forgets every entry: as good as a new table of the same size.
  void clear();
  // The entry for `key`, or null when the slot holds another position.
  const TableEntry* probe(Key key) const;
  // Starts reading the slot of `key` into the cache ahead of its probe.
  void prefetch(Key key) const { __builtin_prefetch(&slots_[key & mask_]); }
  // Keeps the result unless the slot holds a deeper one of the same search.
  void store(Key key, const Move* move, int score, int depth, Bound bound);

private:
  std::vector<TableEntry> slots_;
  std::size_t mask_;
  std::size_t megabytes_;
};

} // namespace korvanu::search
