#include "search/evaluation.h"

#include <algorithm>
#include <cstdlib>

#include "rules/moves.h"
#include "state/game.h"

namespace korvanu::search {

namespace {

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

int boardValue(int code, const EvalWeights& w) {
  const int a = code < 0 ? -code : code;
  return a >= 80 ? KING_VALUE : w.values[(a / 10) & 7][a % 10 & 1];
}

int handValue(int kind, bool drops, const EvalWeights& w) {
  return drops ? w.values[kind & 7][0] * w.handPercent / 100 : 0;
}

int evaluate(const Position& p, bool upper, bool drops, const EvalWeights& w) {
  int material = 0, positional = 0; // for the upper side
  int attackUe = 0, attackSita = 0; // each side's pieces' closeness to the other king
  int ux = 0, uy = 0, sx = 0, sy = 0;
  kingSquare(p, CODE_UE_OU, ux, uy);
  kingSquare(p, CODE_SITA_OU, sx, sy);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = p.BOARD[x][y];
      if (c == EMPTY || c == CODE_UE_OU || c == CODE_SITA_OU) continue;
      const bool ue = c > 0;
      const int v = boardValue(c, w);
      material += ue ? v : -v;
      // Rows forward, from the side's own first row (0) to the far one (8).
      const int forward = ue ? y - 1 : 9 - y;
      const int near = ue ? closeness(x, y, sx, sy) : closeness(x, y, ux, uy);
      int t = 0;
      if (c == CODE_UE_HU || c == CODE_SITA_HU) {
        t = w.pawnAdvance * (forward - 2) + w.pawnStorm * near;
      } else {
        t = w.attack * near;
        (ue ? attackUe : attackSita) += near;
        const int own = ue ? closeness(x, y, ux, uy) : closeness(x, y, sx, sy);
        if (own == 3) t += w.guard;
        const int a = ue ? c : -c;
        if (forward == 0 && (a == 30 || a == 40)) t -= w.undeveloped;
      }
      positional += ue ? t : -t;
    }
  if (drops)
    for (int k = HU; k <= SYA; ++k)
      material += (p.HAND_UE[k] - p.HAND_SITA[k]) * handValue(k, true, w);
  if (ux != 0) positional -= crowding(p, ux, uy, CODE_UE_OU, w) + w.kingOut * std::max(0, uy - 3);
  if (sx != 0) positional += crowding(p, sx, sy, CODE_SITA_OU, w) + w.kingOut * std::max(0, 7 - sy);
  // Ahead, pieces brought to the other king turn the lead into a won game.
  const int lead = std::clamp(material, -2000, 2000);
  positional += w.progress * lead * (lead > 0 ? attackUe : attackSita) / 100000;
  const int score = material + positional;
  return upper ? score : -score;
}

int materialGain(const Position& p, const Move& m, bool drops, const EvalWeights& w) {
  const int me = sideOf(m.code);
  const bool drop = isDropColumn(m.fx);
  const int moving = drop ? m.code : p.BOARD[m.fx][m.fy];
  int gain =
      boardValue(m.code, w) - (drop ? handValue(kindOf(m.code), drops, w) : boardValue(moving, w));
  const int victim = p.BOARD[m.tx][m.ty];
  if (victim == EMPTY) return gain;
  // Taken or blown up, a piece leaves the board for its opponent's hand.
  auto lost = [&](int c) {
    return boardValue(c, w) + (kindOf(c) == OU ? 0 : handValue(kindOf(c), drops, w));
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
