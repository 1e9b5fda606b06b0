#include <gtest/gtest.h>

#include <vector>

#include "position.h"
#include "record/entry_line.h"

namespace korvanu {
namespace {

RecordEntry start() {
  Game g;
  testing::startingGame(g);
  return g.REC[0];
}

TEST(EntryLine, FixedFieldsAsTheRecordFilesHaveThem) {
  RecordEntry e = start();
  e.TIME_A = 7.9;
  e.TIME_B = 1234;
  e.TIME_C = 0;
  e.TIME_D = 99999.7;
  const std::string line = formatEntryLine(e);
  ASSERT_EQ(line.size(), 277u);
  EXPECT_EQ(line.substr(0, 27), " 20  0 10  0  0  0-10  0-20");
  EXPECT_EQ(line.substr(243, 14), std::string(14, '0'));
  EXPECT_EQ(line.substr(257), "    7 1234    099999");
}

TEST(EntryLine, CountsAndClocksThatDoNotFitKeepTheLineLength) {
  RecordEntry e;
  e.BOARD[5][9] = CODE_SITA_OU;
  e.HAND_SITA[HU] = 18;
  e.HAND_UE[HU] = 0;
  e.HAND_UE[KIN] = 4;
  e.TIME_A = 123456;
  e.TIME_B = -3;
  const std::string line = formatEntryLine(e);
  ASSERT_EQ(line.size(), 277u);
  EXPECT_EQ(line[243], 'I') << "18 pawns in one character";
  EXPECT_EQ(line.substr(257, 10), "99999    0");
  const auto back = parseEntryLine(line);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->HAND_SITA[HU], 18);
  EXPECT_EQ(back->HAND_UE[KIN], 4);
  EXPECT_EQ(back->BOARD[5][9], CODE_SITA_OU);
}

TEST(EntryLine, ReadsBackWhatItWritesWithOrWithoutClocks) {
  const RecordEntry e = start();
  const std::string line = formatEntryLine(e);
  for (const std::string& l : {line, line.substr(0, 257)}) {
    const auto back = parseEntryLine(l);
    ASSERT_TRUE(back);
    EXPECT_EQ(formatEntryLine(*back), line);
  }
}

TEST(EntryLine, RefusesWhatNoGameCouldHold) {
  const std::string good = formatEntryLine(start());
  std::string why;
  EXPECT_FALSE(parseEntryLine(good.substr(0, 256), &why));
  EXPECT_FALSE(parseEntryLine(good + " ", &why));
  EXPECT_FALSE(parseEntryLine("", &why));
  auto with = [&](size_t at, const std::string& text) {
    std::string s = good;
    s.replace(at, text.size(), text);
    return parseEntryLine(s, &why).has_value();
  };
  EXPECT_FALSE(with(3, " 51")) << "no promoted gold";
  EXPECT_FALSE(with(3, " 81"));
  EXPECT_FALSE(with(3, "  x"));
  EXPECT_FALSE(with(3, "   "));
  EXPECT_FALSE(with(3, " --"));
  EXPECT_FALSE(with(3, "-80")) << "a second lower king";
  EXPECT_FALSE(with(3, " 70")) << "a third rook";
  EXPECT_FALSE(with(243, "?"));
  EXPECT_FALSE(with(244, "1")) << "a fifth lance counting the hand";
  EXPECT_FALSE(with(260, "-"));
  EXPECT_TRUE(with(6, " 11")) << "a promoted pawn in place of a pawn";
  EXPECT_FALSE(why.empty());
}

// The lower side moves up toward row 1, the upper side down toward row 9.
TEST(EntryLine, RefusesAPieceThatCouldNeverMoveAndTwoPawnsInAColumn) {
  struct Placed {
    int x, y, code;
  };
  const struct {
    const char* what;
    std::vector<Placed> pieces;
    bool loads;
  } rows[] = {
      {"lower pawn on row 1", {{1, 1, CODE_SITA_HU}}, false},
      {"lower lance on row 1", {{9, 1, CODE_SITA_KYOU}}, false},
      {"lower knight on row 2", {{2, 2, CODE_SITA_KEI}}, false},
      {"upper pawn on row 9", {{1, 9, CODE_UE_HU}}, false},
      {"upper lance on row 9", {{9, 9, CODE_UE_KYOU}}, false},
      {"upper knight on row 8", {{2, 8, CODE_UE_KEI}}, false},
      {"two lower pawns in column 3", {{3, 2, CODE_SITA_HU}, {3, 8, CODE_SITA_HU}}, false},
      {"two upper pawns in column 9", {{9, 2, CODE_UE_HU}, {9, 3, CODE_UE_HU}}, false},
      {"promoted pawn, lance and knight on row 1",
       {{1, 1, CODE_SITA_HU_NARI}, {2, 1, CODE_SITA_KYOU_NARI}, {3, 1, CODE_SITA_KEI_NARI}},
       true},
      {"each side's pawn and lance on its own back row",
       {{1, 9, CODE_SITA_HU}, {2, 9, CODE_SITA_KYOU}, {1, 1, CODE_UE_HU}, {2, 1, CODE_UE_KYOU}},
       true},
      {"knights on the last rows they can leave",
       {{2, 3, CODE_SITA_KEI}, {8, 7, CODE_UE_KEI}},
       true},
      {"pawns of both sides and a promoted one in column 3",
       {{3, 3, CODE_UE_HU}, {3, 7, CODE_SITA_HU}, {3, 5, CODE_SITA_HU_NARI}},
       true},
  };
  for (const auto& row : rows) {
    RecordEntry e;
    e.BOARD[5][9] = CODE_SITA_OU;
    e.BOARD[5][1] = CODE_UE_OU;
    for (const Placed& p : row.pieces) e.BOARD[p.x][p.y] = p.code;
    std::string why;
    EXPECT_EQ(parseEntryLine(formatEntryLine(e), &why).has_value(), row.loads)
        << row.what << ": " << why;
  }
}

} // namespace
} // namespace korvanu
