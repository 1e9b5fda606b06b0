#include "search/search.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include "rules/king_danger.h"
#include "search/evaluation.h"
#include "search/move_order.h"
#include "search/transposition.h"
#include "search/tuning.h"

namespace korvanu {

namespace search {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int MAX_PLY = 64;
constexpr int INFINITE = SCORE_MATE + 1;
// Threats to the king answered a ply deeper, at most so many on one line: a
// king walked out is in danger at every node, and a bound by depth let such
// lines run twice as long as the rest with nothing cut.
constexpr int LINE_EXTENSIONS = 3;
// The first window round the last depth's score, widened on a miss.
constexpr int ASPIRATION = 50;
// The clock is read every so many nodes: a few microseconds apart.
constexpr std::int64_t CLOCK_EVERY = 256;
// The part of the time a move that is searched: the rest answers the move
// and leaves room for a busy machine.
constexpr double TIME_USED = 0.94;
// The depth up to which a position far above beta is not searched further.
constexpr int STAND_DEPTH = 5;
// How much shallower a late quiet move is searched first, by depth and by
// its place in the order: more the later and the deeper.
struct Reductions {
  int r[64][64];
};
const Reductions REDUCTIONS = [] {
  Reductions t{};
  for (int d = 1; d < 64; ++d)
    for (int i = 1; i < 64; ++i)
      t.r[d][i] = static_cast<int>(0.5 + std::log(d) * std::log(i) / 2.0);
  return t;
}();
// Mixed into the key of a position with the upper side to move.
constexpr Key UPPER_TO_MOVE = 0x9e3779b97f4a7c15ULL;

int toTable(int score, int ply) {
  if (score >= SCORE_MATE_FOUND) return score + ply;
  if (score <= -SCORE_MATE_FOUND) return score - ply;
  return score;
}
int fromTable(int score, int ply) {
  if (score >= SCORE_MATE_FOUND) return score - ply;
  if (score <= -SCORE_MATE_FOUND) return score + ply;
  return score;
}

bool sameMove(const Move& a, const Move& b) {
  return a.fx == b.fx && a.fy == b.fy && a.tx == b.tx && a.ty == b.ty && a.code == b.code;
}

class Searcher {
public:
  Searcher(const SearchOptions& o, TranspositionTable& table, const Position& p, bool drops,
           const SearchLimits& limits, const std::atomic<bool>* stop)
      : options_(o),
        eval_(o.weights),
        p_(p),
        key_(keyOf(p)),
        drops_(drops),
        limits_(limits),
        stop_(stop),
        table_(table),
        start_(Clock::now()) {
    findKings(p_);
  }

  // The game's earlier positions, each keyed with its side to move: they
  // alternate back from the one before `p`.
  void rememberGame(const std::vector<Key>& history, bool upper) {
    std::size_t n = history.size();
    if (n > 0 && history[n - 1] == key_) --n; // `p` itself
    bool side = !upper;
    for (std::size_t i = n; i-- > 0; side = !side) past_.push_back(history[i] ^ sideKey(side));
    std::ranges::sort(past_);
  }

  SearchResult run(bool upper, const InfoFn& info) {
    SearchResult result;
    MoveList& root = plies_[0].moves;
    generateMoves(p_, upper, drops_, root);
    if (root.count == 0) return result;
    result.found = true;
    result.best = root.moves[0];
    int last = 0;
    rootUpper_ = upper;
    for (int depth = 1; depth < MAX_PLY - 8; ++depth) {
      rootMoveFound_ = false;
      // The side ahead by the last depth's score keeps off a repeat, the
      // side behind looks for one.
      contempt_ = std::clamp(last / 8, -options_.contempt, options_.contempt);
      choices_.clear();
      const int score = aspirate(depth, last, upper);
      if (aborted_) {
        // A move that beat the first at this depth is better than the last depth's best.
        if (rootMoveFound_) result.best = rootMove_;
        break;
      }
      last = score;
      result.best = pv_[0][0];
      finished_ = choices_;
      result.last = {depth, nodes_, score, std::vector<Move>(pv_[0], pv_[0] + pvLength_[0]),
                     elapsed()};
      if (info) info(result.last);
      canStop_ = true;
      // A lost king within the depth searched in full: nothing deeper changes it.
      if ((score >= SCORE_MATE_FOUND || score <= -SCORE_MATE_FOUND) &&
          SCORE_MATE - std::abs(score) <= depth)
        break;
      // On time the next depth starts whatever is left: the deadline ends it,
      // and what it found by then is kept.
      if (limits_.nodes > 0 && nodes_ >= limits_.nodes) break;
      if (stopRequested()) break;
    }
    if (limits_.variety > 0) result.best = chooseAmong(result);
    return result;
  }

private:
  static Key sideKey(bool upper) { return upper ? UPPER_TO_MOVE : 0; }

