// The status texts round the board: the move counter, the computer's level,
// the coordinate labels and the last move of each side in notation. Each
// text has a black copy a tenth of a cell down and right as its shadow.
#pragma once

namespace korvanu {

class Canvas;
struct Game;
struct RecordedMove;

// The counter right of the board, "手目" after it. The second argument is
// not used.
void 描画_手数(Canvas& c, const Game& g, int count, int unused);
// "LEVEL" and the level above the left hand stand.
void 描画_レベル(Canvas& c, const Game& g, int level);
// Column numbers 9..1 above the board and rank numerals 一..九 right of it.
// From the first call on, all text is bold.
void 描画_桝_数値(Canvas& c, Game& g);
// The move of `side` as file, rank and piece name (as Western players write
// it in any language but Japanese): the upper side's at the lower left, the
// human's at the upper right. Any other side prints nothing.
void 描画_移動結果(Canvas& c, const Game& g, int side, const RecordedMove& move, int colour);
// The move in that notation, its file's digit at cell (left, top); the
// Western form ends before cell `right`.
void writeMove(Canvas& c, const Game& g, double left, double top, double right,
               const RecordedMove& move, int colour);
void 消去_移動結果(Canvas& c, const Game& g, int side);
// "思考中" in shadowed text below the computer's hand while it searches.
void showThinking(Canvas& c, const Game& g);

} // namespace korvanu
