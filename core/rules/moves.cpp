#include "rules/moves.h"

#include "play/clock.h"
#include "rules/legality.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/explosion_view.h"

namespace korvanu {

namespace {

// The 3 x 3 block round (x, y), cut at the board's edges.
template <typename Fn>
void forBlock(int x, int y, Fn fn) {
  for (int i = x - 1; i <= x + 1; ++i)
    for (int j = y - 1; j <= y + 1; ++j)
      if (i >= 1 && i <= 9 && j >= 1 && j <= 9) fn(i, j);
}

// A piece captured or blown up goes to the other side's hand and counts in
// its total; a king goes to no hand and so adds to no total.
void takeIntoHand(Game& g, int code) {
  駒取得(g, code);
  if (code == CODE_UE_OU || code == CODE_SITA_OU) return;
  if (isUe(code)) ++g.HAND_SITA_TOTAL;
  else if (isSita(code)) ++g.HAND_UE_TOTAL;
}

void drawIfShown(Game& g, void (*draw)(const Game&)) {
  if (!g.QUIET) draw(g);
}

} // namespace

void 駒移動(Game& g, int fromX, int fromY, int toX, int toY, int piece) {
  const int target = g.BOARD[toX][toY];
  if (isSita(target) || isUe(target)) {
    takeIntoHand(g, target);
    drawIfShown(g, isSita(target) ? 描画_敵持盤 : 描画_自持盤);
  }
  if (!g.QUIET) {
    描画_絵(g, EMPTY, fromX, fromY);
    描画_桝輪郭(g, COLOR_BOARD, fromX, fromY);
  }
  g.BOARD[toX][toY] = piece;
  if (piece == CODE_SITA_OU) {
    g.OU_SITA_X = toX;
    g.OU_SITA_Y = toY;
  }
  if (fromX == -1) {
    --g.HAND_UE_TOTAL;
    --g.HAND_UE[fromY];
    drawIfShown(g, 描画_敵持盤);
  } else if (fromX == 11) {
    --g.HAND_SITA_TOTAL;
    --g.HAND_SITA[fromY - 2];
    drawIfShown(g, 描画_自持盤);
  } else {
    g.BOARD[fromX][fromY] = EMPTY;
  }
  if (!g.QUIET) {
    描画_絵(g, piece, toX, toY);
    描画_桝輪郭(g, COLOR_BOARD, toX, toY);
  }
}

void 駒取得(Game& g, int code) {
  if (code == CODE_UE_OU) {
    g.WINNER = g.SIDE_MAN;
  } else if (code == CODE_SITA_OU) {
    g.WINNER = g.SIDE_COM;
  } else if (isUe(code) && code <= CODE_UE_SYA_NARI) {
    ++g.HAND_SITA[code / 10];
  } else if (isSita(code) && code >= CODE_SITA_SYA_NARI) {
    ++g.HAND_UE[-code / 10];
  }
}

int 設定_爆発桝(Game& g, int x, int y) {
  int result = OFF;
  forBlock(x, y, [&](int i, int j) {
    const int c = g.BOARD[i][j];
    if (c != EMPTY && c != CODE_UE_HU && c != CODE_SITA_HU) {
      g.EXPLODE_MAP[i][j] = ON;
      result = ON;
    }
  });
  return result;
}

void 取得_爆発駒(Game& g, int x, int y) {
  forBlock(x, y, [&](int i, int j) {
    if (g.EXPLODE_MAP[i][j] == ON) takeIntoHand(g, g.BOARD[i][j]);
  });
}

int 調査_駒成(Game& g, int fromX, int fromY, [[maybe_unused]] int toX, int toY, int piece) {
  if (isDropColumn(fromX)) return OFF;
  bool may = false;
  switch (piece) {
  case CODE_SITA_HU:
  case CODE_SITA_KYOU:
  case CODE_SITA_KEI: may = toY < 4; break;
  case CODE_SITA_GIN:
  case CODE_SITA_KAKU:
  case CODE_SITA_SYA: may = toY < 4 || fromY < 4; break;
  case CODE_UE_HU:
  case CODE_UE_KYOU:
  case CODE_UE_KEI: may = toY > 6; break;
  case CODE_UE_GIN:
  case CODE_UE_KAKU:
  case CODE_UE_SYA: may = toY > 6 || fromY > 6; break;
  default: break;
  }
  if (!may) return OFF;
  g.PROMOTED_PIECE = piece < 0 ? piece - 1 : piece + 1;
  return ON;
}

int clearExplodedSquares(Game& g) {
  int emptied = 0;
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      if (g.EXPLODE_MAP[x][y] != ON) continue;
      g.BOARD[x][y] = EMPTY;
      g.EXPLODE_MAP[x][y] = OFF;
      ++emptied;
    }
  }
  return emptied;
}

int explodeAfterCapture(Game& g, int captured, int toX, int toY) {
  if (captured == EMPTY) return 0;
  if (設定_爆発桝(g, toX, toY) != ON) return 0;
  if (g.QUIET) {
    取得_爆発駒(g, toX, toY);
    return clearExplodedSquares(g);
  }
  g.ui.refresh();
  待ち時間(g, 0.3);
  取得_爆発駒(g, toX, toY);
  int marked = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) marked += g.EXPLODE_MAP[x][y] == ON;
  // The animation empties the marked squares, clears the marks and redraws the hands.
  描画_爆発アニメ(g);
  return marked;
}

bool isPlayableMove(Game& g, int fromX, int fromY, int toX, int toY, int piece) {
  if (isDropColumn(fromX)) {
    const bool lower = fromX == 11;
    const int kind = lower ? fromY - 2 : fromY;
    if (kind < HU || kind > SYA) return false;
    if (piece != (lower ? -10 : 10) * kind) return false;
    if ((lower ? g.HAND_SITA[kind] : g.HAND_UE[kind]) <= 0) return false;
    調査_2歩フラグ設定(g);
    return 移動チェック(g, fromX, fromY, toX, toY, piece) == ON;
  }
  if (fromX < 1 || fromX > 9 || fromY < 1 || fromY > 9) return false;
  const int moving = g.BOARD[fromX][fromY];
  if (!isSita(moving) && !isUe(moving)) return false;
  if (移動チェック(g, fromX, fromY, toX, toY, moving) != ON) return false;
  if (piece == moving) return 移動後チェック(toY, moving) == ON;
  return 調査_駒成(g, fromX, fromY, toX, toY, moving) == ON && g.PROMOTED_PIECE == piece;
}

int playMove(Game& g, int fromX, int fromY, int toX, int toY, int piece) {
  const int captured = g.BOARD[toX][toY];
  駒移動(g, fromX, fromY, toX, toY, piece);
  return explodeAfterCapture(g, captured, toX, toY);
}

} // namespace korvanu
