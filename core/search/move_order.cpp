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

void OrderedMoves::rank(const Position& p, bool drops, const EvalWeights& w, const Move* tableMove,
                        const Move (&killers)[2], const HistoryTable& history) {
  taken_ = 0;
  for (int i = 0; i < moves.count; ++i) {
    const Move& m = moves.moves[i];
    quiet_[i] = p.BOARD[m.tx][m.ty] == EMPTY;
    killer_[i] = quiet_[i] && (same(m, killers[0]) || same(m, killers[1]));
    gains_[i] = materialGain(p, m, drops, w);
    if (tableMove && same(m, *tableMove))
      keys_[i] = TABLE_MOVE;
    else if (!quiet_[i])
      keys_[i] = (gains_[i] >= 0 ? GOOD_CAPTURE : BAD_CAPTURE) + gains_[i];
    else if (killer_[i])
      keys_[i] = same(m, killers[0]) ? KILLER + 1 : KILLER;
    else
      keys_[i] = history.score[m.code + 80][m.tx][m.ty] + gains_[i];
  }
}

void OrderedMoves::rankCaptures(const Position& p, bool drops, const EvalWeights& w) {
  taken_ = 0;
  for (int i = 0; i < moves.count; ++i) {
    gains_[i] = materialGain(p, moves.moves[i], drops, w);
    keys_[i] = gains_[i];
    quiet_[i] = false;
    killer_[i] = false;
  }
}

bool OrderedMoves::next(Move& m) {
  if (taken_ >= moves.count) return false;
  int best = taken_;
  for (int i = taken_ + 1; i < moves.count; ++i)
    if (keys_[i] > keys_[best]) best = i;
  if (best != taken_) {
    std::swap(moves.moves[best], moves.moves[taken_]);
    std::swap(keys_[best], keys_[taken_]);
    std::swap(gains_[best], gains_[taken_]);
    std::swap(quiet_[best], quiet_[taken_]);
    std::swap(killer_[best], killer_[taken_]);
  }
  last_ = taken_++;
  m = moves.moves[last_];
  return true;
}

} // namespace korvanu::search