  // One of the last finished depth's moves within the margin of its best,
  // at random; its best when a later depth found a better one.
  Move chooseAmong(const SearchResult& result) const {
    const bool bestKnown = std::ranges::any_of(
        finished_, [&](const Choice& c) { return sameMove(c.move, result.best); });
    if (!bestKnown) return result.best;
    std::vector<Move> near{result.best};
    for (const Choice& c : finished_)
      if (!sameMove(c.move, result.best) && c.score >= result.last.score - limits_.variety)
        near.push_back(c.move);
    std::mt19937_64 rng(limits_.seed);
    return near[rng() % near.size()];
  }

  // At the root, with variety: whether a move comes within the margin of
  // the best so far, searched at full depth; kept when it does.
  void tryChoice(const Move& m, int depth, int alpha, bool upper) {
    const int floor = alpha - limits_.variety;
    const int score = -search(depth - 1, -floor - 1, -floor, 1, !upper, -2, 0);
    if (!aborted_ && score > floor) choices_.push_back({m, score});
  }

  // The root searched in a window round the last depth's score, widened
  // until the score falls inside it; the first depths and mates in full.
  int aspirate(int depth, int last, bool upper) {
    if (depth < 5 || std::abs(last) >= SCORE_MATE_FOUND)
      return search(depth, -INFINITE, INFINITE, 0, upper, -2, 0);
    int delta = ASPIRATION;
    int alpha = std::max(last - delta, -INFINITE);
    int beta = std::min(last + delta, INFINITE);
    for (;;) {
      const int score = search(depth, alpha, beta, 0, upper, -2, 0);
      if (aborted_) return score;
      if (score <= alpha && alpha > -INFINITE)
        alpha = delta > 1000 ? -INFINITE : std::max(score - delta, -INFINITE);
      else if (score >= beta && beta < INFINITE)
        beta = delta > 1000 ? INFINITE : std::min(score + delta, INFINITE);
      else
        return score;
      delta *= 3;
    }
  }

  double elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

  bool stopRequested() const { return stop_ && stop_->load(std::memory_order_relaxed); }

  // Counts the node; true once the budget is spent and a depth is finished.
  bool outOfBudget() {
    ++nodes_;
    if (!canStop_) return false;
    if (limits_.nodes > 0 && nodes_ >= limits_.nodes) aborted_ = true;
    if (nodes_ % CLOCK_EVERY == 0 &&
        (stopRequested() || (limits_.nodes <= 0 && elapsed() * 1000 >= limits_.millis * TIME_USED)))
      aborted_ = true;
    return aborted_;
  }

  // A king gone ends the game: sooner is better for the winner.
  bool decided(bool upper, int ply, int& score) const {
    const Winner w = winnerOf(p_);
    if (w == Winner::None) return false;
    score = (w == Winner::Ue) == upper ? SCORE_MATE - ply : -(SCORE_MATE - ply);
    return true;
  }

  bool repeated(int ply, int lastNull) const {
    for (int i = ply - 2; i >= 0 && i > lastNull; i -= 2)
      if (line_[i] == line_[ply]) return true;
    return lastNull < 0 && std::ranges::binary_search(past_, line_[ply]);
  }

  // True when the opponent has a capture whose blast takes this side's king:
  // what a check is in other games, though nothing forbids leaving it.
  bool inDanger(bool upper) const { return blastsKing(p_, !upper); }

