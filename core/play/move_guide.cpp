#include "play/move_guide.h"

#include "platform/table.h"
#include "rules/king_danger.h"
#include "rules/legality.h"
#include "rules/moves.h"
#include "view/board_view.h"
#include "view/marks_view.h"

namespace korvanu {

bool stillPickedUp(const Table& g, int fromX, int fromY, int piece) {
  if (isDropColumn(fromX)) {
    if (!isChecked(g, Menu::MOCHIKOMA)) return false;
    const bool lower = fromX == LOWER_HAND;
    const int kind = lower ? fromY - 2 : 8 - fromY;
    if (kind < HU || kind > SYA) return false;
    return piece == (lower ? -10 : 10) * kind && (lower ? g.HAND_SITA[kind] : g.HAND_UE[kind]) > 0;
  }
  return onBoard(fromX, fromY) && g.BOARD[fromX][fromY] == piece;
}

void 描画_移動可能桝色(Table& g, int fromX, int fromY, int colour, int piece) {
  描画_将棋盤桝(g.ui, g);
  if (g.GUIDE_ON != ON) return;
  // The rules name an upper drop by its kind, not by the row it shows on.
  const int ruleFromY = fromX == UPPER_HAND ? kindOf(piece) : fromY;
  bool warned[10][10] = {};
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      if (移動チェック(g, fromX, fromY, x, y, piece) != ON) continue;
      warned[x][y] = colour != COLOR_GRID && leavesKingToBeLost(g, {fromX, ruleFromY, x, y, piece});
      if (!warned[x][y]) 描画_桝輪郭(g.ui, g, colour, x, y);
    }
  // A warning stands inside its square, so that a safe neighbour keeps
  // every edge of its own outline.
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (warned[x][y]) drawInnerOutline(g.ui, g, COLOR_GUIDE_WARNING, x, y);
}

} // namespace korvanu
