#include "play/explosion_preview.h"

#include "platform/table.h"
#include "play/move_guide.h"
#include "rules/legality.h"
#include "rules/move_preview.h"
#include "view/board_view.h"
#include "view/marks_view.h"
#include "view/preview_view.h"

namespace korvanu {

namespace {

// A piece picked up from the board can take what stands on (x, y). Drops
// never take, so a piece from a hand shows nothing.
bool wouldCapture(const Table& g, int x, int y) {
  if (g.GUIDE_ON != ON || g.SELECT_STATE != 1 || g.RECORD_MODE == ON || g.TURN == NO_GAME)
    return false;
  const int fromX = g.MOVE_BUF[3], fromY = g.MOVE_BUF[4], piece = g.MOVE_BUF[8];
  if (!onBoard(x, y) || isDropColumn(fromX) || !stillPickedUp(g, fromX, fromY, piece)) return false;
  return g.BOARD[x][y] != EMPTY && 移動チェック(g, fromX, fromY, x, y, piece) == ON;
}

} // namespace

void pointAtCell(Table& g, int x, int y) {
  const bool wanted = wouldCapture(g, x, y);
  if (wanted && g.PREVIEW_X == x && g.PREVIEW_Y == y) return;
  hideExplosionPreview(g);
  if (!wanted) return;
  const int fromX = g.MOVE_BUF[3], fromY = g.MOVE_BUF[4], piece = g.MOVE_BUF[8];
  drawExplosionPreview(g.ui, g, previewMove(g, fromX, fromY, x, y, piece, BUTTON_LEFT),
                       previewMove(g, fromX, fromY, x, y, piece, BUTTON_RIGHT));
  g.PREVIEW_X = x;
  g.PREVIEW_Y = y;
  g.PREVIEW_FROM_X = fromX;
  g.PREVIEW_FROM_Y = fromY;
}

void hideExplosionPreview(Table& g) {
  if (g.PREVIEW_X == 0) return;
  // The squares as they were, the last move's tints included.
  auto repaint = [&](int x, int y) {
    drawPiece(g.ui, g, g.BOARD[x][y], x, y);
    drawMark(g.ui, g, x, y);
  };
  forBlock(g.PREVIEW_X, g.PREVIEW_Y, repaint);
  repaint(g.PREVIEW_FROM_X, g.PREVIEW_FROM_Y);
  // The outlines as picking the piece up left them: guidance, then the
  // picked-up square.
  const int fromX = g.MOVE_BUF[3], fromY = g.MOVE_BUF[4];
  if (g.SELECT_STATE == 1) {
    描画_移動可能桝色(g, fromX, fromY, g.COLOR_GUIDE, g.MOVE_BUF[8]);
    描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, fromX, fromY);
  } else {
    描画_将棋盤桝(g.ui, g);
  }
  g.PREVIEW_X = g.PREVIEW_Y = g.PREVIEW_FROM_X = g.PREVIEW_FROM_Y = 0;
}

} // namespace korvanu