  // Captures played out until the position is quiet. A side whose king
  // can be blown up may not stand on its score: it tries every move, a few
  // times a line, or the lost king would hide beyond the horizon.
  int quiesce(int alpha, int beta, int ply, bool upper, int evasions) {
    pvLength_[ply] = 0;
    if (outOfBudget()) return 0;
    int score;
    if (decided(upper, ply, score)) return score;
    if (ply >= MAX_PLY - 1) return eval_.evaluate(p_, upper, drops_);
    OrderedMoves& order = plies_[ply];
    const bool evade = evasions < options_.quietEvasions && inDanger(upper);
    int best = -INFINITE;
    if (evade) {
      generateMoves(p_, upper, drops_, order.moves);
      if (order.moves.count == 0) return -(SCORE_MATE - ply);
      order.rank(p_, drops_, eval_, nullptr, killers_[ply], history_[upper ? 1 : 0]);
      ++evasions;
    } else {
      best = eval_.evaluate(p_, upper, drops_);
      if (best >= beta) return best;
      alpha = std::max(alpha, best);
      generateCaptures(p_, upper, order.moves);
      order.rankCaptures(p_, drops_, eval_);
    }
    Move m;
    while (order.next(m)) {
      // A capture that costs material is not worth searching out.
      if (!evade && order.lastGain() < 0) break;
      const Undo u = makeMove(p_, m, key_);
      score = -quiesce(-beta, -alpha, ply + 1, !upper, evasions);
      unmakeMove(p_, m, u, key_);
      if (aborted_) return 0;
      if (score > best) {
        best = score;
        if (score > alpha) {
          alpha = score;
          if (alpha >= beta) break;
        }
      }
    }
    return best;
  }

  // A move to within two squares of that side's king may set up a blast of
  // it: never skipped as quiet.
  bool nearKing(const Move& m, bool upper) const {
    const int kx = upper ? p_.OU_UE_X : p_.OU_SITA_X;
    const int ky = upper ? p_.OU_UE_Y : p_.OU_SITA_Y;
    return std::abs(m.tx - kx) <= 2 && std::abs(m.ty - ky) <= 2;
  }

  bool hasPieces(bool upper) const {
    const int* hand = upper ? p_.HAND_UE : p_.HAND_SITA;
    for (int k = HU; k <= SYA; ++k)
      if (hand[k] > 0) return true;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        const int c = p_.BOARD[x][y];
        if (upper ? c > CODE_UE_HU && c < CODE_UE_OU : c < CODE_SITA_HU && c > CODE_SITA_OU)
          return true;
      }
    return false;
  }

  void updatePv(int ply, const Move& m) {
    pv_[ply][0] = m;
    std::memcpy(&pv_[ply][1], &pv_[ply + 1][0],
                sizeof(Move) * static_cast<std::size_t>(pvLength_[ply + 1]));
    pvLength_[ply] = pvLength_[ply + 1] + 1;
  }

