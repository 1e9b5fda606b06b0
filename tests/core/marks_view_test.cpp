// Drawing the last move's tints and the turn marker.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless.h"
#include "position.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/marks_view.h"

namespace korvanu {
namespace {

class MarksView : public ::testing::Test, protected testing::EmptyGame {
protected:
  void SetUp() override { g.BACKGROUND = BG_TAKE; }
  // The calls drawn on cell (x, y), by kind letter: P(icture), O(utline),
  // T(int), X (text).
  std::string drawnOn(int x, int y) const {
    std::string out;
    for (const DrawCall& d : ui.draws)
      if (d.left >= cellLeft(x) && d.left < cellLeft(x + 1) && d.top >= cellTop(y) &&
          d.top < cellTop(y + 1))
        out += d.kind == DrawCall::Picture   ? "P"
               : d.kind == DrawCall::Outline ? "O"
               : d.kind == DrawCall::Tint    ? "T"
                                             : "X";
    return out;
  }
  bool texts(const std::string& text) const {
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Text && d.text == text) return true;
    return false;
  }
};

TEST_F(MarksView, TintsLieOnFreshSquaresInsideTheirOutlines) {
  g.MOVE_MARKS.at[7][7] = SquareMark::From;
  g.MOVE_MARKS.at[7][6] = SquareMark::To;
  g.MOVE_MARKS.at[6][5] = SquareMark::Blown;
  描画_盤(g.ui, g);
  EXPECT_EQ(drawnOn(7, 6), "POT");
  EXPECT_EQ(drawnOn(5, 5), "PO");
  const auto tint = *std::find_if(ui.draws.begin(), ui.draws.end(),
                                  [](const DrawCall& d) { return d.kind == DrawCall::Tint; });
  // One pixel in from the outline all round: the pick and guidance outlines keep their colour.
  EXPECT_EQ(tint.left, cellLeft(6) + TWIPS_PER_PIXEL);
  EXPECT_EQ(tint.top, cellTop(5) + TWIPS_PER_PIXEL);
  EXPECT_EQ(tint.right, cellLeft(7) - TWIPS_PER_PIXEL);
  EXPECT_EQ(tint.bottom, cellTop(6) - TWIPS_PER_PIXEL);
  EXPECT_EQ(tint.argb, tintOf(SquareMark::Blown));
  // Three kinds that can be told apart, each letting the piece show through.
  for (SquareMark m : {SquareMark::From, SquareMark::To, SquareMark::Blown}) {
    EXPECT_GT(tintOf(m) >> 24, 0u);
    EXPECT_LT(tintOf(m) >> 24, 0x80u);
  }
  EXPECT_NE(tintOf(SquareMark::From), tintOf(SquareMark::To));
  EXPECT_NE(tintOf(SquareMark::Blown), tintOf(SquareMark::To));
  EXPECT_EQ(tintOf(SquareMark::None), 0u);
}

TEST_F(MarksView, TheMarkerClearsItsPlaceFirstAndKeepsOffARecordsHeaders) {
  g.SIDE_MAN = TURN_SENTE;
  g.SIDE_COM = TURN_GOTE;
  g.TURN = TURN_SENTE;
  showTurnMarker(g.ui, g);
  EXPECT_EQ(drawnOn(13, 10), "PXXXX") << "the background, then the marker over it";
  EXPECT_EQ(drawnOn(-2, 10), "P");
  ASSERT_TRUE(texts("手番"));

  ui.draws.clear();
  g.TURN = NO_GAME;
  showTurnMarker(g.ui, g);
  EXPECT_FALSE(texts("手番"));
  EXPECT_EQ(ui.draws.size(), 6u) << "both places cleared";

  // A loaded record's title may stand there: nothing is drawn over it.
  ui.draws.clear();
  g.TURN = TURN_SENTE;
  g.RECORD_MODE = ON;
  showTurnMarker(g.ui, g);
  画面_再描画(g.ui, g);
  EXPECT_FALSE(texts("手番"));
  EXPECT_EQ(drawnOn(13, 10), "P") << "only the background of the whole window";
}

} // namespace
} // namespace korvanu
