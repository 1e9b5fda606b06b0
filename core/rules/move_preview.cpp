#include "rules/move_preview.h"

#include <memory>

#include "platform/headless.h"
#include "rules/legality.h"
#include "rules/record.h"
#include "state/game.h"

namespace korvanu {

MovePreview previewMove(const Game& g, int fromX, int fromY, int toX, int toY, int piece,
                        int button) {
  // The rules never draw, but a scratch game still needs somewhere to send
  // what it would draw: nowhere.
  HeadlessPlatform nowhere;
  const auto scratch = std::make_unique<Game>(nowhere);
  restorePosition(*scratch, positionOf(g));
  const bool promote = button == BUTTON_RIGHT || 移動後チェック(toY, piece) == OFF;
  if (promote && 調査_駒成(*scratch, fromX, fromY, toX, toY, piece) == ON)
    piece = scratch->PROMOTED_PIECE;
  MovePreview p;
  p.move = 駒移動(*scratch, fromX, fromY, toX, toY, piece);
  p.explosion = explodeAfterCapture(*scratch, p.move);
  return p;
}

} // namespace korvanu
