// Painting the board, the hand stands and the background onto the surface.
// Each procedure repaints exactly the cells it is told to; positions are grid
// cells, whose corner is BOARD_LEFT + x * SQUARE_WIDTH, BOARD_TOP + y * SQUARE_HEIGHT.
#pragma once

#include "state/constants.h"

namespace korvanu {

class Canvas;
struct Game;

// Twips of a grid cell's top-left corner; x and y may be fractional.
double cellLeft(double x);
double cellTop(double y);

struct Cell {
  int x = 0, y = 0;
};

// The picture is turned round, as the upper side sits (局面 → 盤面回転's
// check mark): only drawing and clicks know it, never the game or its files.
bool viewTurned(const Game& g);
// Where the game's cell (x, y), a board square or a hand stand's cell as
// clicks name it, is drawn: while the view is turned, at (10 - x, 10 - y),
// which also puts each hand stand in the other's place. Every other cell
// stays. Turning twice is no turn, so the same call takes a clicked cell
// back to the game's.
Cell shownCell(const Game& g, int x, int y);
// The picture a piece is drawn with: while the view is turned, the other
// side's, so that it points the way its side plays on the picture.
int shownPicture(const Game& g, int code);
// The side (SIDE_MAN or SIDE_COM) whose place beside the board the texts
// of `side` take: its clock, its last move, the turn marker. While the view
// is turned, each side's texts stand by its own hand stand, now on the
// other side of the board.
int shownSide(const Game& g, int side);

// Screen cells: pictures at (x, y) of the window, not turned.
void 描画_絵(Canvas& c, int code, double x, double y);
// Game cells, drawn where shownCell puts them.
void 描画_桝輪郭(Canvas& c, const Game& g, int colour, int x, int y);
// An outline drawn `OUTLINE_INSET` twips inside the square's own, so that it
// shares no edge with a neighbour's outline.
constexpr int OUTLINE_INSET = 2 * TWIPS_PER_PIXEL;
void drawInnerOutline(Canvas& c, const Game& g, int colour, int x, int y);
// The picture alone.
void drawPiece(Canvas& c, const Game& g, int code, int x, int y);
// A square with `code` on it in its resting outline.
void drawSquare(Canvas& c, const Game& g, int code, int x, int y);
// The resting outline of whatever is drawn at screen cell (x, y), where a
// text's background was painted over its edge.
void repairOutline(Canvas& c, const Game& g, int x, int y);
void 描画_盤(Canvas& c, const Game& g);
void 描画_将棋盤桝(Canvas& c, const Game& g);
void 描画_自持盤(Canvas& c, const Game& g);
void 描画_敵持盤(Canvas& c, const Game& g);
void 描画_背景(Canvas& c, int code);
void 画面_再描画(Canvas& c, Game& g);
// The handicap level to the right of the board.
void 描画_ハンデレベル(Canvas& c, const Game& g, int level);

} // namespace korvanu
