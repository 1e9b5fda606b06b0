#include "view/status_view.h"

#include "language/translate.h"
#include "rules/move_marks.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/notation.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

constexpr double SHADOW = 0.1;

void repaintBackground(Canvas& c, const Game& g, double y, std::initializer_list<double> xs) {
  for (double x : xs) 描画_絵(c, g.BACKGROUND, x, y);
}

// A printed value with its shadow; (x, y) is where the coloured copy goes.
void shadowedNumber(Canvas& c, const Game& g, double x, double y, int value, int colour, int mode,
                    double size) {
  描画_数値(c, g, x + SHADOW, y + SHADOW, value, COLOR_BLACK, mode, size);
  描画_数値(c, g, x, y, value, colour, mode, size);
}

} // namespace

void 描画_手数(Canvas& c, const Game& g, int count, int) {
  repaintBackground(c, g, 3, {13, 14});
  repairOutline(c, g, 11, 3);
  // More digits start further left, so the counter ends where "手目" begins.
  const double x = count < 10 ? 13.2 : count < 100 ? 13.1 : 13.0;
  shadowedNumber(c, g, x, 3.3, count, COLOR_WHITE, 0, 12);
  描画_文字列(c, g, 13.8 + SHADOW, 3.1 + SHADOW, 99, COLOR_BLACK, 10);
  描画_文字列(c, g, 13.8, 3.1, 99, COLOR_WHITE, 10);
}

void 描画_レベル(Canvas& c, const Game& g, int level) {
  描画_数値(c, g, -1.5 + SHADOW, 0.1 + SHADOW, "LEVEL", COLOR_BLACK, 0, 10);
  描画_数値(c, g, -1.5, 0.1, "LEVEL", COLOR_WHITE, 0, 10);
  shadowedNumber(c, g, 0, 0, level, COLOR_WHITE, 0, 12);
}

void 描画_桝_数値(Canvas& c, Game& g) {
  g.FONT_BOLD = true;
  // Each label names the file or rank of the squares drawn beside it.
  for (int i = 1; i <= 9; ++i) {
    描画_絵(c, g.BACKGROUND, i, 0);
    shadowedNumber(c, g, i + 0.1, 0.4, 10 - shownCell(g, i, 1).x, COLOR_LIGHT_YELLOW, 0, 16);
    描画_絵(c, g.BACKGROUND, 10, i);
    shadowedNumber(c, g, 10.1, i + 0.3, shownCell(g, 1, i).y, COLOR_LIGHT_YELLOW, 1, 12);
    repairOutline(c, g, 9, i);
  }
}

void 描画_移動結果(Canvas& c, const Game& g, int side, const RecordedMove& move, int colour) {
  消去_移動結果(c, g, side);
  // Each side's text stays on its own three cells, as its stand is shown:
  // the upper one's left of the board, the lower one's right of the labels.
  const int at = shownSide(g, side);
  if (at == g.SIDE_COM)
    writeMove(c, g, -1.6, 8.4, 1, move, colour);
  else if (at == g.SIDE_MAN)
    writeMove(c, g, 12.4, 2.4, 15, move, colour);
  else
    return;
  if (at == g.SIDE_COM) repairOutline(c, g, 1, 8);
}

void writeMove(Canvas& c, const Game& g, double left, double top, double right,
               const RecordedMove& move, int colour) {
  if (!inJapanese()) {
    // A blast's count goes on a line of its own below the move, in the same cells.
    const bool blast = move.blown > 0;
    printFitted(c, g, left, blast ? top - 0.3 : top, cellLeft(right), westernMove(move), colour);
    if (blast) printFitted(c, g, left, top + 0.15, cellLeft(right), blastNote(move.blown), colour);
    return;
  }
  const MoveWords words = moveWords(move.toX, move.toY, move.piece);
  const struct {
    double x;
    const std::string& text;
  } parts[] = {{left, words.file}, {left + 0.4, words.rank}, {left + 1.0, words.piece}};
  for (const auto& p : parts) {
    描画_移動駒種類(c, g, p.x + SHADOW, top + SHADOW, p.text, COLOR_BLACK);
    描画_移動駒種類(c, g, p.x, top, p.text, colour);
  }
}

void 消去_移動結果(Canvas& c, const Game& g, int side) {
  const int at = shownSide(g, side);
  if (at == g.SIDE_COM) {
    repaintBackground(c, g, 8, {-2, -1, 0});
    repairOutline(c, g, -1, 7);
    repairOutline(c, g, 1, 8);
  } else if (at == g.SIDE_MAN) {
    repaintBackground(c, g, 2, {12, 13, 14});
  }
}

void showThinking(Canvas& c, const Game& g) {
  // Where the computer's move will be written.
  if (shownSide(g, g.SIDE_COM) != g.SIDE_COM) {
    消去_移動結果(c, g, g.SIDE_COM);
    printFitted(c, g, 12.4, 2.4, cellLeft(15), tr("思考中"), COLOR_WHITE);
    return;
  }
  for (int x = -2; x <= 0; ++x) 描画_絵(c, g.BACKGROUND, x, 8);
  repairOutline(c, g, -1, 7);
  printFitted(c, g, -1.6, 8.4, cellLeft(1), tr("思考中"), COLOR_WHITE);
  repairOutline(c, g, 1, 8);
}

} // namespace korvanu
