#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "platform/headless.h"
#include "play/clock.h"
#include "play/commands.h"
#include "position.h"
#include "state/game.h"
#include "temp_dir.h"
#include "view/board_view.h"
#include "view/clock_view.h"

namespace korvanu {
namespace {

TEST(ClockText, HoursMinutesSecondsOfTwoDigits) {
  EXPECT_EQ(調査_時間秒追加結果(0), "00:00:00");
  EXPECT_EQ(調査_時間秒追加結果(65), "00:01:05");
  EXPECT_EQ(調査_時間秒追加結果(59.8), "00:00:59") << "parts are cut, not rounded";
  EXPECT_EQ(調査_時間秒追加結果(3599.99), "00:59:59");
  EXPECT_EQ(調査_時間秒追加結果(3600), "01:00:00");
  EXPECT_EQ(調査_時間秒追加結果(45296), "12:34:56");
  EXPECT_EQ(調査_時間秒追加結果(99 * 3600 + 59 * 60 + 59.5), "99:59:59");
  // A hundred hours no longer fit: the hours field is left empty.
  EXPECT_EQ(調査_時間秒追加結果(100 * 3600), ":00:00");
  EXPECT_EQ(調査_時間秒追加結果(100 * 3600 + 61), ":01:01");

  EXPECT_EQ(変換_数字から文字(0), "00");
  EXPECT_EQ(変換_数字から文字(7), "07");
  EXPECT_EQ(変換_数字から文字(42), "42");
  EXPECT_EQ(変換_数字から文字(100), "");
  // Wild values give no text rather than a crash.
  EXPECT_EQ(変換_数字から文字(-1), "");
  EXPECT_EQ(変換_数字から文字(std::nan("")), "");
  EXPECT_EQ(調査_時間秒追加結果(std::numeric_limits<double>::infinity()), "::");
  EXPECT_EQ(調査_時間秒追加結果(1e300).substr(0, 1), ":");
}

TEST(ElapsedSeconds, CountOnAcrossMidnight) {
  EXPECT_DOUBLE_EQ(調査_経過秒(100, 165.5), 65.5);
  EXPECT_DOUBLE_EQ(調査_経過秒(100, 100), 0);
  EXPECT_DOUBLE_EQ(調査_経過秒(86399.5, 0.25), 0.75);
  EXPECT_DOUBLE_EQ(調査_経過秒(86000, 400), 800);
}

class TurnClock : public ::testing::Test,
                  protected testing::InFolderOfItsOwn,
                  protected testing::EmptyGame {
protected:
  void SetUp() override {
    g.BACKGROUND = BG_MIDORI;
    g.SIDE_MAN = TURN_SENTE;
    g.SIDE_COM = TURN_GOTE;
    setChecked(g, Menu::KEIKA, true);
  }

  std::vector<DrawCall> texts() const {
    std::vector<DrawCall> out;
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Text) out.push_back(d);
    return out;
  }
  void tickAt(double clock) {
    ui.clock = clock;
    Timer1_Timer(g);
  }
};

TEST_F(TurnClock, UsedTimeStandsBelowTheBoardOnEachSide) {
  描画_所有時間(g.ui, g, g.SIDE_MAN, 65);
  auto t = texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].text, "00:01:05");
  EXPECT_NEAR(t[0].left, cellLeft(13.1), 1e-6);
  EXPECT_NEAR(t[0].top, cellTop(9.3), 1e-6);
  EXPECT_EQ(t[0].code, COLOR_BLACK);
  EXPECT_NEAR(t[1].left, cellLeft(13), 1e-6);
  EXPECT_NEAR(t[1].top, cellTop(9.2), 1e-6);
  EXPECT_EQ(t[1].code, COLOR_WHITE);
  EXPECT_EQ(t[1].points, 12);
  // The old figure is covered with the background first.
  ASSERT_GE(ui.draws.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(ui.draws[i].code, BG_MIDORI);
    EXPECT_EQ(ui.draws[i].left, cellLeft(13 + i));
    EXPECT_EQ(ui.draws[i].top, cellTop(9));
  }

  ui.draws.clear();
  描画_所有時間(g.ui, g, g.SIDE_COM, 3725);
  t = texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].text, "01:02:05");
  EXPECT_NEAR(t[1].left, cellLeft(-1.6), 1e-6);
  EXPECT_NEAR(t[0].left, cellLeft(-1.5), 1e-6);
  EXPECT_EQ(ui.draws[0].left, cellLeft(-2));
  EXPECT_EQ(ui.draws.back().kind, DrawCall::Outline);
  EXPECT_EQ(ui.draws.back().left, cellLeft(1));

  ui.draws.clear();
  描画_所有時間(g.ui, g, NO_GAME, 10);
  setChecked(g, Menu::KEIKA, false);
  描画_所有時間(g.ui, g, g.SIDE_MAN, 10);
  EXPECT_TRUE(ui.draws.empty());
}

