#include "rules/moves.h"

#include "rules/legality.h"
#include "rules/make_move.h"
#include "state/game.h"

namespace korvanu {

MoveEffects 駒移動(Game& g, int fromX, int fromY, int toX, int toY, int piece) {
  Key unused = 0;
  return movePiece(g, fromX, fromY, toX, toY, piece, unused);
}

bool 駒取得(Game& g, int code) {
  Key unused = 0;
  intoHand(g, code, unused);
  return code == CODE_UE_OU || code == CODE_SITA_OU;
}

int 設定_爆発桝(Game& g, int x, int y) {
  int result = OFF;
  forBlock(x, y, [&](int i, int j) {
    if (blowsUp(g.BOARD[i][j])) {
      g.EXPLODE_MAP[i][j] = ON;
      result = ON;
    }
  });
  return result;
}

void 取得_爆発駒(Game& g, int x, int y) {
  forBlock(x, y, [&](int i, int j) {
    if (g.EXPLODE_MAP[i][j] == ON) 駒取得(g, g.BOARD[i][j]);
  });
}

bool mayPromote(int piece, int fromY, int toY) {
  switch (piece) {
  case CODE_SITA_HU:
  case CODE_SITA_KYOU:
  case CODE_SITA_KEI: return toY < 4;
  case CODE_SITA_GIN:
  case CODE_SITA_KAKU:
  case CODE_SITA_SYA: return toY < 4 || fromY < 4;
  case CODE_UE_HU:
  case CODE_UE_KYOU:
  case CODE_UE_KEI: return toY > 6;
  case CODE_UE_GIN:
  case CODE_UE_KAKU:
  case CODE_UE_SYA: return toY > 6 || fromY > 6;
  default: return false;
  }
}

int 調査_駒成(int fromX, int fromY, [[maybe_unused]] int toX, int toY, int piece) {
  if (isDropColumn(fromX) || !mayPromote(piece, fromY, toY)) return OFF;
  return promotedOf(piece);
}

ExplosionEffects explodeAfterCapture(Game& g, const MoveEffects& move) {
  Key unused = 0;
  return explode(g, move, unused);
}

bool isPlayableMove(const Position& p, int fromX, int fromY, int toX, int toY, int piece) {
  if (isDropColumn(fromX)) {
    const bool lower = fromX == 11;
    const int kind = lower ? fromY - 2 : fromY;
    if (kind < HU || kind > SYA) return false;
    if (piece != (lower ? -10 : 10) * kind) return false;
    if ((lower ? p.HAND_SITA[kind] : p.HAND_UE[kind]) <= 0) return false;
    return 移動チェック(p, fromX, fromY, toX, toY, piece) == ON;
  }
  if (fromX < 1 || fromX > 9 || fromY < 1 || fromY > 9) return false;
  const int moving = p.BOARD[fromX][fromY];
  if (!isSita(moving) && !isUe(moving)) return false;
  if (移動チェック(p, fromX, fromY, toX, toY, moving) != ON) return false;
  if (piece == moving) return 移動後チェック(toY, moving) == ON;
  return 調査_駒成(fromX, fromY, toX, toY, moving) == piece;
}

int playMove(Game& g, int fromX, int fromY, int toX, int toY, int piece) {
  return explodeAfterCapture(g, 駒移動(g, fromX, fromY, toX, toY, piece)).count;
}

} // namespace korvanu
