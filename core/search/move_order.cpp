#include "search/move_order.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "state/game.h"

namespace korvanu::search {

namespace {

constexpr int TABLE_MOVE = 1 << 30;
constexpr int GOOD_CAPTURE = 1 << 28;
constexpr int KILLER = 1 << 27;
constexpr int BAD_CAPTURE = -(1 << 28);
constexpr int HISTORY_CAP = 1 << 16;
// Moves picked one by one before the rest are sorted.
constexpr int PICKED = 4;

bool same(const Move& a, const Move& b) {
  return a.fx == b.fx && a.fy == b.fy && a.tx == b.tx && a.ty == b.ty && a.code == b.code;
}

int& historyOf(HistoryTable& h, const Move& m) { return h.score[m.code + 80][m.tx][m.ty]; }

} // namespace

void historyAdd(HistoryTable& h, const Move& m, int bonus) {
  // Each change pulls the value less the nearer it is to the cap, so that it
  // stays within ±HISTORY_CAP and a move that stopped working loses it soon.
  bonus = std::clamp(bonus, -HISTORY_CAP, HISTORY_CAP);
  int& v = historyOf(h, m);
  v += bonus - static_cast<int>(static_cast<long long>(v) * std::abs(bonus) / HISTORY_CAP);
}

void OrderedMoves::rank(const Position& p, bool drops, const Evaluator& e, const Move* tableMove,
                        const Move (&killers)[2], const HistoryTable& history) {
  taken_ = 0;
  sorted_ = false;
  for (int i = 0; i < moves.count; ++i) {
    const Move& m = moves.moves[i];
    Ranked& r = ranked_[i];
    r.move = m;
    r.quiet = p.BOARD[m.tx][m.ty] == EMPTY;
    r.killer = r.quiet && (same(m, killers[0]) || same(m, killers[1]));
    r.gain = e.materialGain(p, m, drops);
    if (tableMove && same(m, *tableMove))
      r.key = TABLE_MOVE;
    else if (!r.quiet)
      r.key = (r.gain >= 0 ? GOOD_CAPTURE : BAD_CAPTURE) + r.gain;
    else if (r.killer)
      r.key = same(m, killers[0]) ? KILLER + 1 : KILLER;
    else
      r.key = history.score[m.code + 80][m.tx][m.ty] + r.gain;
  }
}

void OrderedMoves::rankCaptures(const Position& p, bool drops, const Evaluator& e) {
  taken_ = 0;
  sorted_ = false;
  for (int i = 0; i < moves.count; ++i) {
    Ranked& r = ranked_[i];
    r.move = moves.moves[i];
    r.gain = e.materialGain(p, r.move, drops);
    r.key = r.gain;
    r.quiet = r.killer = false;
  }
}

bool OrderedMoves::next(Move& m) {
  if (taken_ >= moves.count) return false;
  // The first few are picked one at a time, as a cut-off often comes with
  // them; past those the node will likely see every move: sorted at once.
  if (!sorted_ && taken_ >= PICKED) {
    std::stable_sort(ranked_ + taken_, ranked_ + moves.count,
                     [](const Ranked& a, const Ranked& b) { return a.key > b.key; });
    sorted_ = true;
  }
  if (!sorted_) {
    int best = taken_;
    for (int i = taken_ + 1; i < moves.count; ++i)
      if (ranked_[i].key > ranked_[best].key) best = i;
    if (best != taken_) std::swap(ranked_[best], ranked_[taken_]);
  }
  last_ = taken_++;
  m = ranked_[last_].move;
  return true;
}

} // namespace korvanu::search
