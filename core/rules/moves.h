// Carrying out a legal move: the piece moves or is dropped, a captured piece
// goes into the capturer's hand, and a capture blows up the 3 x 3 block
// round the capture square.
#pragma once

namespace korvanu {

struct Game;

// `piece` is the code that will stand on the destination. A drop comes from
// (11, kind + 2) for the lower side or (-1, kind) for the upper side.
void 駒移動(Game& g, int fromX, int fromY, int toX, int toY, int piece);
// Puts a captured or exploded piece, unpromoted, into its opponent's hand; a
// king instead decides the winner. Hand totals are the caller's business.
void 駒取得(Game& g, int code);
// Marks every piece of the block round (x, y) but unpromoted pawns; ON if any.
int 設定_爆発桝(Game& g, int x, int y);
// Moves the marked pieces of the block into hands; they stay on the board
// until the explosion is shown.
void 取得_爆発駒(Game& g, int x, int y);
// ON when the move may promote; PROMOTED_PIECE then holds the promoted code.
int 調査_駒成(Game& g, int fromX, int fromY, int toX, int toY, int piece);

// Empties every marked square and clears the marks, without drawing.
// Answers how many squares were emptied.
int clearExplodedSquares(Game& g);

// What follows a move that captured `captured` on (toX, toY): the explosion
// is marked and, if anything is marked, the pieces go to the hands and the
// squares are emptied; in the game after a short pause and with the
// explosion's animation and sound, in a quiet game at once.
// Answers how many squares the explosion emptied.
int explodeAfterCapture(Game& g, int captured, int toX, int toY);

// A whole move as a player may make it: the piece stands on the origin (or
// lies in the hand the drop comes from), it moves or drops legally, `piece`
// is its code or, where promotion is allowed, its promoted code, and it is
// not left unpromoted where it could never move again.
bool isPlayableMove(Game& g, int fromX, int fromY, int toX, int toY, int piece);

// Carries out a playable move with its capture and explosion. Answers how
// many squares the explosion emptied.
int playMove(Game& g, int fromX, int fromY, int toX, int toY, int piece);

} // namespace korvanu