TEST_F(TurnClock, TimeLeftUnderATimeControl) {
  struct Row {
    int main, byoyomi;
    double before, seconds; // the side's total at its turn's start, and now
    const char* left;
  };
  const Row rows[] = {{600, 30, 0, 7, "00:09:53"},     {600, 30, 600, 610, "秒読み 20"},
                      {600, 30, 600, 640, "秒読み 0"}, {60, 0, 30, 50, "00:00:10"},
                      {60, 0, 30, 100, "00:00:00"},    {0, 10, 5, 5, "秒読み 10"}};
  for (const Row& r : rows) {
    g.CLOCK_MAIN_SECONDS = r.main;
    g.CLOCK_BYOYOMI_SECONDS = r.byoyomi;
    g.MAN_TIME = r.before;
    EXPECT_EQ(残り時間(g, TURN_SENTE, r.seconds), r.left) << r.main << " " << r.seconds;
  }
}

TEST_F(TurnClock, TickShowsTheMoverOnlyWhenTheWholeSecondChanges) {
  g.TURN = g.SIDE_MAN;
  g.MAN_TIME = 100;
  g.COM_TIME = 7;
  g.TURN_START_TIME = 86399.5; // the turn began half a second before midnight
  g.SHOWN_SECOND = 0;
  setTimer1(g, true);
  EXPECT_TRUE(ui.timerEnabled);

  tickAt(86399.95);
  EXPECT_NEAR(g.TURN_ELAPSED, 0.45, 1e-9);
  EXPECT_TRUE(ui.draws.empty());
  EXPECT_EQ(ui.refreshes, 0);

  tickAt(0.6); // past midnight
  EXPECT_NEAR(g.TURN_ELAPSED, 1.1, 1e-9);
  EXPECT_EQ(g.SHOWN_SECOND, 1);
  auto t = texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].text, "00:01:41") << "the total so far plus this turn";
  EXPECT_NEAR(t[1].left, cellLeft(13), 1e-6);
  EXPECT_EQ(ui.refreshes, 1);

  // Twenty ticks a second, one repaint.
  ui.draws.clear();
  for (double c = 0.65; c < 1.5; c += 0.05) tickAt(c);
  EXPECT_TRUE(ui.draws.empty());
  tickAt(1.55);
  EXPECT_EQ(texts().size(), 2u);
  EXPECT_EQ(ui.refreshes, 2);

  // The upper side's turn shows at the left with its own total.
  ui.draws.clear();
  g.TURN = g.SIDE_COM;
  tickAt(2.6);
  t = texts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[1].text, "00:00:10");
  EXPECT_NEAR(t[1].left, cellLeft(-1.6), 1e-6);

  // A tick arriving after the timer stopped changes nothing.
  setTimer1(g, false);
  EXPECT_FALSE(ui.timerEnabled);
  ui.draws.clear();
  const double elapsed = g.TURN_ELAPSED;
  tickAt(10);
  EXPECT_EQ(g.TURN_ELAPSED, elapsed);
  EXPECT_TRUE(ui.draws.empty());

  // With the clocks hidden the turn is still timed, but nothing is drawn.
  setChecked(g, Menu::KEIKA, false);
  setTimer1(g, true);
  tickAt(20);
  EXPECT_EQ(g.SHOWN_SECOND, 20);
  EXPECT_TRUE(texts().empty());
}

TEST_F(TurnClock, ElapsedTimeItemHidesOrShowsBothClocksAndSavesTheChoice) {
  g.MAN_TIME = 61;
  g.COM_TIME = 3;
  setTimer1(g, true);
  onMenu(g, Menu::KEIKA);
  EXPECT_FALSE(isChecked(g, Menu::KEIKA));
  EXPECT_FALSE(g.TIMER1_ENABLED);
  EXPECT_FALSE(ui.timerEnabled);
  EXPECT_TRUE(texts().empty());
  // Both figures are covered: three cells each side.
  int covered = 0;
  for (const DrawCall& d : ui.draws)
    if (d.kind == DrawCall::Picture && d.top == cellTop(9) && d.code == BG_MIDORI) ++covered;
  EXPECT_EQ(covered, 6);
  EXPECT_TRUE(std::filesystem::exists("Korvanu.ini"));

  ui.draws.clear();
  onMenu(g, Menu::KEIKA);
  EXPECT_TRUE(isChecked(g, Menu::KEIKA));
  EXPECT_TRUE(ui.timerEnabled);
  const auto t = texts();
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[1].text, "00:00:03");
  EXPECT_EQ(t[3].text, "00:01:01");
}

TEST_F(TurnClock, WaitingSleepsOnThePlatformClock) {
  ui.clock = 86399.9;
  待ち時間(g.ui, g, 0.3);
  EXPECT_NEAR(ui.clock, 0.2, 1e-9) << "a pause over midnight ends on time";
  // Nothing to wait for: no sleep at all.
  待ち時間(g.ui, g, 0);
  待ち時間(g.ui, g, -5);
  待ち時間(g.ui, g, std::nan(""));
  待ち時間(g.ui, g, std::numeric_limits<double>::infinity());
  EXPECT_EQ(ui.waits, std::vector<double>{0.3});
}

} // namespace
} // namespace korvanu
