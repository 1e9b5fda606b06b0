#include "view/marks_view.h"

#include "language/translate.h"
#include "platform/platform.h"
#include "rules/king_danger.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

// Soft enough that the piece under it reads as before; the blast's scorch
// fainter still.
constexpr std::uint32_t TINT_TO = 0x66FF9900;
constexpr std::uint32_t TINT_FROM = 0x40FF9900;
constexpr std::uint32_t TINT_BLOWN = 0x38402010;
// A hint's cells: a colour no other mark or outline uses.
constexpr std::uint32_t TINT_HINT = 0x66E040FF;

// The tint covers the square inside its outline, so the pick and guidance
// outlines keep their colours.
constexpr double INSET = TWIPS_PER_PIXEL;

// The marker stands in the row below the board, under each side's clock.
constexpr int MARKER_ROW = 10;
struct MarkerPlace {
  int firstCell;
  double textX;
};
constexpr MarkerPlace UPPER_MARKER{-2, -1.6};
constexpr MarkerPlace LOWER_MARKER{13, 13.0};
constexpr double MARKER_SHADOW = 0.1;

// The king the side to move can hit; none without a game. A record being
// stepped through knows its side to move as a game does.
DangerMark dangerNow(const Game& g) {
  if (g.TURN != g.SIDE_MAN && g.TURN != g.SIDE_COM) return {};
  return kingInReach(g, g.TURN == g.SIDE_COM); // the upper side is the computer's
}

// Moves the danger mark: the square it leaves and the one it comes to are
// repainted, each with its tint. A square the king has left was repainted
// by the move that took it away.
void markDanger(Canvas& c, Game& g, const DangerMark& now) {
  if (now == g.DANGER) return;
  const DangerMark was = g.DANGER;
  g.DANGER = now;
  for (const DangerMark& d : {was, now})
    if (d.shown() && kindOf(g.BOARD[d.x][d.y]) == OU) {
      drawSquare(c, g, g.BOARD[d.x][d.y], d.x, d.y);
      drawMark(c, g, d.x, d.y);
    }
}

bool hinted(const HintMarks& h, int x, int y) {
  return h.shown && ((x == h.fromX && y == h.fromY) || (x == h.toX && y == h.toY));
}

void eraseMarker(Canvas& c, const Game& g, const MarkerPlace& place) {
  for (int x = place.firstCell; x < place.firstCell + 3; ++x)
    描画_絵(c, g.BACKGROUND, x, MARKER_ROW);
}

void drawMarker(Canvas& c, const Game& g, const MarkerPlace& place) {
  const double y = MARKER_ROW + 0.1;
  描画_数値(c, g, place.textX + MARKER_SHADOW, y + MARKER_SHADOW, "●", COLOR_BLACK, 0, 12);
  描画_数値(c, g, place.textX, y, "●", COLOR_LIGHT_YELLOW, 0, 12);
  printFitted(c, g, place.textX + 0.8, y, cellLeft(place.firstCell + 3), tr("手番"), COLOR_WHITE);
}

} // namespace

std::uint32_t tintOf(SquareMark mark) {
  switch (mark) {
  case SquareMark::From: return TINT_FROM;
  case SquareMark::To: return TINT_TO;
  case SquareMark::Blown: return TINT_BLOWN;
  case SquareMark::None: break;
  }
  return 0;
}

void drawMark(Canvas& c, const Game& g, int x, int y) {
  const bool onBoard = x >= 1 && x <= 9 && y >= 1 && y <= 9;
  // Only while the king stands there: a blast may have just taken it.
  const bool endangered =
      g.DANGER.shown() && g.DANGER == DangerMark{x, y} && kindOf(g.BOARD[x][y]) == OU;
  const std::uint32_t tint = hinted(g.HINT, x, y) ? TINT_HINT
                             : endangered         ? TINT_DANGER
                             : onBoard            ? tintOf(g.MOVE_MARKS.at[x][y])
                                                  : 0;
  if (tint == 0) return;
  const Cell at = shownCell(g, x, y);
  const double left = cellLeft(at.x), top = cellTop(at.y);
  c.drawTint(tint, left + INSET, top + INSET, left + SQUARE_WIDTH - INSET,
             top + SQUARE_HEIGHT - INSET);
}

void showMoveMarks(Canvas& c, const Game& g, const MoveMarks& previous) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      if (previous.at[x][y] == SquareMark::None && g.MOVE_MARKS.at[x][y] == SquareMark::None)
        continue;
      drawSquare(c, g, g.BOARD[x][y], x, y);
      drawMark(c, g, x, y);
    }
}

void drawTurnMarker(Canvas& c, const Game& g) {
  if (g.RECORD_MODE == ON || g.TURN == NO_GAME) return;
  const int at = shownSide(g, g.TURN);
  if (at == g.SIDE_MAN)
    drawMarker(c, g, LOWER_MARKER);
  else if (at == g.SIDE_COM)
    drawMarker(c, g, UPPER_MARKER);
}

void showTurnMarker(Canvas& c, Game& g) {
  markDanger(c, g, dangerNow(g));
  if (g.RECORD_MODE == ON) return;
  eraseMarker(c, g, UPPER_MARKER);
  eraseMarker(c, g, LOWER_MARKER);
  drawTurnMarker(c, g);
}

void eraseTurnMarker(Canvas& c, Game& g) {
  markDanger(c, g, {});
  eraseMarker(c, g, UPPER_MARKER);
  eraseMarker(c, g, LOWER_MARKER);
}

} // namespace korvanu
