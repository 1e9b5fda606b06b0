#include "search/evaluation.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "rules/moves.h"
#include "state/game.h"

namespace korvanu::search {

namespace {

// Indexed by the code without its side. A promoted pawn is a gold that a
// blast takes, so it is worth less than the pawn's immunity makes a gold.
constexpr std::array<int, 81> BOARD_VALUES = [] {
  std::array<int, 81> v{};
  v[10] = 100, v[11] = 450;
  v[20] = 280, v[21] = 460;
  v[30] = 320, v[31] = 470;
  v[40] = 450, v[41] = 480;
  v[50] = 520;
  v[60] = 700, v[61] = 950;
  v[70] = 850, v[71] = 1100;
  v[80] = KING_VALUE;
  return v;
}();

int sideOf(int code) { return code > 0 ? 1 : -1; }

// One king's exposure, as a penalty for its side: every piece beside it
// is a square where a capture blows the king up.
int crowding(const Position& p, int kx, int ky, int king, const EvalWeights& w) {
  int penalty = 0;
  forBlock(kx, ky, [&](int x, int y) {
    const int c = p.BOARD[x][y];
    if (c == EMPTY || c == king) return;
    if (sideOf(c) != sideOf(king))
      penalty += w.crowdEnemy;
    else
      penalty += c == CODE_UE_HU || c == CODE_SITA_HU ? w.crowdOwnPawn : w.crowdOwn;
  });
  return penalty;
}

// Where the king of this code stands: its recorded square when it holds it,
// else found on the board; (0, 0) when it is gone.
void kingSquare(const Position& p, int king, int& kx, int& ky) {
  const bool upper = king > 0;
  kx = upper ? p.OU_UE_X : p.OU_SITA_X;
  ky = upper ? p.OU_UE_Y : p.OU_SITA_Y;
  if (onBoard(kx, ky) && p.BOARD[kx][ky] == king) return;
  kx = ky = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (p.BOARD[x][y] == king) kx = x, ky = y;
}

// Any capture beside a king blows it up: pieces near it are threats.
int closeness(int x, int y, int kx, int ky) {
  const int d = std::max(std::abs(x - kx), std::abs(y - ky));
  return kx == 0 ? 0 : std::max(0, 5 - d);
}

} // namespace

int boardValue(int code) { return BOARD_VALUES[static_cast<size_t>(code < 0 ? -code : code)]; }

int handValue(int kind, bool drops, const EvalWeights& w) {
  return drops ? BOARD_VALUES[static_cast<size_t>(kind * 10)] * w.handPercent / 100 : 0;
}

int evaluate(const Position& p, bool upper, bool drops, const EvalWeights& w) {
  int score = 0; // for the upper side
  int ux = 0, uy = 0, sx = 0, sy = 0;
  kingSquare(p, CODE_UE_OU, ux, uy);
  kingSquare(p, CODE_SITA_OU, sx, sy);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = p.BOARD[x][y];
      if (c == EMPTY || c == CODE_UE_OU || c == CODE_SITA_OU) continue;
      int v = boardValue(c);
      if (c == CODE_UE_HU) v += w.pawnAdvance * (y - 3);
      if (c == CODE_SITA_HU) v += w.pawnAdvance * (7 - y);
      if (c != CODE_UE_HU && c != CODE_SITA_HU)
        v += w.attack * (c > 0 ? closeness(x, y, sx, sy) : closeness(x, y, ux, uy));
      score += c > 0 ? v : -v;
    }
  if (drops)
    for (int k = HU; k <= SYA; ++k)
      score += (p.HAND_UE[k] - p.HAND_SITA[k]) * handValue(k, true, w);
  if (ux != 0) score -= crowding(p, ux, uy, CODE_UE_OU, w);
  if (sx != 0) score += crowding(p, sx, sy, CODE_SITA_OU, w);
  return upper ? score : -score;
}

int materialGain(const Position& p, const Move& m, bool drops, const EvalWeights& w) {
  const int me = sideOf(m.code);
  const bool drop = isDropColumn(m.fx);
  const int moving = drop ? m.code : p.BOARD[m.fx][m.fy];
  int gain = boardValue(m.code) - (drop ? handValue(kindOf(m.code), drops, w) : boardValue(moving));
  const int victim = p.BOARD[m.tx][m.ty];
  if (victim == EMPTY) return gain;
  // Taken or blown up, a piece leaves the board for its opponent's hand.
  auto lost = [&](int c) {
    return boardValue(c) + (kindOf(c) == OU ? 0 : handValue(kindOf(c), drops, w));
  };
  gain += lost(victim);
  forBlock(m.tx, m.ty, [&](int x, int y) {
    int c = p.BOARD[x][y];
    if (x == m.tx && y == m.ty)
      c = m.code;
    else if (!drop && x == m.fx && y == m.fy)
      c = EMPTY;
    if (!blowsUp(c)) return;
    gain += sideOf(c) == me ? -lost(c) : lost(c);
  });
  return gain;
}

} // namespace korvanu::search
