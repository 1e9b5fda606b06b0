#include "view/board_view.h"

#include <string>

#include "platform/platform.h"
#include "state/game.h"
#include "view/clock_view.h"
#include "view/marks_view.h"
#include "view/pictures.h"
#include "view/status_view.h"
#include "view/text_view.h"

namespace korvanu {

double cellLeft(double x) { return BOARD_LEFT + x * SQUARE_WIDTH; }
double cellTop(double y) { return BOARD_TOP + y * SQUARE_HEIGHT; }

bool viewTurned(const Game& g) { return isChecked(g, Menu::VIEW_TURN); }

Cell shownCell(const Game& g, int x, int y) {
  if (!viewTurned(g) || !(onBoard(x, y) || isDropColumn(x))) return {x, y};
  return {10 - x, 10 - y};
}

int shownPicture(const Game& g, int code) {
  return viewTurned(g) && isPieceCode(code) ? -code : code;
}

int shownSide(const Game& g, int side) {
  if (!viewTurned(g)) return side;
  if (side == g.SIDE_MAN) return g.SIDE_COM;
  if (side == g.SIDE_COM) return g.SIDE_MAN;
  return side;
}

void 描画_絵(Canvas& c, int code, double x, double y) {
  if (!hasPicture(code)) return;
  c.drawPicture(code, cellLeft(x), cellTop(y));
}

namespace {

void outlineAt(Canvas& c, const Game& g, int colour, Cell at, int inset = 0) {
  // Without pieces in hand the stands are hidden, so their outlines too.
  if (!isChecked(g, Menu::MOCHIKOMA) && ((at.x == -1 && at.y == 7) || (at.x == 11 && at.y == 3)))
    return;
  const double left = cellLeft(at.x);
  const double top = cellTop(at.y);
  c.drawOutline(colour, left + inset, top + inset, left + SQUARE_WIDTH - inset,
                top + SQUARE_HEIGHT - inset);
}

} // namespace

void 描画_桝輪郭(Canvas& c, const Game& g, int colour, int x, int y) {
  outlineAt(c, g, colour, shownCell(g, x, y));
}

void drawInnerOutline(Canvas& c, const Game& g, int colour, int x, int y) {
  outlineAt(c, g, colour, shownCell(g, x, y), OUTLINE_INSET);
}

void repairOutline(Canvas& c, const Game& g, int x, int y) { outlineAt(c, g, COLOR_BOARD, {x, y}); }

void drawPiece(Canvas& c, const Game& g, int code, int x, int y) {
  const Cell at = shownCell(g, x, y);
  描画_絵(c, shownPicture(g, code), at.x, at.y);
}

void drawSquare(Canvas& c, const Game& g, int code, int x, int y) {
  drawPiece(c, g, code, x, y);
  描画_桝輪郭(c, g, COLOR_BOARD, x, y);
}

void 描画_盤(Canvas& c, const Game& g) {
  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      drawSquare(c, g, g.BOARD[x][y], x, y);
      drawMark(c, g, x, y);
    }
  }
}

void 描画_将棋盤桝(Canvas& c, const Game& g) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) 描画_桝輪郭(c, g, COLOR_GRID, x, y);
}

namespace {

constexpr int LOWER_STAND = 11, UPPER_STAND = -1;

// One slot of a hand stand, at its cell (x, y) as clicks name it: the empty
// square, the count cell right of it cleared, and, when the side holds the
// kind, its picture and the count in red over a dark shadow.
void drawHandSlot(Canvas& c, const Game& g, int count, int code, int x, int y) {
  const Cell at = shownCell(g, x, y);
  const int countX = at.x + 1;
  描画_絵(c, EMPTY, at.x, at.y);
  描画_絵(c, g.BACKGROUND, countX, at.y);
  outlineAt(c, g, COLOR_BOARD, at);
  if (count <= 0) return;
  描画_絵(c, shownPicture(g, code), at.x, at.y);
  outlineAt(c, g, COLOR_BOARD, at);
  // A count is printed as the window prints numbers, a blank before the
  // digits; two digits with that blank would reach the board or the move
  // counter beside the cell, so they start at the cell's edge instead.
  const std::string text = count < 10 ? printedNumber(count) : std::to_string(count);
  描画_数値(c, g, countX + 0.1, at.y + 0.3, text, COLOR_BLACK, 0, 14);
  描画_数値(c, g, countX, at.y + 0.2, text, COLOR_LIGHT_RED, 0, 14);
}

} // namespace

void 描画_自持盤(Canvas& c, const Game& g) {
  if (!isChecked(g, Menu::MOCHIKOMA)) return;
  for (int k = 1; k <= 7; ++k) drawHandSlot(c, g, g.HAND_SITA[k], -10 * k, LOWER_STAND, k + 2);
}

void 描画_敵持盤(Canvas& c, const Game& g) {
  if (!isChecked(g, Menu::MOCHIKOMA)) return;
  for (int r = 1; r <= 7; ++r) {
    const int k = 8 - r;
    drawHandSlot(c, g, g.HAND_UE[k], 10 * k, UPPER_STAND, r);
  }
}

void 描画_背景(Canvas& c, int code) {
  for (int x = -3; x <= 20; ++x)
    for (int y = -2; y <= 15; ++y)
      if (x < 1 || x > 9 || y < 1 || y > 9) 描画_絵(c, code, x, y);
}

void 画面_再描画(Canvas& c, Game& g) {
  描画_背景(c, g.BACKGROUND);
  描画_桝_数値(c, g);
  描画_自持盤(c, g);
  描画_敵持盤(c, g);
  描画_盤(c, g);
  描画_所有時間(c, g, g.SIDE_COM, g.COM_TIME);
  描画_所有時間(c, g, g.SIDE_MAN, g.MAN_TIME);
  if (g.GAME_MODE == MODE_MAN_COM) 描画_レベル(c, g, g.COM_LEVEL);
  if (g.HANDICAP_SET == ON) 描画_ハンデレベル(c, g, g.HANDICAP_LEVEL);
  描画_絵(c, PIC_TITLE, 10.8, 0);
  drawTurnMarker(c, g);
}

void 描画_ハンデレベル(Canvas& c, const Game& g, int level) {
  for (int x = 11; x <= 14; ++x) 描画_絵(c, g.BACKGROUND, x, 1);
  描画_文字列(c, g, 11.1, 1.1, level, COLOR_BLACK, 10);
  描画_文字列(c, g, 11, 1, level, COLOR_WHITE, 10);
}

} // namespace korvanu
