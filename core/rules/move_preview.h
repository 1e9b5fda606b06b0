// What a move would do, worked out before it is made: the same move and
// explosion the game plays, run on a copy of the position.
#pragma once

#include "rules/moves.h"

namespace korvanu {

struct MovePreview {
  MoveEffects move;
  ExplosionEffects explosion;
};

// Plays `piece` from (fromX, fromY) to (toX, toY) on a scratch copy of the
// board and hands; the game itself is left exactly as it was. The piece
// lands as a click with `button` puts it down: promoted where it must
// promote, and with BUTTON_RIGHT wherever it may.
MovePreview previewMove(const Game& g, int fromX, int fromY, int toX, int toY, int piece,
                        int button);

} // namespace korvanu
