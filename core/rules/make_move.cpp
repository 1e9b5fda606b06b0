#include "rules/make_move.h"

#include <cstddef>

#include "rules/legality.h"

namespace korvanu {

namespace {

// Random numbers for every (square, piece) and (side, kind, count in hand).
struct Zobrist {
  Key board[100][64];
  Key hand[2][8][32];
};

constexpr Zobrist makeZobrist() {
  Zobrist z{};
  std::uint64_t s = 0x4b6f7276616e75ULL; // splitmix64
  auto next = [&s] {
    std::uint64_t r = (s += 0x9e3779b97f4a7c15ULL);
    r = (r ^ (r >> 30)) * 0xbf58476d1ce4e5b9ULL;
    r = (r ^ (r >> 27)) * 0x94d049bb133111ebULL;
    return r ^ (r >> 31);
  };
  for (auto& square : z.board)
    for (Key& k : square) k = next();
  for (auto& side : z.hand)
    for (auto& kind : side)
      for (int n = 1; n < 32; ++n) kind[n] = next(); // an empty hand adds nothing
  return z;
}

constexpr Zobrist Z = makeZobrist();

// Side, kind and promotion packed small; odd codes of bad input stay in range.
constexpr int slotOf(int code) {
  const int a = code < 0 ? -code : code;
  return (((a / 10) * 2 + a % 10) * 2 + (code < 0)) & 63;
}

inline Key squareKey(int x, int y, int code) {
  return code == EMPTY ? 0 : Z.board[(x * 10 + y) % 100][slotOf(code)];
}

inline Key handKey(int side, int kind, int count) {
  return Z.hand[side][kind & 7][static_cast<unsigned>(count) & 31];
}

// One more or one fewer of `kind` in a hand, the key following.
inline void stepHand(int (&hand)[8], int side, int kind, int by, Key& key) {
  key ^= handKey(side, kind, hand[kind]);
  hand[kind] += by;
  key ^= handKey(side, kind, hand[kind]);
}

// A captured or blown-up piece goes, unpromoted, to its opponent's hand and
// counts in its total; a king goes to none. `by` -1 takes it back out.
void throughHand(Position& p, int code, int by, Key& key) {
  if (code == CODE_UE_OU || code == CODE_SITA_OU) return;
  if (isUe(code)) {
    if (code <= CODE_UE_SYA_NARI) stepHand(p.HAND_SITA, 0, code / 10, by, key);
    p.HAND_SITA_TOTAL += by;
  } else if (isSita(code)) {
    if (code >= CODE_SITA_SYA_NARI) stepHand(p.HAND_UE, 1, -code / 10, by, key);
    p.HAND_UE_TOTAL += by;
  }
}

// The hand a drop comes from, one more (`by` 1) or one fewer (-1).
void dropHand(Position& p, int fromX, int fromY, int by, Key& key) {
  if (fromX == -1) {
    p.HAND_UE_TOTAL += by;
    stepHand(p.HAND_UE, 1, fromY, by, key);
  } else {
    p.HAND_SITA_TOTAL += by;
    stepHand(p.HAND_SITA, 0, fromY - 2, by, key);
  }
}

inline void put(Position& p, int x, int y, int code, Key& key) {
  key ^= squareKey(x, y, p.BOARD[x][y]) ^ squareKey(x, y, code);
  p.BOARD[x][y] = code;
}

bool kingStands(const Position& p, int code, int x, int y) {
  if (onBoard(x, y) && p.BOARD[x][y] == code) return true;
  return 調査_駒存在(p, code) == ON;
}

} // namespace

void intoHand(Position& p, int code, Key& key) { throughHand(p, code, 1, key); }

Key keyOf(const Position& p) {
  Key key = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) key ^= squareKey(x, y, p.BOARD[x][y]);
  for (int k = HU; k <= SYA; ++k)
    key ^= handKey(0, k, p.HAND_SITA[k]) ^ handKey(1, k, p.HAND_UE[k]);
  return key;
}

MoveEffects movePiece(Position& p, int fromX, int fromY, int toX, int toY, int piece, Key& key) {
  MoveEffects e{fromX, fromY, toX, toY, piece, p.BOARD[toX][toY], isDropColumn(fromX)};
  if (isSita(e.captured) || isUe(e.captured)) throughHand(p, e.captured, 1, key);
  put(p, toX, toY, piece, key);
  if (piece == CODE_SITA_OU) {
    p.OU_SITA_X = toX;
    p.OU_SITA_Y = toY;
  } else if (piece == CODE_UE_OU) {
    p.OU_UE_X = toX;
    p.OU_UE_Y = toY;
  }
  if (e.drop)
    dropHand(p, fromX, fromY, -1, key);
  else
    put(p, fromX, fromY, EMPTY, key);
  return e;
}

ExplosionEffects explode(Position& p, const MoveEffects& move, Key& key) {
  ExplosionEffects e;
  if (move.captured == EMPTY) return e;
  forBlock(move.toX, move.toY, [&](int x, int y) {
    const int code = p.BOARD[x][y];
    if (!blowsUp(code)) return;
    throughHand(p, code, 1, key);
    e.squares[static_cast<std::size_t>(e.count++)] = {x, y, code};
    e.lowerKingLost = e.lowerKingLost || code == CODE_SITA_OU;
    e.upperKingLost = e.upperKingLost || code == CODE_UE_OU;
    put(p, x, y, EMPTY, key);
  });
  return e;
}

Undo makeMove(Position& p, const Move& m, Key& key) {
  Undo u;
  u.keyBefore = key;
  u.moved = isDropColumn(m.fx) ? m.code : p.BOARD[m.fx][m.fy];
  u.ouSitaX = p.OU_SITA_X;
  u.ouSitaY = p.OU_SITA_Y;
  u.ouUeX = p.OU_UE_X;
  u.ouUeY = p.OU_UE_Y;
  u.move = movePiece(p, m.fx, m.fy, m.tx, m.ty, m.code, key);
  u.blast = explode(p, u.move, key);
  return u;
}

void unmakeMove(Position& p, const Move& m, const Undo& u, Key& key) {
  for (int i = u.blast.count - 1; i >= 0; --i) {
    const BlownSquare& s = u.blast.squares[static_cast<std::size_t>(i)];
    throughHand(p, s.code, -1, key);
    p.BOARD[s.x][s.y] = s.code;
  }
  const int captured = u.move.captured;
  if (isSita(captured) || isUe(captured)) throughHand(p, captured, -1, key);
  p.BOARD[m.tx][m.ty] = captured;
  if (u.move.drop)
    dropHand(p, m.fx, m.fy, 1, key);
  else
    p.BOARD[m.fx][m.fy] = u.moved;
  p.OU_SITA_X = u.ouSitaX;
  p.OU_SITA_Y = u.ouSitaY;
  p.OU_UE_X = u.ouUeX;
  p.OU_UE_Y = u.ouUeY;
  key = u.keyBefore;
}

Winner winnerOf(const Position& p) {
  if (!kingStands(p, CODE_UE_OU, p.OU_UE_X, p.OU_UE_Y)) return Winner::Sita;
  if (!kingStands(p, CODE_SITA_OU, p.OU_SITA_X, p.OU_SITA_Y)) return Winner::Ue;
  return Winner::None;
}

void findKings(Position& p) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      if (p.BOARD[x][y] == CODE_SITA_OU) {
        p.OU_SITA_X = x;
        p.OU_SITA_Y = y;
      } else if (p.BOARD[x][y] == CODE_UE_OU) {
        p.OU_UE_X = x;
        p.OU_UE_Y = y;
      }
    }
}

} // namespace korvanu
