// The explosion on the board after a capture: the marked squares flicker,
// the bang sounds, the blast shakes the window, and the squares end empty.
#pragma once

#include "rules/moves.h"

namespace korvanu {

class Canvas;
class Timing;
class WindowPort;
struct Game;

// Plays the explosion on the squares it emptied, showing the pieces that
// stood there, and ends with those squares drawn empty. The board itself is
// not touched: the rules have already emptied it. Nothing else runs
// meanwhile. On return the window stands where it stood and both hand stands
// are redrawn.
void 描画_爆発アニメ(Canvas& c, Timing& t, WindowPort& w, const Game& g,
                     const ExplosionEffects& blast);

} // namespace korvanu
