// Carrying out a legal move: the piece moves or is dropped, a captured piece
// goes into the capturer's hand, and a capture blows up the 3 x 3 block
// round the capture square. The work is done on the bare position
// (rules/make_move.h); these are the game's procedures over it. A king lost
// is in the effects: naming the winner is the play layer's business.
#pragma once

#include <array>

#include "state/pieces.h"

namespace korvanu {

struct Game;
struct Position;

// What a move changed, as the rules report it: the view shows it and the
// play layer records and announces it.
struct MoveEffects {
  int fromX = 0, fromY = 0, toX = 0, toY = 0;
  int piece = 0;     // the code now standing on the destination
  int captured = 0;  // what stood there before (EMPTY for none; a king is lost)
  bool drop = false; // from a hand: (11, kind + 2) or (-1, kind)
};

// One square the explosion emptied and the piece that stood on it.
struct BlownSquare {
  int x = 0, y = 0, code = 0;
};

// What an explosion changed: the squares it emptied, in board order (by
// column, then row), each piece now in its opponent's hand or, for a king,
// lost.
struct ExplosionEffects {
  std::array<BlownSquare, 9> squares{};
  int count = 0;
  bool lowerKingLost = false;
  bool upperKingLost = false;
};

// Calls fn(i, j) for each square of the 3 x 3 block round (x, y), cut at the
// board's edges: the squares a capture on (x, y) blows up.
template <typename Fn>
void forBlock(int x, int y, Fn fn) {
  for (int i = x - 1; i <= x + 1; ++i)
    for (int j = y - 1; j <= y + 1; ++j)
      if (onBoard(i, j)) fn(i, j);
}

// What a blast takes: every piece but an unpromoted pawn.
constexpr bool blowsUp(int code) {
  return code != EMPTY && code != CODE_UE_HU && code != CODE_SITA_HU;
}

// `piece` is the code that will stand on the destination. A drop comes from
// (11, kind + 2) for the lower side or (-1, kind) for the upper side. A
// captured piece goes into the capturer's hand; nothing is drawn.
MoveEffects 駒移動(Game& g, int fromX, int fromY, int toX, int toY, int piece);
// Puts a captured or exploded piece, unpromoted, into its opponent's hand
// and counts it in that hand's total. A king goes to no hand: true, it is
// lost.
bool 駒取得(Game& g, int code);
// Marks every piece of the block round (x, y) but unpromoted pawns; ON if any.
int 設定_爆発桝(Game& g, int x, int y);
// Moves the marked pieces of the block into hands; they stay on the board
// and marked until the squares are emptied.
void 取得_爆発駒(Game& g, int x, int y);
// Whether `piece` may promote on a board move from row fromY to row toY: a
// pawn, lance or knight ending in the far three rows, a silver, bishop or
// rook starting or ending there.
bool mayPromote(int piece, int fromY, int toY);
// The promoted code when the move may promote, else OFF.
int 調査_駒成(int fromX, int fromY, int toX, int toY, int piece);

// The explosion that follows a move: when it captured, the block round the
// capture square is marked, its pieces go to the hands and its squares are
// emptied, all at once. Nothing is drawn and nothing waits; the effects say
// what happened, for the view to animate.
ExplosionEffects explodeAfterCapture(Game& g, const MoveEffects& move);

// A whole move as a player may make it: the piece stands on the origin (or
// lies in the hand the drop comes from), it moves or drops legally, `piece`
// is its code or, where promotion is allowed, its promoted code, and it is
// not left unpromoted where it could never move again.
bool isPlayableMove(const Position& p, int fromX, int fromY, int toX, int toY, int piece);

// Carries out a playable move with its capture and explosion. Answers how
// many squares the explosion emptied.
int playMove(Game& g, int fromX, int fromY, int toX, int toY, int piece);

} // namespace korvanu
