#include "play/view_turn.h"

#include "platform/table.h"
#include "play/move_guide.h"
#include "play/recorded_moves.h"
#include "view/board_view.h"
#include "view/cursor_view.h"
#include "view/status_view.h"

namespace korvanu {

void setViewTurned(Table& g, bool turned) {
  setChecked(g, Menu::VIEW_TURN, turned);
  画面_再描画(g.ui, g);
  // What the full redraw leaves out: the counter once a move is shown, each
  // side's last move (now beside its stand's new place), a picked-up piece
  // with its guidance, and the keyboard's cursor.
  if (g.GAME_MOVES > 0) 描画_手数(g.ui, g, g.GAME_MOVES, COLOR_WHITE);
  if (g.MOVE_NO > 0 && g.TURN != NO_GAME) showLastMoves(g);
  if (g.SELECT_STATE == 1) {
    描画_移動可能桝色(g, g.MOVE_BUF[3], g.MOVE_BUF[4], g.COLOR_GUIDE, g.MOVE_BUF[8]);
    描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, g.MOVE_BUF[3], g.MOVE_BUF[4]);
  }
  if (g.CURSOR_SHOWN) drawCursor(g.ui, g);
}

void VIEW_TURN_Click(Table& g) { setViewTurned(g, !viewTurned(g)); }

} // namespace korvanu
