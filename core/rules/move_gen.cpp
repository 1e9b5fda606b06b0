#include "rules/move_gen.h"

#include <cstddef>

#include "rules/legality.h"
#include "rules/steps.h"

namespace korvanu {

namespace {

// A set of squares, bit x * 10 + y for (x, y): lowest first is the
// computer's order, column by column and each from the top.
using Squares = unsigned __int128;

constexpr Squares bit(int x, int y) { return Squares(1) << (x * 10 + y); }

constexpr Squares rows(int from, int to) {
  Squares s = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = from; y <= to; ++y) s |= bit(x, y);
  return s;
}

inline int count(Squares s) {
  return __builtin_popcountll(static_cast<std::uint64_t>(s)) +
         __builtin_popcountll(static_cast<std::uint64_t>(s >> 64));
}

// Calls fn(x, y) for each square of the set, lowest first.
template <typename Fn>
inline void forEach(Squares s, Fn fn) {
  for (std::uint64_t low = static_cast<std::uint64_t>(s); low; low &= low - 1) {
    const int i = __builtin_ctzll(low);
    fn(i / 10, i % 10);
  }
  for (std::uint64_t high = static_cast<std::uint64_t>(s >> 64); high; high &= high - 1) {
    const int i = 64 + __builtin_ctzll(high);
    fn(i / 10, i % 10);
  }
}

struct Side {
  const Position& p;
  bool upper;

  bool own(int code) const { return upper ? code >= 10 : code <= -10; }

  // The squares the piece `code` of this side on (x, y) may move to.
  Squares reach(int code, int x, int y) const {
    const PieceMoves moves = movesOf(code);
    Squares out = 0;
    for (const Offset& s : moves.steps) {
      const int tx = x + s.dx, ty = y + s.dy;
      if (onBoard(tx, ty) && !own(p.BOARD[tx][ty])) out |= bit(tx, ty);
    }
    for (const Offset& s : moves.lines)
      for (int tx = x + s.dx, ty = y + s.dy; onBoard(tx, ty); tx += s.dx, ty += s.dy) {
        const int t = p.BOARD[tx][ty];
        if (own(t)) break;
        out |= bit(tx, ty);
        if (t != EMPTY) break;
      }
    return out;
  }

  // Of the squares `code` reaches from row y, those where it may promote and
  // those where it must.
  void promotion(int code, int y, Squares& may, Squares& must) const {
    const Squares zone = upper ? rows(7, 9) : rows(1, 3);
    const bool fromZone = upper ? y > 6 : y < 4;
    may = must = 0;
    switch (code < 0 ? -code : code) {
    case 10:
    case 20:
      may = zone;
      must = upper ? rows(9, 9) : rows(1, 1);
      break;
    case 30:
      may = zone;
      must = upper ? rows(8, 9) : rows(1, 2);
      break;
    case 40:
    case 60:
    case 70: may = fromZone ? ~Squares(0) : zone; break;
    default: break;
    }
  }

  // Columns already holding one of this side's unpromoted pawns.
  Squares pawnColumns() const {
    const int pawn = upper ? CODE_UE_HU : CODE_SITA_HU;
    Squares s = 0;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (p.BOARD[x][y] == pawn) {
          s |= Squares(0x3fe) << (x * 10);
          break;
        }
    return s;
  }

  Squares empty() const {
    Squares s = 0;
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y)
        if (p.BOARD[x][y] == EMPTY) s |= bit(x, y);
    return s;
  }

  // Where a piece of kind k may be dropped, of the empty squares.
  Squares dropSquares(int k, Squares empty, Squares pawnColumns) const {
    switch (k) {
    case HU: return empty & ~pawnColumns & (upper ? rows(1, 8) : rows(2, 9));
    case KYOU: return empty & (upper ? rows(1, 8) : rows(2, 9));
    case KEI: return empty & (upper ? rows(1, 7) : rows(3, 9));
    default: return empty;
    }
  }

  int hand(int k) const { return upper ? p.HAND_UE[k] : p.HAND_SITA[k]; }
};

void push(MoveList& out, const Move& m) {
  if (out.count < MAX_MOVES) out.moves[out.count++] = m;
}

bool bothKings(const Position& p) { return winnerOf(p) == Winner::None; }

// Each of the side's pieces on the board, in board order, with the squares it
// reaches and those where it may or must promote.
template <typename Fn>
void forEachPiece(const Side& side, Fn fn) {
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const int code = side.p.BOARD[fx][fy];
      if (!side.own(code)) continue;
      Squares may, must;
      side.promotion(code, fy, may, must);
      fn(fx, fy, code, side.reach(code, fx, fy), may, must);
    }
}

// The side's board moves onto the squares of `targets`, in board order.
void pushBoardMoves(const Side& side, Squares targets, MoveList& out) {
  forEachPiece(side, [&](int fx, int fy, int code, Squares to, Squares may, Squares must) {
    forEach(to & targets, [&](int tx, int ty) {
      const Squares at = bit(tx, ty);
      if (!(must & at)) push(out, {fx, fy, tx, ty, code});
      if (may & at) push(out, {fx, fy, tx, ty, promotedOf(code)});
    });
  });
}

} // namespace

void generateAllMoves(const Position& p, bool upper, bool drops, MoveList& out) {
  out.count = 0;
  const Side side{p, upper};
  pushBoardMoves(side, ~Squares(0), out);
  if (!drops) return;
  const Squares empty = side.empty(), pawnColumns = side.pawnColumns();
  for (int k = HU; k <= SYA; ++k) {
    if (side.hand(k) <= 0) continue;
    const Move drop{upper ? -1 : 11, upper ? k : k + 2, 0, 0, (upper ? 10 : -10) * k};
    forEach(side.dropSquares(k, empty, pawnColumns), [&](int tx, int ty) {
      push(out, {drop.fx, drop.fy, tx, ty, drop.code});
    });
  }
}

void generateMoves(const Position& p, bool upper, bool drops, MoveList& out) {
  out.count = 0;
  if (bothKings(p)) generateAllMoves(p, upper, drops, out);
}

void generateCaptures(const Position& p, bool upper, MoveList& out) {
  out.count = 0;
  if (!bothKings(p)) return;
  const Side side{p, upper};
  const Side other{p, !upper};
  Squares theirs = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (other.own(p.BOARD[x][y])) theirs |= bit(x, y);
  pushBoardMoves(side, theirs, out);
}

int countMoves(const Position& p, bool upper, bool drops) {
  if (!bothKings(p)) return 0;
  const Side side{p, upper};
  int n = 0;
  forEachPiece(side, [&](int, int, int, Squares to, Squares may, Squares must) {
    n += count(to) + count(to & may) - count(to & must);
  });
  if (!drops) return n;
  const Squares empty = side.empty(), pawnColumns = side.pawnColumns();
  for (int k = HU; k <= SYA; ++k)
    if (side.hand(k) > 0) n += count(side.dropSquares(k, empty, pawnColumns));
  return n;
}

std::uint64_t perft(Position& p, bool upper, bool drops, int depth) {
  if (depth <= 0) return 1;
  if (depth == 1) return static_cast<std::uint64_t>(countMoves(p, upper, drops));
  MoveList list;
  generateMoves(p, upper, drops, list);
  std::uint64_t n = 0;
  Key key = 0;
  for (const Move& m : list) {
    const Undo u = makeMove(p, m, key);
    n += perft(p, !upper, drops, depth - 1);
    unmakeMove(p, m, u, key);
  }
  return n;
}

} // namespace korvanu
