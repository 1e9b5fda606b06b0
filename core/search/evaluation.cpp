#include "search/evaluation.h"

#include <algorithm>
#include <cstdint>
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

// Any capture beside a king blows it up: pieces near it are threats. By the
// king's square and the piece's, each 10 x + y; nothing for a king gone (0).
struct Closeness {
  std::int8_t near[100][100];
};
constexpr Closeness CLOSENESS = [] {
  Closeness c{};
  for (int kx = 1; kx <= 9; ++kx)
    for (int ky = 1; ky <= 9; ++ky)
      for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
          const int dx = x > kx ? x - kx : kx - x, dy = y > ky ? y - ky : ky - y;
          const int d = dx > dy ? dx : dy;
          c.near[kx * 10 + ky][x * 10 + y] = static_cast<std::int8_t>(d < 5 ? 5 - d : 0);
        }
  return c;
}();

} // namespace

Evaluator::Evaluator(const EvalWeights& w) : w_(w), board_{}, signed_{}, role_{}, hand_{} {
  for (int code = -80; code <= 80; ++code) {
    const int a = code < 0 ? -code : code;
    const int i = code + 80;
    board_[i] = a >= 80 ? KING_VALUE : a >= 10 ? w.values[a / 10][a % 10 & 1] : 0;
    if (a < 10 || a >= 80) continue; // no piece, or a king: judged apart
    signed_[i] = code > 0 ? board_[i] : -board_[i];
    role_[i] = a == 10 ? PAWN : a == 30 || a == 40 ? MINOR : OTHER;
  }
  for (int k = HU; k <= SYA; ++k) hand_[k] = w.values[k][0] * w.handPercent / 100;
}

int Evaluator::evaluate(const Position& p, bool upper, bool drops) const {
  const EvalWeights& w = w_;
  int material = 0, positional = 0; // for the upper side
  int attackUe = 0, attackSita = 0; // each side's pieces' closeness to the other king
  int ux = 0, uy = 0, sx = 0, sy = 0;
  kingSquare(p, CODE_UE_OU, ux, uy);
  kingSquare(p, CODE_SITA_OU, sx, sy);
  const std::int8_t* nearUe = CLOSENESS.near[ux * 10 + uy];
  const std::int8_t* nearSita = CLOSENESS.near[sx * 10 + sy];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = p.BOARD[x][y];
      material += signed_[c + 80];
      if (!role_[c + 80]) continue;
      const bool ue = c > 0;
      // Rows forward, from the side's own first row (0) to the far one (8).
      const int forward = ue ? y - 1 : 9 - y;
      const int near = (ue ? nearSita : nearUe)[x * 10 + y];
      int t;
      if (role_[c + 80] == PAWN) {
        t = w.pawnAdvance * (forward - 2) + w.pawnStorm * near;
      } else {
        t = w.attack * near;
        (ue ? attackUe : attackSita) += near;
        const int own = (ue ? nearUe : nearSita)[x * 10 + y];
        if (own == 3) t += w.guard;
        if (forward == 0 && role_[c + 80] == MINOR) t -= w.undeveloped;
      }
      positional += ue ? t : -t;
    }
  if (drops)
    for (int k = HU; k <= SYA; ++k) material += (p.HAND_UE[k] - p.HAND_SITA[k]) * hand_[k];
  if (ux != 0) positional -= crowding(p, ux, uy, CODE_UE_OU, w) + w.kingOut * std::max(0, uy - 3);
  if (sx != 0) positional += crowding(p, sx, sy, CODE_SITA_OU, w) + w.kingOut * std::max(0, 7 - sy);
  // Ahead, pieces brought to the other king turn the lead into a won game.
  const int lead = std::clamp(material, -2000, 2000);
  positional += w.progress * lead * (lead > 0 ? attackUe : attackSita) / 100000;
  const int score = material + positional;
  return upper ? score : -score;
}

int Evaluator::materialGain(const Position& p, const Move& m, bool drops) const {
  const int me = sideOf(m.code);
  const bool drop = isDropColumn(m.fx);
  const int moving = drop ? m.code : p.BOARD[m.fx][m.fy];
  int gain = boardValue(m.code) - (drop ? handValue(kindOf(m.code), drops) : boardValue(moving));
  const int victim = p.BOARD[m.tx][m.ty];
  if (victim == EMPTY) return gain;
  // Taken or blown up, a piece leaves the board for its opponent's hand.
  auto lost = [&](int c) {
    return boardValue(c) + (kindOf(c) == OU ? 0 : handValue(kindOf(c), drops));
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

int boardValue(int code, const EvalWeights& w) { return Evaluator(w).boardValue(code); }

int handValue(int kind, bool drops, const EvalWeights& w) {
  return Evaluator(w).handValue(kind, drops);
}

int evaluate(const Position& p, bool upper, bool drops, const EvalWeights& w) {
  return Evaluator(w).evaluate(p, upper, drops);
}

int materialGain(const Position& p, const Move& m, bool drops, const EvalWeights& w) {
  return Evaluator(w).materialGain(p, m, drops);
}

} // namespace korvanu::search
