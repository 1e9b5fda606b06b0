#include "rules/record.h"

#include <cstring>

#include "rules/make_move.h"
#include "state/game.h"

namespace korvanu {

void 手順保存(Game& g, double a, double b, double c, double d) {
  if (g.MOVE_NO < 0) return;
  const auto n = static_cast<size_t>(g.MOVE_NO);
  if (n >= g.REC.size()) g.REC.resize(n + 1);
  RecordEntry& e = g.REC[n];
  std::memcpy(e.BOARD, g.BOARD, sizeof e.BOARD);
  std::memcpy(e.HAND_SITA, g.HAND_SITA, sizeof e.HAND_SITA);
  std::memcpy(e.HAND_UE, g.HAND_UE, sizeof e.HAND_UE);
  e.TIME_A = a;
  e.TIME_B = b;
  e.TIME_C = c;
  e.TIME_D = d;
}

void recordMove(Game& g, double manTotal, double comTotal) {
  ++g.MOVE_NO;
  ++g.GAME_MOVES;
  g.RECORD_LAST = g.MOVE_NO;
  手順保存(g, manTotal, manTotal, comTotal, comTotal);
  g.RECORD_UNSAVED = true;
  g.RECORD_PLAYED_MODE = g.GAME_MODE;
}

int lastShownEntry(const Game& g) {
  const int held = static_cast<int>(g.REC.size()) - 1;
  return g.RECORD_LAST < held ? g.RECORD_LAST : held;
}

void restorePosition(Position& p, const RecordEntry& e) {
  std::memcpy(p.BOARD, e.BOARD, sizeof p.BOARD);
  p.HAND_SITA_TOTAL = p.HAND_UE_TOTAL = 0;
  for (int k = 1; k <= 7; ++k) {
    p.HAND_SITA[k] = e.HAND_SITA[k];
    p.HAND_UE[k] = e.HAND_UE[k];
    p.HAND_SITA_TOTAL += e.HAND_SITA[k];
    p.HAND_UE_TOTAL += e.HAND_UE[k];
  }
  findKings(p);
}

RecordEntry positionOf(const Position& p) {
  RecordEntry e;
  std::memcpy(e.BOARD, p.BOARD, sizeof e.BOARD);
  std::memcpy(e.HAND_SITA, p.HAND_SITA, sizeof e.HAND_SITA);
  std::memcpy(e.HAND_UE, p.HAND_UE, sizeof e.HAND_UE);
  return e;
}

} // namespace korvanu
