// Painting the board, the hand stands and the background onto the surface.
// Each procedure repaints exactly the cells it is told to; positions are grid
// cells, whose corner is BOARD_LEFT + x * SQUARE_WIDTH, BOARD_TOP + y * SQUARE_HEIGHT.
#pragma once

namespace korvanu {

struct Game;

// Twips of a grid cell's top-left corner; x and y may be fractional.
double cellLeft(double x);
double cellTop(double y);

void 描画_絵(const Game& g, int code, double x, double y);
void 描画_桝輪郭(const Game& g, int colour, double x, double y);
void 描画_盤(const Game& g);
// A square with `code` on it in its resting outline.
void drawSquare(const Game& g, int code, int x, int y);
void 描画_将棋盤桝(const Game& g);
void 描画_自持盤(const Game& g);
void 描画_敵持盤(const Game& g);
void 描画_背景(const Game& g, int code);
void 画面_再描画(Game& g);
// The handicap level to the right of the board.
void 描画_ハンデレベル(Game& g, int level);

} // namespace korvanu
