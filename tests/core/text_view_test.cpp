#include <gtest/gtest.h>

#include "rules/move_marks.h"

#include <cmath>

#include "platform/headless.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "record/record_file.h"
#include "screen_model.h"
#include "scripted_game.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/dialogs.h"
#include "view/status_view.h"
#include "view/text_view.h"

namespace korvanu {
namespace {

class TextDisplay : public ::testing::Test, protected testing::EmptyGame {
protected:
  void SetUp() override {
    g.BACKGROUND = BG_TAKE;
    g.SIDE_MAN = TURN_SENTE;
    g.SIDE_COM = TURN_GOTE;
  }

  std::vector<DrawCall> texts() const {
    std::vector<DrawCall> out;
    for (const DrawCall& d : ui.draws)
      if (d.kind == DrawCall::Text) out.push_back(d);
    return out;
  }
  // Text drawn with its top-left corner at cell (x, y), in colour.
  static void expectAt(const DrawCall& d, double x, double y, int colour, const std::string& text) {
    EXPECT_NEAR(d.left, cellLeft(x), 1e-6) << text;
    EXPECT_NEAR(d.top, cellTop(y), 1e-6) << text;
    EXPECT_EQ(d.code, colour) << text;
    EXPECT_EQ(d.text, text);
  }
};

TEST(StringConversion, DigitsNumeralsAndPieceNames) {
  EXPECT_EQ(文字列変換(1), "１");
  EXPECT_EQ(文字列変換(9), "９");
  EXPECT_EQ(文字列変換(1001), "一");
  EXPECT_EQ(文字列変換(1009), "九");
  // Piece codes read the same for both sides.
  const std::pair<int, const char*> pieces[] = {
      {CODE_UE_HU, "歩"},          {CODE_UE_HU_NARI, "と"},     {CODE_UE_KYOU, "香"},
      {CODE_UE_KYOU_NARI, "香成"}, {CODE_UE_KEI, "桂"},         {CODE_UE_KEI_NARI, "桂成"},
      {CODE_UE_GIN, "銀"},         {CODE_UE_GIN_NARI, "銀成"},  {CODE_UE_KIN, "金"},
      {CODE_UE_KAKU, "角"},        {CODE_UE_KAKU_NARI, "角成"}, {CODE_UE_SYA, "飛"},
      {CODE_UE_SYA_NARI, "飛成"},  {CODE_UE_OU, "王"}};
  for (const auto& [code, name] : pieces) {
    EXPECT_EQ(文字列変換(code), name) << code;
    EXPECT_EQ(文字列変換(-code), name) << -code;
  }
  // 10 is a pawn, not a digit; gold and king have no promoted form.
  for (int nothing : {0, -1, -9, 1000, 1010, 1011, -1001, CODE_UE_KIN + 1, CODE_UE_OU + 1,
                      CODE_SITA_KIN - 1, 12, 100, 99, 90})
    EXPECT_EQ(文字列変換(nothing), "") << nothing;
}

TEST_F(TextDisplay, DrawStringTableIsShiftedFromTheCell) {
  const std::pair<int, const char*> names[] = {{-10, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"}, {-9, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８段"},
                                               {-3, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"},  {-2, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"},
                                               {-1, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"},  {0, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"},
                                               {7, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:９級"},   {8, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:10級"},
                                               {10, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"},  {99, "手目"}};
  for (const auto& [value, text] : names) {
    ui.draws.clear();
    描画_文字列(g.ui, g, 11, 1, value, COLOR_WHITE, 10);
    ASSERT_EQ(ui.draws.size(), 1u) << value;
    EXPECT_EQ(ui.draws[0].text, text);
    EXPECT_EQ(ui.draws[0].left, cellLeft(11) + 120);
    EXPECT_EQ(ui.draws[0].top, cellTop(1) + 160);
    EXPECT_EQ(ui.draws[0].points, 10);
  }
  ui.draws.clear();
  for (int nothing : {100, 11, -11, 98, 1000, -100})
    描画_文字列(g.ui, g, 11, 1, nothing, COLOR_WHITE, 10);
  EXPECT_TRUE(ui.draws.empty());
}

TEST_F(TextDisplay, MoveCounterMovesLeftAsItGrowsDigits) {
  struct Case {
    int count;
    double x;
    const char* text;
  };
  for (const Case& c :
       {Case{0, 13.2, " 0 "}, Case{7, 13.2, " 7 "}, Case{9, 13.2, " 9 "}, Case{10, 13.1, " 10 "},
        Case{99, 13.1, " 99 "}, Case{100, 13, " 100 "}, Case{123, 13, " 123 "}}) {
    ui.draws.clear();
    描画_手数(g.ui, g, c.count, 0);
    // The counter's cells are cleared first, and the stand's edge beside it redrawn.
    ASSERT_GE(ui.draws.size(), 3u);
    EXPECT_EQ(ui.draws[0].code, BG_TAKE);
    EXPECT_EQ(ui.draws[0].left, cellLeft(13));
    EXPECT_EQ(ui.draws[1].left, cellLeft(14));
    const auto t = texts();
    ASSERT_EQ(t.size(), 4u) << c.count;
    expectAt(t[0], c.x + 0.1, 3.4, COLOR_BLACK, c.text);
    expectAt(t[1], c.x, 3.3, COLOR_WHITE, c.text);
    EXPECT_EQ(t[1].points, 12);
    EXPECT_EQ(t[2].text, "手目");
    EXPECT_NEAR(t[2].left, cellLeft(13.9) + 120, 1e-6);
    EXPECT_NEAR(t[3].left, cellLeft(13.8) + 120, 1e-6);
    EXPECT_NEAR(t[3].top, cellTop(3.1) + 160, 1e-6);
    EXPECT_EQ(t[3].code, COLOR_WHITE);
  }
}

RecordedMove moveTo(int x, int y, int piece) {
  RecordedMove m;
  m.toX = x;
  m.toY = y;
  m.piece = piece;
  return m;
}

TEST_F(TextDisplay, MoveInNotationStandsBesideTheMoversSide) {
  // The human's pawn to column 3, row 6 reads "７六歩" at the upper right.
  描画_移動結果(g.ui, g, g.SIDE_MAN, moveTo(3, 6, CODE_SITA_HU), COLOR_RESULT);
  auto t = texts();
  ASSERT_EQ(t.size(), 6u);
  expectAt(t[0], 12.5, 2.5, COLOR_BLACK, "７");
  expectAt(t[1], 12.4, 2.4, COLOR_RESULT, "７");
  expectAt(t[2], 12.9, 2.5, COLOR_BLACK, "六");
  expectAt(t[3], 12.8, 2.4, COLOR_RESULT, "六");
  expectAt(t[4], 13.5, 2.5, COLOR_BLACK, "歩");
  expectAt(t[5], 13.4, 2.4, COLOR_RESULT, "歩");
  for (const DrawCall& d : t) EXPECT_EQ(d.points, 12);
  // Its old text was wiped first.
  EXPECT_EQ(ui.draws[0].code, BG_TAKE);
  EXPECT_EQ(ui.draws[0].left, cellLeft(12));
  EXPECT_EQ(ui.draws[0].top, cellTop(2));

  // The upper side's promoted bishop to (9, 1) reads "１一角成" at the lower left,
  // and the board square its text touches gets its edge back.
  ui.draws.clear();
  描画_移動結果(g.ui, g, g.SIDE_COM, moveTo(9, 1, CODE_UE_KAKU_NARI), COLOR_RESULT);
  t = texts();
  ASSERT_EQ(t.size(), 6u);
  expectAt(t[1], -1.6, 8.4, COLOR_RESULT, "１");
  expectAt(t[3], -1.2, 8.4, COLOR_RESULT, "一");
  expectAt(t[4], -0.5, 8.5, COLOR_BLACK, "角成");
  expectAt(t[5], -0.6, 8.4, COLOR_RESULT, "角成");
  const DrawCall& last = ui.draws.back();
  EXPECT_EQ(last.kind, DrawCall::Outline);
  EXPECT_EQ(last.left, cellLeft(1));
  EXPECT_EQ(last.top, cellTop(8));

  ui.draws.clear();
  描画_移動結果(g.ui, g, NO_GAME, moveTo(3, 6, CODE_SITA_HU), COLOR_RESULT);
  消去_移動結果(g.ui, g, NO_GAME);
  EXPECT_TRUE(ui.draws.empty());
}

TEST_F(TextDisplay, LevelAndCoordinateLabels) {
  描画_レベル(g.ui, g, 2);
  auto t = texts();
  ASSERT_EQ(t.size(), 4u);
  expectAt(t[0], -1.4, 0.2, COLOR_BLACK, "LEVEL");
  expectAt(t[1], -1.5, 0.1, COLOR_WHITE, "LEVEL");
  EXPECT_EQ(t[1].points, 10);
  expectAt(t[2], 0.1, 0.1, COLOR_BLACK, " 2 ");
  expectAt(t[3], 0, 0, COLOR_WHITE, " 2 ");
  EXPECT_EQ(t[3].points, 12);
  EXPECT_FALSE(t[3].bold) << "text is plain until the labels are drawn";

  ui.draws.clear();
  描画_桝_数値(g.ui, g);
  t = texts();
  ASSERT_EQ(t.size(), 36u);
  for (int i = 1; i <= 9; ++i) {
    const DrawCall* column = &t[4 * (i - 1)];
    // Columns read 9 at the left to 1 at the right; ranks 一 at the top.
    expectAt(column[0], i + 0.2, 0.5, COLOR_BLACK, " " + std::to_string(10 - i) + " ");
    expectAt(column[1], i + 0.1, 0.4, COLOR_LIGHT_YELLOW, " " + std::to_string(10 - i) + " ");
    EXPECT_EQ(column[1].points, 16);
    expectAt(column[3], 10.1, i + 0.3, COLOR_LIGHT_YELLOW, 文字列変換(1000 + i));
    EXPECT_EQ(column[3].points, 12);
  }
  for (const DrawCall& d : t) EXPECT_TRUE(d.bold);

  ui.draws.clear();
  描画_レベル(g.ui, g, 3);
  for (const DrawCall& d : texts()) EXPECT_TRUE(d.bold) << "bold for good";
}

TEST_F(TextDisplay, HandicapRefusalAndAboutBox) {
  const std::pair<int, std::string> reasons[] = {{1, "棋譜ﾓｰﾄﾞではできません"},
                                                 {2, "対局途中ではできません"},
                                                 {3, "反転後ではできません"},
                                                 {0, ""},
                                                 {4, ""}};
  for (const auto& [reason, line] : reasons) {
    ui.messages.clear();
    描画_メッセージ(g.ui, reason);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, line + "\n\n局面→最初にして下さい");
    EXPECT_EQ(ui.messages[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
  }

  fake::reset();
  g.SOUND_LIB = &fake::api();
  g.SOUND_OTHER = 3;
  ui.messages.clear();
  onMenu(g, Menu::VER);
  EXPECT_EQ(fake::calls, std::vector<std::string>{"play 3"});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "  Version 0.9\n\nQuillon 1999.1");
  EXPECT_EQ(ui.messages[0].title, "Korvanu");
}

class RecordHeaders : public testing::GameFlow {};

TEST_F(RecordHeaders, TitleAndNamesStandWholeOrCutInsideTheWindowAndGoWithTheRecord) {
  auto repeated = [](const std::string& character, int n) {
    std::string out;
    while (n-- > 0) out += character;
    return out;
  };
  struct Case {
    std::string title, upper, lower;
    bool whole;
  };
  for (const Case& c : {Case{"第一期名人戦", "羽生", "谷川", true},
                        Case{repeated("長", 40), repeated("上", 30), repeated("下", 30), false}}) {
    SCOPED_TRACE(c.title);
    RecordFile file{c.title, c.upper, c.lower, {g.REC[0]}};
    ASSERT_TRUE(writeRecordFile((dir.path() / "headers.棋譜").string(), file));
    ui.draws.clear();
    File1_Click(g, "headers.棋譜");
    // Each header as drawn: whole, or its start and "…".
    auto drawn = [&](const std::string& header) {
      for (const DrawCall& d : ui.draws) {
        const std::string start = d.text.substr(0, d.text.size() - std::string("…").size());
        if (d.kind == DrawCall::Text &&
            (d.text == header || (d.text.ends_with("…") && header.starts_with(start))))
          return d;
      }
      return DrawCall{};
    };
    const DrawCall title = drawn(c.title), upper = drawn(c.upper), lower = drawn(c.lower);
    auto right = [&](const DrawCall& d) { return d.left + ui.textWidth(d.text, d.points, d.bold); };
    for (const auto& [header, d] :
         {std::pair{c.title, title}, {c.upper, upper}, {c.lower, lower}}) {
      EXPECT_EQ(d.text == header, c.whole) << d.text;
      EXPECT_GE(d.left, 0) << d.text;
      EXPECT_LE(right(d), cellLeft(10)) << d.text;
    }
    EXPECT_LT(right(title), lower.left) << "the title runs into the lower name";
    EXPECT_EQ(title.code, COLOR_LIGHT_RED);

    // Starting a game paints over every cell they reach.
    ui.draws.clear();
    描画_棋譜読込み部分消去(g);
    testing::Screen erased(ui);
    erased.look();
    for (const DrawCall& d : {title, upper, lower}) {
      const int row = int(std::floor((d.top - BOARD_TOP) / SQUARE_HEIGHT));
      auto column = [](double x) { return int(std::floor((x - BOARD_LEFT) / SQUARE_WIDTH)); };
      for (int x = column(d.left); x <= column(right(d) - 1); ++x)
        EXPECT_EQ(erased.at(x, row).picture, g.BACKGROUND) << d.text << " at " << x;
    }
  }
}

} // namespace
} // namespace korvanu
