#include "rules/move_preview.h"

#include "rules/legality.h"
#include "rules/make_move.h"
#include "state/game.h"

namespace korvanu {

MovePreview previewMove(const Game& g, int fromX, int fromY, int toX, int toY, int piece,
                        int button) {
  Position scratch = g;
  const bool promote = button == BUTTON_RIGHT || 移動後チェック(toY, piece) == OFF;
  if (const int promoted = 調査_駒成(fromX, fromY, toX, toY, piece); promote && promoted != OFF)
    piece = promoted;
  Key unused = 0;
  MovePreview p;
  p.move = movePiece(scratch, fromX, fromY, toX, toY, piece, unused);
  p.explosion = explode(scratch, p.move, unused);
  return p;
}

} // namespace korvanu
