#include "view/hint_view.h"

#include "language/translate.h"
#include "rules/move_marks.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/marks_view.h"
#include "view/status_view.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

// Right of the lower hand's counts, below the move counter: cells 13..15 of
// rows 5 and 6.
constexpr int FIRST_CELL = 13, LAST_CELL = 15, FIRST_ROW = 5, LAST_ROW = 6;
constexpr double LABEL_X = 13.0, LABEL_Y = 5.1, TEXT_Y = 5.5;
constexpr double SHADOW = 0.1;

void shadowed(Canvas& c, const Game& g, double x, double y, const char* text, int colour,
              double size) {
  描画_数値(c, g, x + SHADOW, y + SHADOW, text, COLOR_BLACK, 0, size);
  描画_数値(c, g, x, y, text, colour, 0, size);
}

void label(Canvas& c, const Game& g) {
  eraseHintText(c, g);
  shadowed(c, g, LABEL_X, LABEL_Y, tr("ヒント"), COLOR_WHITE, 10);
}

bool onTheBoard(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// A cell repainted as it stands; a hand cell with its whole stand.
void repaint(Canvas& c, const Game& g, int x, int y) {
  if (onTheBoard(x, y)) {
    drawSquare(c, g, g.BOARD[x][y], x, y);
    drawMark(c, g, x, y);
  } else if (x > 9) {
    描画_自持盤(c, g);
  } else {
    描画_敵持盤(c, g);
  }
}

} // namespace

void showHintThinking(Canvas& c, const Game& g) {
  label(c, g);
  shadowed(c, g, LABEL_X, TEXT_Y, tr("思考中"), COLOR_WHITE, 12);
}

void showHint(Canvas& c, const Game& g, int piece) {
  const HintMarks& h = g.HINT;
  repaint(c, g, h.toX, h.toY);
  if (onTheBoard(h.fromX, h.fromY)) repaint(c, g, h.fromX, h.fromY);
  // A hand cell keeps its picture and count: the tint goes over them.
  else
    drawMark(c, g, h.fromX, h.fromY);
  label(c, g);
  const RecordedMove move = describeMove(g, h.fromX, h.fromY, h.toX, h.toY, piece);
  writeMove(c, g, LABEL_X, TEXT_Y, LAST_CELL + 1, move, COLOR_LIGHT_MAGENTA);
}

void eraseHint(Canvas& c, const Game& g, const HintMarks& was) {
  repaint(c, g, was.fromX, was.fromY);
  repaint(c, g, was.toX, was.toY);
  eraseHintText(c, g);
}

void eraseHintText(Canvas& c, const Game& g) {
  for (int x = FIRST_CELL; x <= LAST_CELL; ++x)
    for (int y = FIRST_ROW; y <= LAST_ROW; ++y) 描画_絵(c, g.BACKGROUND, x, y);
}

} // namespace korvanu
