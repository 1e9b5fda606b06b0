// The strongest level's terms, one set for each kind of piece that now
// stands on the destination.
#include <cstdlib>

#include "computer/eval_context.h"
#include "computer/examine.h"
#include "rules/legality.h"

namespace korvanu {

namespace {

double pawnDrop(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  if (e.defended(tx, ty) && ty > 1 && e.at(tx, ty - 1) >= CODE_UE_GIN &&
      (g.HAND_SITA[HU] > 0 || g.HAND_SITA[KYOU] > 0))
    e.s += 6;
  if (e.at(2, 8) == CODE_SITA_KAKU && tx == 2 && ty == 7 && (!e.attacked(2, 7) || e.defended(2, 7)))
    e.s += 30;
  const int ax = g.ATTACKER_SITA_X[tx][ty], ay = g.ATTACKER_SITA_Y[tx][ty];
  if (!(g.INFLUENCE_SITA[ax][ay] == 0 && g.INFLUENCE_UE_BEFORE[ax][ay] > 0)) {
    const int a = g.ATTACKER_SITA[tx][ty];
    if ((a == CODE_SITA_KYOU || a == CODE_SITA_SYA) && ax == tx && e.defended(tx, ty) && ty < ay)
      return e.s + 120;
  }
  return e.s;
}

double pawnStep(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  e.s -= 0.1;
  const int defender = g.DEFENDER_UE[tx][ty];
  if (defender == CODE_UE_KIN || defender == CODE_UE_GIN) e.s += 0.6;
  if (ty >= 8) return e.s;

  if (defender == CODE_UE_KYOU) {
    e.s += 1;
  } else if (defender == CODE_UE_SYA && g.DEFENDER_UE_X[tx][ty] == tx &&
             g.INFLUENCE_UE[tx][ty] >= g.INFLUENCE_SITA[tx][ty] && g.DEFENDER_UE_Y[tx][ty] < ty) {
    e.s += 2;
  }
  if (!e.attacked(tx, ty + 1) && e.at(tx, ty + 2) <= CODE_SITA_KEI) e.s += 1;
  if (ty < 7) {
    if (e.at(tx, ty + 1) == CODE_SITA_HU && e.attacked(tx, ty + 1)) e.s -= 5;
    if (tx < 9 && e.at(tx + 1, ty) == CODE_UE_KAKU) {
      e.s += 0.5;
      if (e.at(tx + 1, ty + 2) == CODE_SITA_HU) e.s += 5;
    }
    if (tx > 1) {
      if (tx == 7 && ty == 4 && e.at(8, 2) == CODE_UE_KAKU) e.s += 10;
      if (e.at(tx - 1, ty) == CODE_UE_KAKU) {
        e.s += 0.5;
        if (e.at(tx - 1, ty + 2) == CODE_SITA_HU) e.s += 5;
      }
    }
  }
  if (e.captured <= CODE_SITA_HU && g.INFLUENCE_UE[e.fx][e.fy] == 1) {
    if (ty > 2 && g.ATTACKER_SITA[tx][ty] == CODE_SITA_KYOU && e.at(tx, ty - 2) == CODE_UE_KAKU)
      e.s -= 5;
    else
      e.s += 5;
    const int a = g.ATTACKER_SITA[tx][ty];
    if (e.captured == CODE_SITA_HU && (a == CODE_SITA_KYOU || a == CODE_SITA_SYA) &&
        g.INFLUENCE_UE[e.fx][e.fy] < 2)
      e.s += 50;
  }
  const int front = e.at(tx, ty + 1);
  if (front <= CODE_SITA_HU) {
    const int mine = g.INFLUENCE_UE[tx][ty], theirs = g.INFLUENCE_SITA[tx][ty];
    if (mine > theirs) return e.s + 1;
    if (front == CODE_SITA_HU) return e.s - 5;
    if (e.defended(tx, ty)) {
      if (g.INFLUENCE_SITA_BEFORE[tx][ty + 1] == 0 && g.INFLUENCE_UE_BEFORE[tx][ty + 1] > 0)
        return e.s - 1;
      if (mine == theirs) return e.s + 5;
    } else if (!e.attacked(tx, ty)) {
      return e.s + 1;
    }
  }
  return e.s;
}

double pawn(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  if (g.HAND_UE[KYOU] > 0) e.s += 調査_香狙い(g, tx, ty);
  if (g.HAND_UE[KEI] > 0) e.s += 調査_桂狙い(g, tx, ty);
  if (ty < 9) {
    const int front = e.at(tx, ty + 1);
    if (front == CODE_UE_KIN)
      e.s += 0.5;
    else if (front == CODE_UE_SYA)
      e.s -= 1;
    if (front < CODE_SITA_HU && 調査_移動可場所数(g, tx, ty + 1, front) == 0)
      e.s += std::abs(front);
  }
  if (e.defended(tx, ty) && tx > 1 && tx < 9 &&
      (e.at(tx + 1, ty) == CODE_UE_SYA || e.at(tx - 1, ty) == CODE_UE_SYA))
    e.s -= 1;
  return e.drop() ? pawnDrop(e) : pawnStep(e);
}

double lance(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  if (g.HAND_UE[KEI] > 0) e.s += 調査_桂狙い(g, tx, ty);
  if (e.fx == -1 && ty < 8) {
    if (g.HAND_SITA[HU] > 0 && !e.attacked(tx, ty) && e.attacked(tx, ty + 1)) e.s -= 10;
    if (e.at(tx, ty + 1) <= CODE_SITA_KYOU &&
        (!e.attacked(tx, ty) || g.INFLUENCE_UE[tx][ty] >= g.INFLUENCE_SITA[tx][ty])) {
      int j = ty + 2;
      while (j <= 9 && e.at(tx, j) == EMPTY) ++j;
      if (j > 9) return e.s;
      if (移動チェック(g, tx, ty + 1, tx, j, CODE_UE_KYOU) == ON && e.at(tx, j) < CODE_SITA_KYOU)
        return e.s + std::abs(e.at(tx, j));
    }
  }
  if (e.fx > 0 && e.captured == EMPTY) return e.s - 0.9;
  return e.s;
}

double knight(Eval& e) {
  const int tx = e.tx, ty = e.ty;
  e.s -= 0.1;
  // A knight never stands on the last two rows, but the square ahead is read only on the board.
  if (ty < 9 && e.attacked(tx, ty + 1)) e.s -= 1;
  if (ty < 8 && tx > 1 && tx < 9) {
    if (e.attacked(tx - 1, ty + 2) && e.attacked(tx + 1, ty + 2)) e.s -= 1;
    if (tx == 7 && ty == 3 && e.at(8, 4) == CODE_UE_KAKU) return e.s - 5;
  }
  return e.s;
}

double silver(Eval& e) {
  const int tx = e.tx, ty = e.ty;
  if (ty <= 1) return e.s;
  if (ty > e.fy && tx == e.fx) e.s -= 0.1;
  if (e.at(tx, ty - 1) == CODE_UE_KEI) e.s -= 0.5;
  if (tx == 7 && ty == 3 && e.at(8, 3) == CODE_UE_HU && e.at(8, 5) == CODE_SITA_HU)
    return e.s + 115;
  return e.s;
}

double gold(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  if (ty > e.fy && tx != e.fx) e.s -= 0.5;
  if (ty == 4 && e.at(6, 4) == CODE_UE_KAKU && e.attacked(6, 4)) return e.s - 5;
  if (ty == 2) {
    if (e.at(8, 3) == CODE_UE_HU && e.at(8, 6) == CODE_SITA_HU && tx == 7 &&
        g.DEFENDER_SITA[8][6] == CODE_SITA_SYA)
      e.s += 10;
    if (g.HAND_SITA[KAKU] > 0 && e.at(tx, ty + 1) >= CODE_UE_HU &&
        g.INFLUENCE_UE_BEFORE[tx][ty + 1] == 0) {
      e.s += 2;
      if (e.at(tx, ty + 2) == CODE_UE_KAKU && g.INFLUENCE_UE_BEFORE[tx][ty + 2] == 1)
        return e.s + 125;
    }
  }
  return e.s;
}

double bishop(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty;
  e.s += 調査_周辺状況(g, tx, ty);
  if (ty < 9) {
    if (ty == 3) {
      if (tx == 9 && e.at(9, 4) == CODE_UE_HU && e.at(9, 6) == CODE_SITA_HU &&
          e.at(9, 9) == CODE_SITA_KYOU)
        e.s -= 10;
      if (tx == 7 && e.at(8, 5) == CODE_SITA_HU && g.DEFENDER_SITA[8][5] == CODE_SITA_SYA) e.s += 9;
    }
    if (e.attacked(tx, ty + 1)) {
      if (調査_移動可場所数(g, tx, ty, CODE_UE_KAKU) == 0) e.s -= 100;
      if (ty < 8 && e.at(tx, ty + 2) == CODE_SITA_HU) e.s -= 1;
    }
  }
  if (e.fy == 3) {
    if (e.fx == 9 && e.at(9, 4) == CODE_UE_HU && e.at(9, 6) == CODE_SITA_HU &&
        g.DEFENDER_SITA[9][6] == CODE_SITA_KYOU)
      return e.s + 10;
    if (e.fx == 7 && e.at(8, 5) == CODE_SITA_HU && g.DEFENDER_SITA[8][5] == CODE_SITA_SYA &&
        g.INFLUENCE_UE[8][4] < g.INFLUENCE_UE_BEFORE[8][4])
      return e.s - 10;
  }
  return e.s;
}

// Safe from everything but perhaps the human king, which then cannot take.
bool safeSquare(const Eval& e) {
  return !e.attacked(e.tx, e.ty) ||
         (e.g.ATTACKER_SITA[e.tx][e.ty] == CODE_SITA_OU && e.defended(e.tx, e.ty));
}

bool besideKingOnLine(const Eval& e) {
  return (e.tx == e.kx || e.ty == e.ky) && std::abs(e.tx - e.kx) < 3 && std::abs(e.ty - e.ky) < 3;
}

// A lower silver on `row` at tx, with a gold diagonally beside it and the other side occupied.
bool silverAndGoldWall(const Eval& e, int pieceRow, int silverRow) {
  const int tx = e.tx;
  if (e.at(tx, silverRow) != CODE_SITA_GIN || tx <= 1 || tx >= 9) return false;
  return (e.at(tx - 1, pieceRow) != EMPTY && e.at(tx + 1, silverRow) == CODE_SITA_KIN) ||
         (e.at(tx + 1, pieceRow) != EMPTY && e.at(tx - 1, silverRow) == CODE_SITA_KIN);
}

double rook(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty, fx = e.fx, fy = e.fy;
  e.s += 調査_周辺状況(g, tx, ty);
  if (fx == -1) {
    if (ty == 9 && silverAndGoldWall(e, 9, 8)) return e.s - 1;
    return e.s;
  }
  if (!e.attacked(tx, ty) && tx == 3 && ty == 4 && e.at(3, 7) == CODE_SITA_KAKU &&
      e.at(3, 6) == CODE_SITA_HU && e.at(3, 5) == EMPTY)
    e.s += 7;
  if (ty < 8) {
    if (e.attacked(tx, ty + 1)) {
      e.s -= 1;
      if (e.at(tx, ty + 2) == CODE_SITA_HU && ty == fy) e.s -= 5;
    }
    if (fy < 9 && e.at(8, fy + 1) == CODE_SITA_HU && g.DEFENDER_SITA[8][fy + 1] == CODE_SITA_SYA) {
      if (g.INFLUENCE_UE[8][fy] < g.INFLUENCE_UE_BEFORE[8][fy]) e.s -= 11;
      if (e.at(7, fy) == CODE_UE_HU && ty != fy) e.s -= 11;
    }
    if (!e.attacked(fx, fy) && fx == 2 && fy == 2 && tx == 2 && ty == 3) e.s -= 1;
  }
  if (safeSquare(e)) {
    if (調査_移動可場所数(g, tx, ty, CODE_UE_SYA) <= 1) return e.s - 35;
    if (besideKingOnLine(e)) return e.s + 100;
  }
  return e.s;
}

double dragon(Eval& e) {
  ComputerBoard& g = e.g;
  const int tx = e.tx, ty = e.ty, fx = e.fx, fy = e.fy;
  e.s += 調査_周辺状況(g, tx, ty);
  if (silverAndGoldWall(e, ty, ty - 1)) e.s -= 10;
  if (fy == 9 && e.at(fx, 8) == CODE_SITA_GIN) {
    if (fx > 1 && e.at(fx - 1, 8) == CODE_SITA_KIN) e.s += 2;
    if (fx < 9 && e.at(fx + 1, 8) == CODE_SITA_KIN) e.s += 2;
  }
  if (ty == 9 && e.at(tx, 8) <= CODE_SITA_HU) {
    if ((tx == 3 && e.at(2, 9) <= CODE_SITA_HU && e.at(4, 8) == CODE_SITA_KIN) ||
        (tx == 7 && e.at(8, 9) <= CODE_SITA_HU && e.at(6, 8) == CODE_SITA_KIN))
      e.s -= 150;
  }
  if (safeSquare(e) && besideKingOnLine(e)) return e.s + 100;
  return e.s;
}

double king(Eval& e) {
  ComputerBoard& g = e.g;
  if (g.PINNED_UE_ANY == ON) e.s += 10;
  if (g.INFLUENCE_UE[e.tx][e.ty] > g.INFLUENCE_UE_BEFORE[e.tx][e.ty]) e.s += 1;
  if (調査_移動可場所数(g, e.tx, e.ty, CODE_UE_OU) < 2) return e.s - 20;
  return e.s;
}

} // namespace

double byPiece(Eval& e) {
  switch (e.piece) {
  case CODE_UE_HU: return pawn(e);
  case CODE_UE_HU_NARI:
    if (e.g.INFLUENCE_UE[e.tx][e.ty] >= e.g.INFLUENCE_SITA[e.tx][e.ty]) return e.s + 1;
    return e.s;
  case CODE_UE_KYOU: return lance(e);
  case CODE_UE_KEI: return knight(e);
  case CODE_UE_GIN: return silver(e);
  case CODE_UE_KIN: return gold(e);
  case CODE_UE_KAKU: return bishop(e);
  case CODE_UE_KAKU_NARI: return e.s + 調査_周辺状況(e.g, e.tx, e.ty);
  case CODE_UE_SYA: return rook(e);
  case CODE_UE_SYA_NARI: return dragon(e);
  case CODE_UE_OU: return king(e);
  default: return e.s; // promoted lance, knight and silver add nothing
  }
}

} // namespace korvanu
