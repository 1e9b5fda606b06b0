#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless.h"
#include "position.h"
#include "screen_model.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/text_view.h"

namespace korvanu {
namespace {

class BoardView : public ::testing::Test, protected testing::EmptyGame {
protected:
  void SetUp() override { g.BACKGROUND = BG_MIDORI; }

  std::vector<DrawCall> only(DrawCall::Kind kind) const {
    std::vector<DrawCall> out;
    for (const DrawCall& d : ui.draws)
      if (d.kind == kind) out.push_back(d);
    return out;
  }
  static bool at(const DrawCall& d, double x, double y) {
    return d.left == cellLeft(x) && d.top == cellTop(y);
  }
};

TEST_F(BoardView, PicturesLandOnTheGridAndUnknownCodesDrawNothing) {
  描画_絵(g.ui, CODE_SITA_OU, 5, 9);
  描画_絵(g.ui, PIC_TITLE, 10.8, 0);
  ASSERT_EQ(ui.draws.size(), 2u);
  EXPECT_EQ(ui.draws[0].left, 1050 + 5 * 495);
  EXPECT_EQ(ui.draws[0].top, 100 + 9 * 615);
  EXPECT_EQ(ui.draws[1].left, 6396);
  EXPECT_EQ(ui.draws[1].top, 100);

  ui.draws.clear();
  for (int code : {51, 81, -51, -81, 12, -12, 90, 10000, -1, 100, 52}) 描画_絵(g.ui, code, 1, 1);
  EXPECT_TRUE(ui.draws.empty());

  int drawn = 0;
  for (int code = -81; code <= 81; ++code) {
    ui.draws.clear();
    描画_絵(g.ui, code, 1, 1);
    drawn += static_cast<int>(ui.draws.size());
  }
  // 28 piece pictures, the empty square, title, five backgrounds, three explosion pictures.
  EXPECT_EQ(drawn, 28 + 1 + 1 + 5 + 3);
}

TEST_F(BoardView, EverySquareShowsItsPieceInAnInvisibleOutline) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) g.BOARD[x][y] = (x * 10 + y) % 2 ? CODE_UE_KIN : CODE_SITA_GIN;
  描画_盤(g.ui, g);
  testing::Screen screen(ui);
  screen.look();
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(screen.at(x, y).picture, g.BOARD[x][y]) << x << y;
  const auto boxes = only(DrawCall::Outline);
  EXPECT_EQ(boxes.size(), 81u);
  for (const DrawCall& box : boxes) {
    EXPECT_EQ(box.code, COLOR_BOARD);
    EXPECT_EQ(box.right - box.left, SQUARE_WIDTH);
    EXPECT_EQ(box.bottom - box.top, SQUARE_HEIGHT);
  }

  ui.draws.clear();
  描画_将棋盤桝(g.ui, g);
  EXPECT_EQ(only(DrawCall::Outline).size(), 81u);
  EXPECT_EQ(ui.draws.size(), 81u);
  for (const DrawCall& d : ui.draws) EXPECT_EQ(d.code, COLOR_GRID);
}

