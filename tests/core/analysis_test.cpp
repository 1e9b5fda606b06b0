// The analysis of a finished game: a move that lets the king be blown up is
// marked, the scores are for the lower side on the graph's scale, a cancel
// leaves nothing, and the file kept beside the record reads back as written
// or, damaged or another record's, is ignored with a reason.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "record/analysis_file.h"
#include "scripted_game.h"
#include "search/analysis.h"

namespace korvanu {
namespace {

// Repeatable: a node budget, not a time.
constexpr SearchLimits EACH{0, 20000};

class Analysis : public testing::GameFlow {
protected:
  // The record from the lower king's step on: the upper side to move, its
  // gold steps beside its king into the rook's file (the blunder), and the
  // rook takes it, blowing the king up.
  std::vector<RecordEntry> blunderedGame() {
    menu(Menu::START);
    ui.answers = {Answer::Yes};
    rookBlastsTheUpperKing();
    return {g.REC.begin() + 1, g.REC.begin() + 4};
  }
  std::string file() const { return analysisPathFor((dir.path() / "game.棋譜").string()); }
  SearchTable table;
};

TEST_F(Analysis, MarksTheMoveThatLetsTheKingBeBlownUp) {
  const auto entries = blunderedGame();
  std::vector<std::pair<int, int>> progress;
  const auto a = analyseGame(entries, true, true, EACH, table,
                             [&](int done, int total) { progress.emplace_back(done, total); });
  ASSERT_TRUE(a);
  ASSERT_EQ(a->entries.size(), 3u);
  EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
  const PositionVerdict &before = a->entries[0], &blunder = a->entries[1], &end = a->entries[2];
  EXPECT_LT(before.score, ANALYSIS_SCALE - MISTAKE_LOSS) << "the upper side could hold on";
  EXPECT_EQ(blunder.mark, MoveMark::Mistake);
  EXPECT_EQ(blunder.score, ANALYSIS_SCALE);
  EXPECT_EQ(blunder.mate, 1) << "the upper king falls on the next move";
  EXPECT_EQ(blunder.best, (Move{5, 6, 5, 2, CODE_SITA_SYA}));
  EXPECT_EQ(end.mark, MoveMark::None) << "the lower side played the search's own move";
  EXPECT_EQ(end.score, ANALYSIS_SCALE);
  EXPECT_EQ(end.depth, 0);
  EXPECT_FALSE(end.hasBest);
  EXPECT_EQ(a->record, recordKeyOf(entries));
}

TEST_F(Analysis, ACancelLeavesNothing) {
  const auto entries = blunderedGame();
  std::atomic<bool> cancel{false};
  int calls = 0;
  const auto a = analyseGame(
      entries, true, true, EACH, table, [&](int, int) { ++calls, cancel = true; }, &cancel);
  EXPECT_FALSE(a);
  EXPECT_EQ(calls, 1) << "nothing more is searched once it is cancelled";
}

TEST(AnalysisMarks, ByWhatTheMoverGaveAwayOnTheGraphsScale) {
  const struct {
    int before, after;
    bool upperMoved, playedBest;
    MoveMark mark;
  } rows[] = {
      {100, -99, false, false, MoveMark::None},      {100, -100, false, false, MoveMark::Doubtful},
      {300, -199, false, false, MoveMark::Doubtful}, {300, -200, false, false, MoveMark::Mistake},
      {-300, 200, true, false, MoveMark::Mistake},   {-300, -600, true, false, MoveMark::None},
      {0, -3000, false, true, MoveMark::None},
  };
  for (const auto& r : rows)
    EXPECT_EQ(markOf(r.before, r.after, r.upperMoved, r.playedBest), r.mark)
        << r.before << " to " << r.after << (r.upperMoved ? " by the upper side" : "");
  EXPECT_EQ(graphScore(SCORE_MATE - 3, true), -ANALYSIS_SCALE);
  EXPECT_EQ(matePlies(SCORE_MATE - 3, true), -3)
      << "the upper side to move blows the lower king up";
  EXPECT_EQ(graphScore(-(SCORE_MATE - 4), true), ANALYSIS_SCALE);
  EXPECT_EQ(matePlies(-(SCORE_MATE - 4), true), 4);
  EXPECT_EQ(graphScore(250, true), -250);
  EXPECT_EQ(graphScore(9000, false), ANALYSIS_SCALE);
  EXPECT_EQ(matePlies(9000, false), 0);
}

TEST_F(Analysis, TheFileReadsBackAsWrittenAndADamagedOneIsIgnored) {
  const auto entries = blunderedGame();
  const auto a = analyseGame(entries, true, true, EACH, table);
  ASSERT_TRUE(a);
  Refusal why;
  EXPECT_FALSE(readAnalysisFile(file(), entries, &why));
  EXPECT_EQ(why.text, nullptr) << "no file yet: nothing to say";
  ASSERT_TRUE(writeAnalysisFile(file(), *a));
  const auto back = readAnalysisFile(file(), entries, &why);
  ASSERT_TRUE(back) << refusalText(why);
  EXPECT_EQ(*back, *a);

  std::stringstream written;
  written << std::ifstream(file(), std::ios::binary).rdbuf();
  const std::string good = written.str();
  const auto damaged = [&](std::string text) {
    std::ofstream(file(), std::ios::binary | std::ios::trunc) << text;
    return readAnalysisFile(file(), entries, &why);
  };
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    std::string text;
    const char* line;
  } rows[] = {
      {"", "1"},
      {replaced("analysis 1", "analysis 2"), "1"},
      {replaced("record ", "record x"), "2"},
      {replaced("budget 0 20000", "budget 0"), "3"},
      {replaced("entries 3", "entries 4"), "4"},
      {good.substr(0, good.rfind("\r\n", good.size() - 3) + 2), "4"},
      {replaced("\r\n1 ", "\r\n2 "), "6"},
      {replaced("\r\n2 3000 0 0 - -", "\r\n2 3001 0 0 - -"), "7"},
      {replaced("\r\n2 3000 0 0 - -", "\r\n2 3000 0 0 - ??"), "7"},
      {replaced("5 6 5 2 -70", "5 6 5 2 -51"), "6"},
  };
  for (const auto& r : rows) {
    EXPECT_FALSE(damaged(r.text)) << r.text;
    EXPECT_STREQ(why.text, "解析ファイルが壊れています（%s行目）") << r.text;
    EXPECT_EQ(why.value, r.line) << r.text;
  }
  ASSERT_TRUE(damaged(good)) << "the file as written reads again";
  const std::vector<RecordEntry> shorter(entries.begin(), entries.end() - 1);
  auto other = *a;
  other.entries.pop_back();
  other.record = recordKeyOf(shorter);
  ASSERT_TRUE(writeAnalysisFile(file(), other));
  EXPECT_FALSE(readAnalysisFile(file(), entries, &why));
  EXPECT_STREQ(why.text, "解析ファイルは別の棋譜のものです");
}

} // namespace
} // namespace korvanu
