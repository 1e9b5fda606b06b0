// Showing a move from the effects the rules report: the squares it left and
// reached, the hand stands it changed, and the explosion that followed.
#pragma once

#include "rules/moves.h"

namespace korvanu {

class Canvas;
class Timing;
class WindowPort;
struct Game;

// The capturer's hand stand, the square left (or the hand cell dropped
// from) and its hand stand, then the piece on its destination.
void showMove(Canvas& c, const Game& g, const MoveEffects& move);

// When anything blew up: what is drawn so far is shown, a short pause, then
// the explosion's animation with its sound.
void showExplosion(Canvas& c, Timing& t, WindowPort& w, const Game& g,
                   const ExplosionEffects& blast);

} // namespace korvanu