  // Negamax with principal variation search: `lastNull` is the ply of the
  // last null move on the line (negative: none), `extended` how many times
  // the line was searched deeper for a king in danger.
  int search(int depth, int alpha, int beta, int ply, bool upper, int lastNull, int extended) {
    pvLength_[ply] = 0;
    if (depth <= 0 || ply >= MAX_PLY - 1) return quiesce(alpha, beta, ply, upper, 0);
    line_[ply] = key_ ^ sideKey(upper);
    int score;
    bool danger = false;
    if (ply > 0) {
      if (decided(upper, ply, score)) return score;
      if (repeated(ply, lastNull)) return upper == rootUpper_ ? -contempt_ : contempt_;
      // No line from here can beat a mate already seen nearer the root.
      alpha = std::max(alpha, -(SCORE_MATE - ply));
      beta = std::min(beta, SCORE_MATE - ply - 1);
      if (alpha >= beta) return alpha;
      // A threat to the king is answered a ply deeper, so that the answer
      // is not lost over the horizon, a few times a line.
      if (options_.dangerExtension && inDanger(upper)) {
        danger = true;
        if (extended < LINE_EXTENSIONS) {
          ++depth;
          ++extended;
        }
      }
    }
    if (outOfBudget()) return 0;

    const bool pvNode = beta - alpha > 1;
    const Key nodeKey = line_[ply];
    Move tableMove{};
    bool haveTableMove = false;
    if (const TableEntry* e = table_.probe(nodeKey)) {
      if (e->move != 0) {
        tableMove = unpackMove(e->move);
        haveTableMove = true;
      }
      const int s = fromTable(e->score, ply);
      if (!pvNode && ply > 0 && e->depth >= depth &&
          (e->bound == Bound::Exact || (e->bound == Bound::Lower && s >= beta) ||
           (e->bound == Bound::Upper && s <= alpha)))
        return s;
    }

    // The position as it stands, where it decides what to skip.
    const bool shallow = !pvNode && !danger && ply > 0 && depth <= 3;
    const bool mayNull = options_.nullMove && !pvNode && !danger && ply > 0 && depth >= 3 &&
                         lastNull != ply - 1 && beta < SCORE_MATE_FOUND;
    const bool mayStand = options_.standMargin > 0 && !pvNode && !danger && ply > 0 &&
                          depth <= STAND_DEPTH && beta > -SCORE_MATE_FOUND;
    const int standing =
        shallow || mayNull || mayStand ? eval_.evaluate(p_, upper, drops_) : -INFINITE;
    // So far above beta near the leaves that no reply is going to bring it
    // down: the king is safe, so only material could, and it stands well.
    if (mayStand && standing - options_.standMargin * depth >= beta && standing < SCORE_MATE_FOUND)
      return standing;
    if (mayNull && standing >= beta && hasPieces(upper)) {
      const int r = 2 + depth / 4;
      score = -search(depth - 1 - r, -beta, -beta + 1, ply + 1, !upper, ply, extended);
      if (aborted_) return 0;
      if (score >= beta) return score >= SCORE_MATE_FOUND ? beta : score;
    }
    // Near the leaves a quiet move far below alpha, or late in the order,
    // is not searched: it takes nothing and threatens no blast at once.
    const bool futile =
        shallow && alpha > -SCORE_MATE_FOUND && standing + options_.futility * depth <= alpha;
    const int lateMoves = 8 + 4 * depth * depth;

    OrderedMoves& order = plies_[ply];
    generateMoves(p_, upper, drops_, order.moves);
    if (order.moves.count == 0) return -(SCORE_MATE - ply); // nothing to play loses, as in the game
    order.rank(p_, drops_, eval_, haveTableMove ? &tableMove : nullptr, killers_[ply],
               history_[upper ? 1 : 0]);

    const int alphaBefore = alpha;
    int best = -INFINITE;
    Move bestMove = order.moves.moves[0];
    Move m;
    int index = 0;
    int quietsTried = 0;
    while (order.next(m)) {
      const bool quiet = order.lastQuiet();
      if (options_.prune && quiet && index > 0 && best > -SCORE_MATE_FOUND && !order.lastKiller() &&
          (futile || (shallow && index >= lateMoves)) && !nearKing(m, !upper))
        continue;
      const Undo u = makeMove(p_, m, key_);
      table_.prefetch(key_ ^ sideKey(!upper));
      if (index == 0) {
        score = -search(depth - 1, -beta, -alpha, ply + 1, !upper, lastNull, extended);
        if (ply == 0 && limits_.variety > 0) choices_.push_back({m, score});
      } else {
        if (ply == 0 && limits_.variety > 0 && alpha > -SCORE_MATE_FOUND)
          tryChoice(m, depth, alpha, upper);
        int reduction = 0;
        if (options_.reductions && options_.logReductions) {
          if (quiet && !danger && depth >= 3 && index >= 3 && !order.lastKiller())
            reduction = std::clamp(
                REDUCTIONS.r[std::min(depth, 63)][std::min(index, 63)] - (pvNode ? 1 : 0), 0,
                depth - 2);
        } else if (options_.reductions && quiet && !danger && depth >= 3 && index >= 4 &&
                   !order.lastKiller()) {
          reduction = index >= 12 && depth >= 6 ? 2 : 1;
        }
        score =
            -search(depth - 1 - reduction, -alpha - 1, -alpha, ply + 1, !upper, lastNull, extended);
        if (score > alpha && reduction > 0)
          score = -search(depth - 1, -alpha - 1, -alpha, ply + 1, !upper, lastNull, extended);
        if (score > alpha && score < beta)
          score = -search(depth - 1, -beta, -alpha, ply + 1, !upper, lastNull, extended);
      }
      unmakeMove(p_, m, u, key_);
      if (aborted_) return 0;
      ++index;
      if (score > best) {
        best = score;
        bestMove = m;
        if (score > alpha) {
          alpha = score;
          updatePv(ply, m);
          if (ply == 0) {
            rootMove_ = m;
            rootMoveFound_ = true;
          }
          if (alpha >= beta) {
            if (quiet) rememberCutoff(m, ply, depth, upper, quietsTried);
            break;
          }
        }
      }
      if (quiet && quietsTried < MAX_QUIETS) quiets_[ply][quietsTried++] = m;
    }
    if (pvLength_[ply] == 0) updatePvWith(ply, bestMove);
    const Bound bound = best >= beta         ? Bound::Lower
                        : best > alphaBefore ? Bound::Exact
                                             : Bound::Upper;
    table_.store(nodeKey, &bestMove, toTable(best, ply), depth, bound);
    return best;
  }

