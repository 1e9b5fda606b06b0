#include "search/transposition.h"

#include <algorithm>

namespace korvanu::search {

std::uint32_t packMove(const Move& m) {
  // Columns run -1..11 and codes -80..80: offset into one byte each.
  return static_cast<std::uint32_t>(m.fx + 2) | static_cast<std::uint32_t>(m.fy) << 8 |
         static_cast<std::uint32_t>(m.tx) << 16 | static_cast<std::uint32_t>(m.ty) << 20 |
         static_cast<std::uint32_t>(m.code + 128) << 24;
}

Move unpackMove(std::uint32_t packed) {
  return {static_cast<int>(packed & 0xff) - 2, static_cast<int>(packed >> 8 & 0xff),
          static_cast<int>(packed >> 16 & 0xf), static_cast<int>(packed >> 20 & 0xf),
          static_cast<int>(packed >> 24) - 128};
}

TranspositionTable::TranspositionTable(std::size_t megabytes) : megabytes_(megabytes) {
  std::size_t count = 1;
  while (count * 2 * sizeof(TableEntry) <= megabytes << 20) count *= 2;
  slots_.resize(count);
  mask_ = count - 1;
}

void TranspositionTable::clear() { std::fill(slots_.begin(), slots_.end(), TableEntry{}); }

const TableEntry* TranspositionTable::probe(Key key) const {
  const TableEntry& e = slots_[key & mask_];
  return e.bound != Bound::None && e.key == key ? &e : nullptr;
}

void TranspositionTable::store(Key key, const Move* move, int score, int depth, Bound bound) {
  TableEntry& e = slots_[key & mask_];
  // A shallower result for the same position does not push out a deeper one,
  // unless it is exact; another position always takes the slot.
  if (e.key == key && e.bound != Bound::None && depth < e.depth && bound != Bound::Exact) return;
  const std::uint32_t keep = e.key == key ? e.move : 0;
  e.key = key;
  e.move = move ? packMove(*move) : keep;
  e.score = static_cast<std::int16_t>(score);
  e.depth = static_cast<std::int8_t>(depth);
  e.bound = bound;
}

} // namespace korvanu::search
