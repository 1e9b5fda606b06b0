// Positions as SFEN lines: what is written reads back as the same position,
// and a line that names no position a game could hold is refused, saying
// what is wrong.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "record/sfen.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "state/handicap_pieces.h"
#include "state/new_game.h"

namespace korvanu {
namespace {

using testing::on;

constexpr const char* START = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL";

// The position as a line reads it back: totals and kings found again.
Position settled(const Position& p) {
  Position q;
  restorePosition(q, positionOf(p));
  return q;
}

struct RoundTrip {
  const char* name;
  std::function<void(testing::ScriptedGame&)> setUp;
  bool upperToMove;
  int moveNumber;
  const char* line; // as written, where the row pins it; null: any
};

class SfenRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(SfenRoundTrip, ReadsBackAsTheSamePosition) {
  const RoundTrip& t = GetParam();
  testing::ScriptedGame game;
  t.setUp(game);
  const std::string line = formatSfen(game.g, t.upperToMove, t.moveNumber);
  if (t.line) {
    EXPECT_EQ(line, t.line);
  }
  Refusal why;
  const auto read = parseSfen(line, &why);
  ASSERT_TRUE(read) << line << ": " << refusalText(why);
  EXPECT_EQ(read->position, settled(game.g)) << line;
  EXPECT_EQ(read->upperToMove, t.upperToMove);
  EXPECT_EQ(read->moveNumber, t.moveNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, SfenRoundTrip,
    ::testing::Values(RoundTrip{"Start", [](auto& s) { newGame(s.g); }, false, 1,
                                "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
                      RoundTrip{"UpperGivesUpTenPieces",
                                [](auto& s) {
                                  newGame(s.g);
                                  removeHandicapPieces(s.g.BOARD, 10);
                                },
                                true, 1, "4k4/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"},
                      RoundTrip{"LowerGivesUpBishopAndRook",
                                [](auto& s) {
                                  newGame(s.g);
                                  removeHandicapPieces(s.g.BOARD, -2);
                                },
                                false, 1, nullptr},
                      RoundTrip{"HandsOfEveryKind",
                                [](auto& s) {
                                  s.kingsOnly();
                                  const int sita[8] = {0, 10, 1, 2, 3, 4, 1, 2};
                                  const int ue[8] = {0, 8, 3, 2, 1, 0, 1, 0};
                                  for (int k = 1; k <= 7; ++k)
                                    s.g.HAND_SITA[k] = sita[k], s.g.HAND_UE[k] = ue[k];
                                },
                                true, 58, "4k4/9/9/9/9/9/9/9/4K4 w 2RB4G3S2NL10Pbs2n3l8p 58"},
                      RoundTrip{"PromotedPieces",
                                [](auto& s) {
                                  s.kingsOnly(
                                      {on(1, 1, CODE_SITA_HU_NARI), on(2, 2, CODE_SITA_KYOU_NARI),
                                       on(3, 3, CODE_SITA_KEI_NARI), on(4, 4, CODE_SITA_GIN_NARI),
                                       on(6, 6, CODE_UE_KAKU_NARI), on(7, 7, CODE_UE_SYA_NARI),
                                       on(9, 9, CODE_UE_HU_NARI), on(8, 5, CODE_SITA_SYA_NARI)});
                                },
                                false, 3, "+P3k4/1+L7/2+N6/3+S5/7+R1/5+b3/6+r2/9/4K3+p b - 3"},
                      RoundTrip{"AfterABlast",
                                [](auto& s) {
                                  s.menu(Menu::START);
                                  s.kingsOnly({on(5, 6, CODE_SITA_SYA), on(5, 3, CODE_UE_KIN),
                                               on(4, 3, CODE_UE_GIN), on(6, 4, CODE_SITA_KEI)});
                                  s.move(5, 6, 5, 3); // the rook takes the gold: all three blown up
                                  ASSERT_EQ(s.g.HAND_SITA_TOTAL * 10 + s.g.HAND_UE_TOTAL, 22);
                                },
                                true, 2, nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

struct Malformed {
  const char* name;
  std::string line;
  const char* text; // why, in Japanese
  const char* value;
};

class SfenRefused : public ::testing::TestWithParam<Malformed> {};

TEST_P(SfenRefused, SaysWhatIsWrong) {
  const Malformed& t = GetParam();
  Refusal why;
  EXPECT_FALSE(parseSfen(t.line, &why)) << t.line;
  ASSERT_NE(why.text, nullptr);
  EXPECT_STREQ(why.text, t.text) << t.line;
  EXPECT_EQ(why.value, t.value) << t.line;
}

std::string start(const std::string& rest) { return std::string(START) + " " + rest; }

INSTANTIATE_TEST_SUITE_P(
    Lines, SfenRefused,
    ::testing::Values(
        Malformed{"Empty", " \r\n", "SFENの行が空です", ""},
        Malformed{"TwoFields", START + std::string(" b"),
                  "SFENは盤面、手番、持駒、手数の欄からなります（この行は%s欄）", "2"},
        Malformed{"FiveFields", start("b - 1 1"),
                  "SFENは盤面、手番、持駒、手数の欄からなります（この行は%s欄）", "5"},
        Malformed{"RankTooLong", "lnsgkgsnl1/9/9/9/9/9/9/9/4K4 b - 1",
                  "盤面の%s段目が9マスではありません", "1"},
        Malformed{"RankTooShort", "9/9/8/9/9/9/9/9/4K4 b - 1", "盤面の%s段目が9マスではありません",
                  "3"},
        Malformed{"EightRanks", "9/9/9/9/9/9/9/4K4 b - 1", "盤面が9段ではありません", ""},
        Malformed{"TenRanks", "9/9/9/9/9/9/9/9/9/4K4 b - 1", "盤面が9段ではありません", ""},
        Malformed{"NoPiece", "9/9/9/9/4X4/9/9/9/4K4 b - 1", "盤面に駒を表さない文字があります: %s",
                  "X"},
        Malformed{"PromotedGold", "9/9/9/9/4+G4/9/9/9/4K4 b - 1",
                  "成れない駒に「+」がついています: %s", "G"},
        Malformed{"Side", start("B - 1"), "手番は b（下側）か w（上側）です: %s", "B"},
        Malformed{"HandZero", start("b 0P 1"), "持駒が読めません: %s", "0P"},
        Malformed{"KingInHand", start("b K 1"), "持駒が読めません: %s", "K"},
        Malformed{"HandCountAlone", start("b P3 1"), "持駒が読めません: %s", "3"},
        Malformed{"HandTwice", start("b P2P 1"), "持駒に同じ駒が二度書かれています: %s", "P"},
        Malformed{"MoveNumberZero", start("b - 0"), "手数が読めません: %s", "0"},
        Malformed{"MoveNumberHuge", start("b - 123456"), "手数が読めません: %s", "123456"},
        Malformed{"TooManyPawns", start("b P 1"), "一局の駒の数より多くあります: %s", "P"},
        Malformed{"TwoKings", "4k4/9/9/9/9/9/9/9/3KK4 b - 1", "同じ側の玉が二枚あります: %s", "K"},
        Malformed{"KnightStuck", "4k2N1/9/9/9/9/9/9/9/4K4 b - 1",
                  "二度と動けない所に駒があります: %s", "2a"},
        Malformed{"TwoPawns", "4k4/9/9/p8/9/p8/9/9/4K4 w - 1", "二歩があります: %s", "9f"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Sfen, TakesWhatPlayersPasteAndSaysWhatIsWrongInTheLanguageInUse) {
  const auto read = parseSfen("  sfen 4k4/9/9/9/9/9/9/9/4K4 w 18p\r\n");
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->upperToMove);
  EXPECT_EQ(read->moveNumber, 1) << "the move number may be left out";
  EXPECT_EQ(read->position.HAND_UE[HU], 18);
  EXPECT_EQ(read->position.HAND_UE_TOTAL, 18);
  EXPECT_EQ(read->position.OU_SITA_X * 10 + read->position.OU_SITA_Y, 59);
  Refusal why;
  ASSERT_FALSE(parseSfen(start("b - x"), &why));
  EXPECT_EQ(refusalText(why), "手数が読めません: x");
}

} // namespace
} // namespace korvanu
