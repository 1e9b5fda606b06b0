#include "computer/survey.h"

#include <cstddef>
#include <cstring>

#include "rules/steps.h"
#include "state/game.h"
#include "state/pieces.h"

namespace korvanu {

namespace {

// What a UE reach keeps besides the influence count; the kinds differ.
enum class Keep { Nothing, Value, ValueAndSquare };
// Check marks on meeting the opposing king: 9 on the checking piece's square,
// and for a knight on the king's square too.
enum class Marks { Nothing, Piece, PieceAndKing };

struct UeRules {
  Keep defender;
  Keep attacker;
  Marks marks;
};

constexpr UeRules UE_HU_RULES{Keep::Value, Keep::Value, Marks::Piece};
constexpr UeRules UE_KEI_RULES{Keep::ValueAndSquare, Keep::Nothing, Marks::PieceAndKing};
constexpr UeRules UE_GIN_RULES{Keep::ValueAndSquare, Keep::Nothing, Marks::Piece};
constexpr UeRules UE_KIN_RULES{Keep::Value, Keep::Nothing, Marks::Piece};
constexpr UeRules UE_UMA_STEP_RULES{Keep::Nothing, Keep::Nothing, Marks::Piece};
constexpr UeRules UE_RYUU_STEP_RULES{Keep::ValueAndSquare, Keep::ValueAndSquare, Marks::Piece};
constexpr UeRules UE_OU_RULES{Keep::Value, Keep::Nothing, Marks::Nothing};
// Lines mark checks themselves, between the piece and the king.
constexpr UeRules UE_LINE_RULES{Keep::ValueAndSquare, Keep::ValueAndSquare, Marks::Nothing};

// The SITA piece on (x, y) reaches (tx, ty), on the board, with value v.
// SITA values are negative: the dearest defender and cheapest attacker win.
template <Marks M>
inline void sitaReach(ComputerBoard& g, int tx, int ty, int v, int x, int y) {
  ++g.INFLUENCE_SITA[tx][ty];
  const int b = g.BOARD[tx][ty];
  if (b < 0) {
    if (g.DEFENDER_SITA[tx][ty] > v) g.DEFENDER_SITA[tx][ty] = v;
  } else if (b > 0) {
    if (g.ATTACKER_SITA[tx][ty] < v) {
      g.ATTACKER_SITA[tx][ty] = v;
      g.ATTACKER_SITA_X[tx][ty] = x;
      g.ATTACKER_SITA_Y[tx][ty] = y;
    }
    if constexpr (M != Marks::Nothing) {
      if (b == CODE_UE_OU) {
        g.CHECK_BY_SITA[x][y] = 9;
        if constexpr (M == Marks::PieceAndKing) g.CHECK_BY_SITA[tx][ty] = 9;
      }
    }
  }
}

// The UE piece on (x, y) reaches (tx, ty), on the board, with value v.
template <UeRules R>
inline void ueReach(ComputerBoard& g, int tx, int ty, int v, int x, int y) {
  ++g.INFLUENCE_UE[tx][ty];
  const int b = g.BOARD[tx][ty];
  if constexpr (R.defender != Keep::Nothing) {
    if (b > 0 && g.DEFENDER_UE[tx][ty] > v) {
      g.DEFENDER_UE[tx][ty] = v;
      if constexpr (R.defender == Keep::ValueAndSquare) {
        g.DEFENDER_UE_X[tx][ty] = x;
        g.DEFENDER_UE_Y[tx][ty] = y;
      }
    }
  }
  if constexpr (R.attacker != Keep::Nothing) {
    if (b < 0 && g.ATTACKER_UE[tx][ty] > v) {
      g.ATTACKER_UE[tx][ty] = v;
      if constexpr (R.attacker == Keep::ValueAndSquare) {
        g.ATTACKER_UE_X[tx][ty] = x;
        g.ATTACKER_UE_Y[tx][ty] = y;
      }
    }
  }
  if constexpr (R.marks != Marks::Nothing) {
    if (b == CODE_SITA_OU) {
      g.CHECK_BY_UE[x][y] = 9;
      if constexpr (R.marks == Marks::PieceAndKing) g.CHECK_BY_UE[tx][ty] = 9;
    }
  }
}

template <Marks M, std::size_t N>
inline void sitaSteps(ComputerBoard& g, const Offset (&steps)[N], int v, int x, int y) {
  for (const Offset& s : steps)
    if (onBoard(x + s.dx, y + s.dy)) sitaReach<M>(g, x + s.dx, y + s.dy, v, x, y);
}

template <UeRules R, std::size_t N>
inline void ueSteps(ComputerBoard& g, const Offset (&steps)[N], int v, int x, int y) {
  for (const Offset& s : steps)
    if (onBoard(x + s.dx, y + s.dy)) ueReach<R>(g, x + s.dx, y + s.dy, v, x, y);
}

// One line from (x, y) in direction (dx, dy), recording v. It stops on the
// first occupied square; meeting the opposing king marks the check (1 between,
// 9 on the piece) and the line goes on behind the king.
template <bool Sita>
void walkLine(ComputerBoard& g, int v, int x, int y, int dx, int dy) {
  constexpr int opposingKing = Sita ? CODE_UE_OU : CODE_SITA_OU;
  int(&check)[10][10] = Sita ? g.CHECK_BY_SITA : g.CHECK_BY_UE;
  for (int tx = x + dx, ty = y + dy; onBoard(tx, ty); tx += dx, ty += dy) {
    if constexpr (Sita)
      sitaReach<Marks::Nothing>(g, tx, ty, v, x, y);
    else
      ueReach<UE_LINE_RULES>(g, tx, ty, v, x, y);
    const int b = g.BOARD[tx][ty];
    if (b == EMPTY) continue;
    if (b != opposingKing) return;
    for (int bx = x + dx, by = y + dy; bx != tx || by != ty; bx += dx, by += dy) check[bx][by] = 1;
    check[x][y] = 9;
  }
}

inline void walkLineOf(ComputerBoard& g, int c, int x, int y, int dx, int dy) {
  if (c < 0)
    walkLine<true>(g, c, x, y, dx, dy);
  else
    walkLine<false>(g, c, x, y, dx, dy);
}

inline void fourLines(ComputerBoard& g, int c, int x, int y) {
  勢力確定下直進(g, c, x, y);
  勢力確定上直進(g, c, x, y);
  勢力確定右直進(g, c, x, y);
  勢力確定左直進(g, c, x, y);
}

// Copied from a ready row: a fill of nine ints is not vectorised at -O2.
template <int V>
inline void resetSquares(int (&map)[10][10]) {
  static constexpr int ROW[9] = {V, V, V, V, V, V, V, V, V};
  for (int x = 1; x <= 9; ++x) std::memcpy(&map[x][1], ROW, sizeof ROW);
}

// The square maps of UE's records are left as they are: a record that keeps
// only a value leaves the square of an earlier survey behind.
void resetMaps(ComputerBoard& g) {
  resetSquares<0>(g.INFLUENCE_SITA);
  resetSquares<0>(g.INFLUENCE_UE);
  resetSquares<0>(g.CHECK_BY_SITA);
  resetSquares<0>(g.CHECK_BY_UE);
  resetSquares<-999>(g.ATTACKER_SITA);
  resetSquares<0>(g.ATTACKER_SITA_X);
  resetSquares<0>(g.ATTACKER_SITA_Y);
  resetSquares<999>(g.ATTACKER_UE);
  resetSquares<999>(g.DEFENDER_SITA);
  resetSquares<999>(g.DEFENDER_UE);
}

void surveyPiece(ComputerBoard& g, int c, int x, int y) {
  switch (c) {
  case CODE_SITA_HU: sitaSteps<Marks::Piece>(g, SITA_HU_STEPS, c, x, y); break;
  case CODE_SITA_KYOU: 勢力確定上直進(g, c, x, y); break;
  case CODE_SITA_KEI: sitaSteps<Marks::PieceAndKing>(g, SITA_KEI_STEPS, c, x, y); break;
  case CODE_SITA_GIN: sitaSteps<Marks::Piece>(g, SITA_GIN_STEPS, c, x, y); break;
  case CODE_SITA_HU_NARI:
  case CODE_SITA_KYOU_NARI:
  case CODE_SITA_KEI_NARI:
  case CODE_SITA_GIN_NARI:
  case CODE_SITA_KIN: 勢力確定自金(g, c, x, y); break;
  case CODE_SITA_KAKU: 勢力確定自角(g, x, y); break;
  case CODE_SITA_KAKU_NARI:
    sitaSteps<Marks::Piece>(g, ORTHOGONAL, c, x, y);
    勢力確定自角(g, x, y);
    break;
  case CODE_SITA_SYA: fourLines(g, c, x, y); break;
  case CODE_SITA_SYA_NARI:
    fourLines(g, c, x, y);
    sitaSteps<Marks::Piece>(g, DIAGONAL, c, x, y);
    break;
  case CODE_SITA_OU:
    g.OU_SITA_X = x;
    g.OU_SITA_Y = y;
    sitaSteps<Marks::Nothing>(g, OU_STEPS, c, x, y);
    break;

  case CODE_UE_HU: ueSteps<UE_HU_RULES>(g, UE_HU_STEPS, c, x, y); break;
  case CODE_UE_KYOU: 勢力確定下直進(g, c, x, y); break;
  case CODE_UE_KEI: ueSteps<UE_KEI_RULES>(g, UE_KEI_STEPS, c, x, y); break;
  case CODE_UE_GIN: ueSteps<UE_GIN_RULES>(g, UE_GIN_STEPS, c, x, y); break;
  case CODE_UE_HU_NARI:
  case CODE_UE_KYOU_NARI:
  case CODE_UE_KEI_NARI:
  case CODE_UE_GIN_NARI:
  case CODE_UE_KIN: 勢力確定敵金(g, x, y); break;
  case CODE_UE_KAKU: 勢力確定敵角(g, c, x, y); break;
  case CODE_UE_KAKU_NARI:
    ueSteps<UE_UMA_STEP_RULES>(g, ORTHOGONAL, c, x, y);
    勢力確定敵角(g, c, x, y);
    break;
  case CODE_UE_SYA: fourLines(g, c, x, y); break;
  case CODE_UE_SYA_NARI:
    fourLines(g, c, x, y);
    ueSteps<UE_RYUU_STEP_RULES>(g, DIAGONAL, c, x, y);
    break;
  case CODE_UE_OU:
    g.OU_UE_X = x;
    g.OU_UE_Y = y;
    ueSteps<UE_OU_RULES>(g, OU_STEPS, c, x, y);
    break;
  default: break; // not a piece: it blocks lines but reaches nothing
  }
}

} // namespace

void 勢力確定上直進(ComputerBoard& g, int c, int x, int y) { walkLineOf(g, c, x, y, 0, -1); }
void 勢力確定下直進(ComputerBoard& g, int c, int x, int y) { walkLineOf(g, c, x, y, 0, 1); }
void 勢力確定右直進(ComputerBoard& g, int c, int x, int y) { walkLineOf(g, c, x, y, 1, 0); }
void 勢力確定左直進(ComputerBoard& g, int c, int x, int y) { walkLineOf(g, c, x, y, -1, 0); }

void 勢力確定敵角(ComputerBoard& g, int c, int x, int y) {
  for (const Offset& d : DIAGONAL) walkLine<false>(g, c, x, y, d.dx, d.dy);
}

void 勢力確定自角(ComputerBoard& g, int x, int y) {
  for (const Offset& d : DIAGONAL) walkLine<true>(g, CODE_SITA_KAKU, x, y, d.dx, d.dy);
}

void 勢力確定敵金(ComputerBoard& g, int x, int y) {
  ueSteps<UE_KIN_RULES>(g, UE_KIN_STEPS, CODE_UE_KIN, x, y);
}

void 勢力確定自金(ComputerBoard& g, int c, int x, int y) {
  sitaSteps<Marks::Piece>(g, SITA_KIN_STEPS, c, x, y);
}

void 勢力調査(ComputerBoard& g) {
  resetMaps(g);
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (g.BOARD[x][y] != EMPTY) surveyPiece(g, g.BOARD[x][y], x, y);
}

} // namespace korvanu