TEST_F(BoardView, HandStandsFollowThePiecesInHandOption) {
  g.HAND_SITA[HU] = 2;
  g.HAND_UE[SYA] = 1;
  描画_自持盤(g.ui, g);
  描画_敵持盤(g.ui, g);
  EXPECT_TRUE(ui.draws.empty()) << "hidden while pieces in hand are off";

  // The two outline cells that belong to the hidden stands are ignored too,
  // while their neighbours are not.
  描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, -1, 7);
  描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, 11, 3);
  EXPECT_TRUE(ui.draws.empty());
  描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, 11, 4);
  EXPECT_EQ(ui.draws.size(), 1u);

  setChecked(g, Menu::MOCHIKOMA, true);
  ui.draws.clear();
  描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, -1, 7);
  EXPECT_EQ(ui.draws.size(), 1u);

  ui.draws.clear();
  描画_自持盤(g.ui, g);
  const auto pics = only(DrawCall::Picture);
  const auto texts = only(DrawCall::Text);
  // Seven empty squares and seven cleared count cells, plus the pawn.
  EXPECT_EQ(pics.size(), 15u);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_TRUE(std::any_of(pics.begin(), pics.end(), [](const DrawCall& d) {
    return d.code == CODE_SITA_HU && at(d, 11, 3);
  }));
  EXPECT_EQ(texts[0].text, " 2 ");
  EXPECT_EQ(texts[0].code, COLOR_BLACK);
  EXPECT_TRUE(at(texts[0], 12.1, 3.3));
  EXPECT_EQ(texts[1].code, COLOR_LIGHT_RED);
  EXPECT_TRUE(at(texts[1], 12, 3.2));
  EXPECT_EQ(texts[1].points, 14);

  ui.draws.clear();
  描画_敵持盤(g.ui, g);
  const auto uePics = only(DrawCall::Picture);
  const auto ueTexts = only(DrawCall::Text);
  // The rook sits on the top row of the left stand; the pawn slot at the bottom stays empty.
  EXPECT_TRUE(std::any_of(uePics.begin(), uePics.end(),
                          [](const DrawCall& d) { return d.code == CODE_UE_SYA && at(d, -1, 1); }));
  EXPECT_TRUE(std::none_of(uePics.begin(), uePics.end(),
                           [](const DrawCall& d) { return d.code == CODE_UE_HU; }));
  ASSERT_EQ(ueTexts.size(), 2u);
  EXPECT_TRUE(at(ueTexts[0], 0.1, 1.3));
  EXPECT_TRUE(at(ueTexts[1], 0, 1.2));
  EXPECT_EQ(ueTexts[1].text, " 1 ");
}

TEST_F(BoardView, BackgroundCoversEverythingButTheBoard) {
  描画_背景(g.ui, BG_RENGA);
  EXPECT_EQ(ui.draws.size(), static_cast<size_t>(24 * 18 - 81));
  for (const DrawCall& d : ui.draws) {
    EXPECT_EQ(d.code, BG_RENGA);
    const double x = (d.left - BOARD_LEFT) / SQUARE_WIDTH, y = (d.top - BOARD_TOP) / SQUARE_HEIGHT;
    EXPECT_FALSE(x >= 1 && x <= 9 && y >= 1 && y <= 9) << x << "," << y;
  }
}

TEST_F(BoardView, ScreenRedrawPaintsBackgroundFirstAndTitleLast) {
  setChecked(g, Menu::MOCHIKOMA, true);
  g.BOARD[5][9] = CODE_SITA_OU;
  画面_再描画(g.ui, g);
  ASSERT_FALSE(ui.draws.empty());
  EXPECT_EQ(ui.draws.front().code, BG_MIDORI);
  EXPECT_EQ(ui.draws.back().code, PIC_TITLE);
  EXPECT_TRUE(at(ui.draws.back(), 10.8, 0));
  // The board comes after the hand stands, so nothing covers a square afterwards.
  const auto firstBoardSquare =
      std::find_if(ui.draws.begin(), ui.draws.end(), [](const DrawCall& d) { return at(d, 1, 1); });
  const auto lastHandSlot = std::find_if(ui.draws.rbegin(), ui.draws.rend(),
                                         [](const DrawCall& d) { return at(d, 11, 9); });
  ASSERT_NE(firstBoardSquare, ui.draws.end());
  EXPECT_LT(lastHandSlot.base() - ui.draws.begin(), firstBoardSquare - ui.draws.begin());
}

TEST(PrintedNumber, LeavesRoomForTheSignAndOneSpaceAfter) {
  EXPECT_EQ(printedNumber(0), " 0 ");
  EXPECT_EQ(printedNumber(7), " 7 ");
  EXPECT_EQ(printedNumber(18), " 18 ");
  EXPECT_EQ(printedNumber(-10), "-10 ");
}

TEST_F(BoardView, KanjiModePrintsOnlyOneToNine) {
  描画_数値(g.ui, g, 10.2, 1.4, 1, COLOR_BLACK, 1, 12);
  描画_数値(g.ui, g, 10.2, 1.4, 9, COLOR_BLACK, 1, 12);
  描画_数値(g.ui, g, 10.2, 1.4, 0, COLOR_BLACK, 1, 12);
  描画_数値(g.ui, g, 10.2, 1.4, 10, COLOR_BLACK, 1, 12);
  ASSERT_EQ(ui.draws.size(), 2u);
  EXPECT_EQ(ui.draws[0].text, "一");
  EXPECT_EQ(ui.draws[1].text, "九");
}

} // namespace
} // namespace korvanu
