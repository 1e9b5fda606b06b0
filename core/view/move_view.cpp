#include "view/move_view.h"

#include "platform/platform.h"
#include "rules/legality.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/clock_view.h"
#include "view/explosion_view.h"

namespace korvanu {

namespace {

constexpr double PAUSE_BEFORE_BLAST = 0.3;

} // namespace

void showMove(Canvas& c, const Game& g, const MoveEffects& move) {
  // A lower piece taken goes to the upper hand, drawn on the left.
  if (isSita(move.captured))
    描画_敵持盤(c, g);
  else if (isUe(move.captured))
    描画_自持盤(c, g);
  drawSquare(c, g, EMPTY, move.fromX, move.fromY);
  if (move.fromX == -1)
    描画_敵持盤(c, g);
  else if (move.fromX == 11)
    描画_自持盤(c, g);
  drawSquare(c, g, move.piece, move.toX, move.toY);
}

void showExplosion(Canvas& c, Timing& t, WindowPort& w, const Game& g,
                   const ExplosionEffects& blast) {
  if (blast.count == 0) return;
  c.refresh();
  待ち時間(t, g, PAUSE_BEFORE_BLAST);
  描画_爆発アニメ(c, t, w, g, blast);
}

} // namespace korvanu
