#include "computer/danger.h"

#include <cstdlib>

#include "computer/examine.h"
#include "rules/legality.h"
#include "state/game.h"

namespace korvanu {

namespace {

// Every term changes the running score in place, in the order the terms are
// listed, so that equal positions add up to bit-equal scores.

bool attacked(const ComputerBoard& g, int x, int y) { return g.INFLUENCE_SITA[x][y] > 0; }
bool defended(const ComputerBoard& g, int x, int y) { return g.INFLUENCE_UE[x][y] > 0; }
bool humanHoldsSilverOrGold(const ComputerBoard& g) {
  return g.HAND_SITA[GIN] > 0 || g.HAND_SITA[KIN] > 0;
}

// Human pieces the moved piece could take next from a safe square.
struct Forks {
  int count = 0;
  int cheapest = 9999;
};

// An empty square the human reaches: near our king, on our back rows, or
// where a human pawn could step up.
void attackedEmptySquare(ComputerBoard& g, int x, int y, double& s) {
  if (std::abs(x - g.OU_UE_X) < 2 && std::abs(y - g.OU_UE_Y) < 2) {
    s -= 0.5 * g.INFLUENCE_SITA[x][y];
    if (g.INFLUENCE_UE[x][y] == 1 && g.INFLUENCE_SITA[x][y] > 1) s -= 10;
    if (humanHoldsSilverOrGold(g)) s -= 10;
  }
  if (!defended(g, x, y) && y < 4) {
    s -= 0.1;
    if (調査_自守駒MAN_直進駒(g, x, y) == ON) s -= 10;
  }
  if (y < 4 && g.BOARD[x][y + 1] == CODE_SITA_HU &&
      g.INFLUENCE_SITA[x][y] >= g.INFLUENCE_UE[x][y]) {
    s -= 30;
    if (調査_自守駒MAN_直進駒(g, x, y + 1) == ON) s -= 70;
  }
}

// Lance on an empty square: it hits the piece just above and, through it,
// the first piece further up the column.
void lanceDrop(const ComputerBoard& g, int x, int y, double& s) {
  if (!(g.HAND_SITA[KYOU] > 0 && y > 2 && g.BOARD[x][y - 1] > CODE_UE_KYOU &&
        (attacked(g, x, y) || !defended(g, x, y))))
    return;
  for (int j = y - 2; j >= 1; --j) {
    const int c = g.BOARD[x][j];
    if (c == EMPTY) continue;
    if (c > CODE_UE_KYOU) s = s - 100 - c / 2.0;
    return;
  }
}

// Drops the human could make on an empty square.
void dropThreats(const ComputerBoard& g, int x, int y, double& s) {
  lanceDrop(g, x, y, s);

  // On an empty square ATTACKER_UE is always 999, so an attacked square qualifies.
  if (g.HAND_SITA[KEI] > 0 &&
      (!defended(g, x, y) || (attacked(g, x, y) && g.ATTACKER_UE[x][y] > 30)) && y > 2 && 1 < x &&
      x < 9 && g.BOARD[x - 1][y - 2] > CODE_UE_HU && g.BOARD[x + 1][y - 2] > CODE_UE_HU)
    s -= 20;

  if (humanHoldsSilverOrGold(g) && g.INFLUENCE_UE[x][y] <= 1) {
    const int crowd = 調査_周辺状況(g, x, y);
    if (crowd < -1) s -= 5;
    if (!defended(g, x, y) && crowd < 0) {
      s -= 1;
      if (y < 4) s -= 10;
    }
  }

  if (defended(g, x, y)) return;
  if (y == 2 && g.BOARD[x][1] == CODE_UE_KEI) s -= 5;
  if (y < 4) s -= 0.1;
  if (g.HAND_SITA[GIN] > 0 && 1 < x && x < 9 && 1 < y && y < 9) {
    // A silver's two diagonals through the square, each forking two of our
    // undefended pieces.
    const auto forked = [&g](int ax, int ay, int bx, int by) {
      return g.BOARD[ax][ay] >= CODE_UE_HU && g.BOARD[bx][by] >= CODE_UE_HU &&
             !defended(g, ax, ay) && !defended(g, bx, by);
    };
    if (forked(x - 1, y - 1, x + 1, y + 1)) s -= 20;
    if (forked(x - 1, y + 1, x + 1, y - 1)) s -= 20;
  }
}

// Part A: an empty square.
void emptySquare(ComputerBoard& g, int x, int y, double& s) {
  if (attacked(g, x, y)) attackedEmptySquare(g, x, y, s);
  if (g.HAND_SITA_TOTAL > 0) dropThreats(g, x, y, s);
}

// Part B.3: one of our pieces the human attacks; (ax, ay) is its cheapest attacker.
void attackedComputerPiece(ComputerBoard& g, int c, int x, int y, double& s) {
  const int attacker = g.ATTACKER_SITA[x][y];
  const int a = std::abs(attacker);
  const int ax = g.ATTACKER_SITA_X[x][y], ay = g.ATTACKER_SITA_Y[x][y];
  const bool attackerFree = g.PINNED_SITA[ax][ay] == OFF;

  if (g.DEFENDER_UE[x][y] == CODE_UE_OU && (g.INFLUENCE_SITA[x][y] > 1 || c > a)) s -= 100;
  if (attackerFree && c > a) s = s - c + a;
  if (defended(g, x, y) && attackerFree) {
    if (g.INFLUENCE_SITA[x][y] > g.INFLUENCE_UE[x][y] && g.DEFENDER_UE[x][y] >= a) s -= c;
    if (y <= 3 && g.INFLUENCE_UE[x][y] == g.INFLUENCE_SITA[x][y] && g.BOARD[x][y + 1] != EMPTY &&
        調査_自守駒MAN_直進駒(g, x, y + 1) == ON)
      s = s - c - std::abs(g.ATTACKER_SITA[x][y + 1]);
  }
  if (!defended(g, x, y)) {
    s -= c;
    if (y <= 3) s -= 10;
    // The piece has just captured there: what it took is already won.
    if (isSita(g.BOARD_BEFORE[x][y])) s += std::abs(g.BOARD_BEFORE[x][y]);
    if (y < 4 && (attacker == CODE_SITA_HU || attacker == CODE_SITA_KYOU)) s -= 20;
  }
}

// Part B: a square holding our piece c.
void computerPiece(ComputerBoard& g, int c, int x, int y, double& s) {
  if (c == CODE_UE_OU && y == 1 && attacked(g, x, 2)) {
    s -= 50;
    if (g.INFLUENCE_SITA[x][2] >= g.INFLUENCE_UE[x][2]) s -= 250;
    if (humanHoldsSilverOrGold(g)) s -= 700;
  } else if (c == CODE_UE_HU && g.ATTACKER_SITA[x][y] == CODE_SITA_SYA && g.HAND_SITA[HU] > 0 &&
             g.INFLUENCE_SITA[x][y] >= g.INFLUENCE_UE[x][y] && y < 9 &&
             g.INFLUENCE_UE[x][y + 1] == 1) {
    s -= 5;
  }
  if (attacked(g, x, y)) attackedComputerPiece(g, c, x, y, s);
}

// Part C.1 and C.2: a square holding the human piece h.
void humanPiece(const ComputerBoard& g, int h, int x, int y, double& s) {
  if (g.INFLUENCE_UE_BEFORE[x][y] == 0 && defended(g, x, y)) {
    if (h == CODE_SITA_KEI && y > 2 && !attacked(g, x, y - 1) &&
        (g.BOARD[x][y - 1] == CODE_UE_GIN || g.BOARD[x][y - 1] == CODE_UE_SYA_NARI ||
         g.BOARD[x][y - 1] == CODE_UE_KAKU_NARI))
      s += 1;
    if (std::abs(x - g.OU_UE_X) < 3 && std::abs(y - g.OU_UE_Y) < 3) s += 15;
  }

  if (h == CODE_SITA_KEI && y >= 5 && g.BOARD[x][y - 4] >= CODE_UE_GIN) {
    // The knight's landing squares on the way there, if it may land unopposed.
    if (x > 1 && g.BOARD[x - 1][y - 2] >= 0 && g.INFLUENCE_UE[x - 1][y - 2] == 0) s -= 1;
    if (x < 9 && g.BOARD[x + 1][y - 2] >= 0 && g.INFLUENCE_UE[x + 1][y - 2] == 0) s -= 1;
  } else if ((h == CODE_SITA_SYA || h == CODE_SITA_SYA_NARI || h == CODE_SITA_KYOU) &&
             x == g.OU_UE_X) {
    s -= 1;
  }
}

// Part C.3: the moved piece on (tx, ty) could take the human piece h next.
void forkTarget(const ComputerBoard& g, int h, int x, int y, int piece, int tx, int ty, double& s,
                Forks& forks) {
  if (attacked(g, tx, ty)) return;
  if (!(g.INFLUENCE_SITA[x][y] == 0 || (x == g.OU_SITA_X && y == g.OU_SITA_Y))) return;
  if (移動チェック(g, tx, ty, x, y, piece) != ON) return;
  s += 0.1;
  ++forks.count;
  if (std::abs(h) < forks.cheapest) forks.cheapest = std::abs(h);
}

} // namespace

double 盤評価_COM危険座標(ComputerBoard& g, int piece, int tx, int ty) {
  double s = 0;
  Forks forks;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = g.BOARD[x][y];
      if (c == EMPTY) {
        emptySquare(g, x, y, s);
      } else if (isUe(c)) {
        computerPiece(g, c, x, y, s);
      } else if (isSita(c)) {
        humanPiece(g, c, x, y, s);
        forkTarget(g, c, x, y, piece, tx, ty, s, forks);
      }
    }
  // Two targets at once: one of them falls, count the cheaper as won.
  if (forks.count > 1) s += forks.cheapest;
  return s;
}

int 盤評価_自角注意_COM(const ComputerBoard& g, int tx, int ty, int piece) {
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j) {
      if (g.BISHOP_TARGET[i][j] != 1) continue;
      if (移動チェック(g, tx, ty, i, j, CODE_SITA_KAKU) != ON &&
          移動チェック(g, tx, ty, i, j, CODE_SITA_KAKU_NARI) != ON)
        continue;
      // Only the first target on our piece's diagonal is looked at.
      for (int k = 1; k <= 9; ++k)
        for (int l = 1; l <= 9; ++l) {
          const int b = g.BOARD[k][l];
          if ((b == CODE_SITA_KAKU || b == CODE_SITA_KAKU_NARI) &&
              移動チェック(g, k, l, i, j, b) == ON)
            return piece;
        }
      // A bishop in hand is dropped from the lower hand's bishop slot.
      if (g.HAND_SITA[KAKU] > 0 && 移動チェック(g, 11, KAKU + 2, i, j, CODE_SITA_KAKU) == ON)
        return piece;
      return 0;
    }
  return 0;
}

} // namespace korvanu
