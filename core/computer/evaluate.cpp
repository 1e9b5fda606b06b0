#include "computer/evaluate.h"

#include <cstdlib>

#include "computer/danger.h"
#include "computer/eval_context.h"
#include "computer/examine.h"
#include "rules/legality.h"
#include "rules/mate.h"
#include "state/game.h"

namespace korvanu {

namespace {

// The basic safety terms every level applies; true when they decided.
bool decisive(Eval& e, double& result) {
  ComputerBoard& g = e.g;
  if (e.captured == CODE_SITA_OU) return result = SCORE_TAKES_KING, true;
  if (g.INFLUENCE_SITA[g.OU_UE_X][g.OU_UE_Y] >= 1) return result = SCORE_LOSES, true;
  if (e.givesCheck()) {
    if (std::abs(e.kx - e.tx) < 2 && std::abs(e.ky - e.ty) < 2) return result = SCORE_WINS, true;
    if (詰めかMAN(g) == ON) return result = e.piece == CODE_UE_HU ? SCORE_LOSES : SCORE_WINS, true;
    if (!e.attacked(e.tx, e.ty)) e.s += 10;
  }
  if (e.drop())
    e.s -= 5;
  else if (e.piece > g.MOVING_PIECE)
    e.s += 10;
  e.s += 盤評価_COM危険座標(g, e.piece, e.tx, e.ty);
  return false;
}

void kingApproach(Eval& e) {
  const int dx = std::abs(e.kx - e.tx), dy = std::abs(e.ky - e.ty);
  if (dx > dy) {
    if (e.g.FROM_KING_DISTANCE > dx) e.s += 1;
  } else if (e.g.FROM_KING_DISTANCE > dy) {
    e.s += 0.1;
  }
}

// Taking on a square whose cheapest attacker is pinned to the human king and
// would have to leave its line to answer.
void pinnedAttacker(Eval& e) {
  ComputerBoard& g = e.g;
  const int ax = g.ATTACKER_SITA_X[e.tx][e.ty], ay = g.ATTACKER_SITA_Y[e.tx][e.ty];
  if (g.INFLUENCE_SITA[ax][ay] <= 0 || g.PINNED_SITA[ax][ay] != 1) return;
  const int reach = g.INFLUENCE_SITA[e.tx][e.ty];
  if (!(reach == 1 || (reach == 2 && e.givesCheck() && e.defended(e.tx, e.ty)))) return;
  const bool leavesLine = (ax == e.kx && e.tx != e.kx) || (ay == e.ky && e.ty != e.ky) ||
                          (ax != e.kx && ay != e.ky && (e.tx == e.kx || e.ty == e.ky));
  if (!leavesLine) return;
  if (移動チェック(g, e.tx, e.ty, ax, ay, g.MOVING_PIECE) != ON) return;
  const int bx = g.ATTACKER_UE_X_BEFORE[ax][ay], by = g.ATTACKER_UE_Y_BEFORE[ax][ay];
  if (!e.drop() && g.BOARD[bx][by] == EMPTY) return;
  e.s += std::abs(g.BOARD[ax][ay]);
}

void unattackedDestination(Eval& e) {
  ComputerBoard& g = e.g;
  const int p = e.piece;
  if (p != CODE_UE_KAKU && p != CODE_UE_KAKU_NARI && p != CODE_UE_OU && p != CODE_UE_HU)
    e.s -= 盤評価_自角注意_COM(g, e.tx, e.ty, p);
  if (p == CODE_UE_KYOU || (std::abs(e.kx - e.tx) < 3 && std::abs(e.ky - e.ty) < 3) ||
      (p >= CODE_UE_KAKU && p <= CODE_UE_SYA_NARI)) {
    const int n = 調査_自王逃道(g);
    if (g.ESCAPE_COUNT > n) e.s += g.ESCAPE_COUNT - n;
  }
}

bool isSitaRook(int c) { return c == CODE_SITA_SYA || c == CODE_SITA_SYA_NARI; }

void contestedDestination(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  if ((g.HAND_SITA[GIN] > 0 || g.HAND_SITA[KIN] > 0) && tx > 1 && tx < 9) {
    if ((isSitaRook(e.at(tx - 1, ty)) && e.at(tx + 1, ty) == CODE_UE_OU) ||
        (isSitaRook(e.at(tx + 1, ty)) && e.at(tx - 1, ty) == CODE_UE_OU))
      e.s -= e.piece;
  }
  const int cheapest = std::abs(g.ATTACKER_SITA[tx][ty]);
  if (e.piece > cheapest) e.s = e.s - e.piece + cheapest;
}

// Terms for a capture; true when they decided.
bool capture(Eval& e, double& result) {
  ComputerBoard& g = e.g;
  if (e.piece == CODE_UE_OU) return result = SCORE_LOSES, true;
  if (std::abs(e.tx - g.OU_UE_X) < 2 && std::abs(e.ty - g.OU_UE_Y) < 2)
    return result = SCORE_LOSES, true;
  const int value = std::abs(e.captured);
  const bool att = e.attacked(e.tx, e.ty), def = e.defended(e.tx, e.ty);
  if (att && def) {
    if (e.at(e.tx, e.ty) < std::abs(g.ATTACKER_SITA[e.tx][e.ty])) e.s += value;
  } else if (att) {
    if (g.INFLUENCE_SITA_BEFORE[e.fx][e.fy] > 0 && 調査_移動可場所数(g, e.fx, e.fy, e.piece) == 0)
      e.s += value;
  } else {
    e.s += value;
    if (e.captured == CODE_SITA_HU_NARI || e.captured == CODE_SITA_KYOU_NARI ||
        e.captured == CODE_SITA_KEI_NARI)
      e.s += 50;
  }
  return false;
}

} // namespace

double 盤評価(ComputerBoard& g, int captured, int piece, int fx, int fy, int tx, int ty) {
  Eval e{g, captured, piece, fx, fy, tx, ty, g.OU_SITA_X, g.OU_SITA_Y};
  double result = 0;
  if (decisive(e, result)) return result;
  if (g.COM_LEVEL < 2) return e.s;

  kingApproach(e);
  pinnedAttacker(e);
  const bool att = e.attacked(tx, ty), def = e.defended(tx, ty);
  if (!att) unattackedDestination(e);
  if (att && def) contestedDestination(e);
  if (att && !def && e.drop()) e.s = e.s - piece - 50;
  if (e.at(tx, 9) == CODE_SITA_KYOU && (tx == 1 || tx == 9) && piece != CODE_UE_KYOU &&
      piece != CODE_UE_SYA && piece != CODE_UE_SYA_NARI && tx != fx)
    e.s -= 0.1;
  if (captured != EMPTY && capture(e, result)) return result;
  if (g.COM_LEVEL < 3) return e.s;
  return byPiece(e);
}

} // namespace korvanu
