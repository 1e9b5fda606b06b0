#include <gtest/gtest.h>

#include <numeric>

#include "platform/headless.h"
#include "position.h"
#include "sound_fake.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/explosion_view.h"

namespace korvanu {
namespace {

class ExplosionAnimation : public ::testing::Test, protected testing::EmptyGame {
protected:
  void SetUp() override {
    fake::reset();
    g.SOUND_LIB = &fake::api();
    g.SOUND_EXPLOSION = 4;
    g.BACKGROUND = BG_MIDORI;
    ui.window = {1500, 900, 9400, 8000};
    ui.clock = 100;
  }

  // Picture codes drawn on square (x, y), in order.
  std::vector<int> picturesOn(int x, int y) const {
    std::vector<int> out;
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Picture && d.left == cellLeft(x) && d.top == cellTop(y))
        out.push_back(d.code);
    return out;
  }
  double waited() const { return std::accumulate(ui.waits.begin(), ui.waits.end(), 0.0); }
};

TEST_F(ExplosionAnimation, BlownSquaresFlickerBlastAndEndEmpty) {
  g.BOARD[5][2] = CODE_UE_HU; // a pawn in the block, not blown up: it stays
  setChecked(g, Menu::MOCHIKOMA, true);
  g.HAND_UE[GIN] = 1;
  ExplosionEffects blast;
  blast.squares[0] = {4, 2, CODE_SITA_GIN_NARI};
  blast.squares[1] = {5, 1, CODE_UE_OU};
  blast.count = 2;

  描画_爆発アニメ(g.ui, g.ui, g.ui, g, blast);

  // The king shows between empty and bomb four times, then the blast, then empty.
  const std::vector<int> expected{
      EMPTY,      CODE_UE_OU, PIC_BOMB,  EMPTY,      CODE_UE_OU, PIC_BOMB,  EMPTY,
      CODE_UE_OU, PIC_BOMB,   EMPTY,     CODE_UE_OU, PIC_BOMB,   PIC_BAKU1, PIC_BAKU2,
      PIC_BAKU1,  PIC_BAKU2,  PIC_BAKU1, PIC_BAKU2,  PIC_BAKU1,  PIC_BAKU2, EMPTY};
  EXPECT_EQ(picturesOn(5, 1), expected);
  EXPECT_EQ(picturesOn(4, 2)[1], CODE_SITA_GIN_NARI);
  EXPECT_EQ(picturesOn(4, 2).back(), EMPTY);
  EXPECT_TRUE(picturesOn(5, 2).empty());
  EXPECT_EQ(g.BOARD[5][2], CODE_UE_HU) << "the animation only draws";

  // Pulled up and left by the table's offsets, then put back exactly.
  const std::vector<std::pair<int, int>> offsets{{40, 40}, {20, 40}, {20, 20}, {40, 40},
                                                 {40, 20}, {20, 20}, {20, 40}, {40, 20}};
  ASSERT_EQ(ui.moves.size(), offsets.size() + 1);
  for (size_t i = 0; i < offsets.size(); ++i) {
    EXPECT_EQ(ui.moves[i].top, 900 - offsets[i].first) << i;
    EXPECT_EQ(ui.moves[i].left, 1500 - offsets[i].second) << i;
  }
  EXPECT_EQ(ui.window.left, 1500);
  EXPECT_EQ(ui.window.top, 900);
  EXPECT_EQ(ui.window.width, 9400);

  EXPECT_EQ(fake::calls, std::vector<std::string>{"play 4"});
  EXPECT_NEAR(waited(), 1.76, 1e-9);
  EXPECT_EQ(ui.waits.size(), 20u);
  EXPECT_GE(ui.refreshes, 20) << "every frame is shown before its pause";
  // The hands are redrawn last: the upper stand shows its silver.
  EXPECT_FALSE(picturesOn(-1, 4).empty());
  EXPECT_EQ(picturesOn(-1, 4).back(), CODE_UE_GIN);
}

TEST_F(ExplosionAnimation, NothingBlownUpStillSoundsAndTakesItsTime) {
  g.BOARD[5][5] = CODE_SITA_KIN;
  描画_爆発アニメ(g.ui, g.ui, g.ui, g, ExplosionEffects{});
  EXPECT_TRUE(ui.draws.empty());
  EXPECT_TRUE(ui.moves.empty());
  EXPECT_EQ(g.BOARD[5][5], CODE_SITA_KIN);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"play 4"});
  EXPECT_NEAR(waited(), 1.76, 1e-9);
  EXPECT_NEAR(ui.clock, 101.76, 1e-9);
}

} // namespace
} // namespace korvanu