  // At a node where nothing raised alpha the line still names a move.
  void updatePvWith(int ply, const Move& m) {
    pv_[ply][0] = m;
    pvLength_[ply] = 1;
  }

  // The quiet move that cut off gains in history, the quiet ones tried
  // before it lose as much.
  void rememberCutoff(const Move& m, int ply, int depth, bool upper, int quietsTried) {
    if (!sameMove(killers_[ply][0], m)) {
      killers_[ply][1] = killers_[ply][0];
      killers_[ply][0] = m;
    }
    HistoryTable& h = history_[upper ? 1 : 0];
    historyAdd(h, m, depth * depth);
    for (int i = 0; i < quietsTried; ++i) historyAdd(h, quiets_[ply][i], -depth * depth);
  }

  const SearchOptions& options_;
  const Evaluator eval_;
  Position p_;
  Key key_;
  bool drops_;
  SearchLimits limits_;
  const std::atomic<bool>* stop_;
  TranspositionTable& table_;
  Clock::time_point start_;
  std::int64_t nodes_ = 0;
  bool canStop_ = false;
  // The best root move of the depth being searched, once one beat alpha.
  Move rootMove_{};
  bool rootMoveFound_ = false;
  static constexpr int MAX_QUIETS = 64;
  Move quiets_[MAX_PLY + 1][MAX_QUIETS] = {};
  bool aborted_ = false;
  bool rootUpper_ = false;
  // Root moves within the variety's margin: of the depth searched, of the last finished.
  struct Choice {
    Move move;
    int score;
  };
  std::vector<Choice> choices_, finished_;
  int contempt_ = 0; // what a repeat costs the side searched for
  std::vector<Key> past_;
  Key line_[MAX_PLY + 1] = {};
  Move killers_[MAX_PLY + 1][2] = {};
  HistoryTable history_[2] = {};
  Move pv_[MAX_PLY + 1][MAX_PLY + 1] = {};
  std::unique_ptr<OrderedMoves[]> plies_ = std::make_unique<OrderedMoves[]>(MAX_PLY + 1);
  int pvLength_[MAX_PLY + 1] = {};
};

} // namespace

SearchResult searchWith(const SearchOptions& options, SearchTable& table, const Position& p,
                        bool upper, bool drops, const SearchLimits& limits,
                        const std::vector<Key>& history, const InfoFn& info,
                        const std::atomic<bool>* stop) {
  // Some tens of kilobytes of tables: on the heap, not a thread's stack.
  auto searcher = std::make_unique<Searcher>(options, table.forSearch(options.tableMegabytes), p,
                                             drops, limits, stop);
  searcher->rememberGame(history, upper);
  return searcher->run(upper, info);
}

SearchResult searchWith(const SearchOptions& options, const Position& p, bool upper, bool drops,
                        const SearchLimits& limits, const std::vector<Key>& history,
                        const InfoFn& info, const std::atomic<bool>* stop) {
  SearchTable table;
  return searchWith(options, table, p, upper, drops, limits, history, info, stop);
}

} // namespace search

SearchTable::SearchTable() = default;
SearchTable::~SearchTable() = default;

search::TranspositionTable& SearchTable::forSearch(int megabytes) {
  const auto size = static_cast<std::size_t>(megabytes);
  if (table_ && table_->megabytes() == size)
    table_->clear();
  else
    table_ = std::make_unique<search::TranspositionTable>(size);
  return *table_;
}

SearchResult searchBestMove(const Position& p, bool upper, bool drops, const SearchLimits& limits,
                            const std::vector<Key>& history, const InfoFn& info,
                            const std::atomic<bool>* stop) {
  return search::searchWith({}, p, upper, drops, limits, history, info, stop);
}

SearchResult searchBestMove(SearchTable& table, const Position& p, bool upper, bool drops,
                            const SearchLimits& limits, const std::vector<Key>& history,
                            const InfoFn& info, const std::atomic<bool>* stop) {
  return search::searchWith({}, table, p, upper, drops, limits, history, info, stop);
}

} // namespace korvanu
