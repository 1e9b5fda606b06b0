#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine.h"
#include "engine_loop.h"
#include "state/pieces.h"

namespace korvanu {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::vector<std::string> ask(Engine& engine, const std::string& command) {
  std::ostringstream out;
  EXPECT_TRUE(engine.handle(command, out));
  return lines(out.str());
}

struct Placed {
  int x, y, code;
};

// Hand counts by kind 1..7 (index 0 unused).
using Hand = std::array<int, 8>;

// An entry line with only these pieces on the board and these hands.
std::string entryLine(const std::vector<Placed>& pieces, const Hand& sita = {},
                      const Hand& ue = {}) {
  std::string line(243, ' ');
  for (int i = 0; i < 81; ++i) line[i * 3 + 2] = '0';
  for (const Placed& p : pieces) {
    char field[8];
    std::snprintf(field, sizeof field, "%3d", p.code);
    line.replace(((p.x - 1) * 9 + (p.y - 1)) * 3, 3, field);
  }
  for (int k = 1; k <= 7; ++k)
    line += {static_cast<char>('0' + sita[k]), static_cast<char>('0' + ue[k])};
  return line;
}

class Protocol : public ::testing::Test {
protected:
  Engine engine;
  std::vector<std::string> ask(const std::string& command) { return korvanu::ask(engine, command); }
  std::string shown() { return ask("show").at(0); }
  // The value of one map at (x, y) from a survey reply.
  int mapValue(const std::vector<std::string>& reply, const std::string& name, int x, int y) {
    for (const std::string& l : reply) {
      if (!l.starts_with(name + " ")) continue;
      std::istringstream in(l.substr(name.size()));
      int v = 0;
      for (int i = 0; i <= (x - 1) * 9 + (y - 1); ++i) in >> v;
      return v;
    }
    ADD_FAILURE() << name << " missing";
    return 0;
  }
};

TEST_F(Protocol, StartingPositionMovesAndShow) {
  EXPECT_EQ(ask("position startpos"), std::vector<std::string>{"ok"});
  const auto moves = ask("moves sita");
  ASSERT_EQ(moves.size(), 31u) << "the 30 first moves of shogi, then ok";
  EXPECT_EQ(moves.back(), "ok");
  EXPECT_EQ(moves.front(), "1 7 1 6 -10 0 0");
  EXPECT_EQ(ask("moves ue").size(), 31u);

  const std::string line = shown();
  EXPECT_EQ(line.size(), 277u);
  EXPECT_EQ(line.substr(257), "    0    0    0    0");
  EXPECT_EQ(ask("position " + line), std::vector<std::string>{"ok"});
  EXPECT_EQ(shown(), line);
}

TEST_F(Protocol, MovesExplodeAndIllegalOnesChangeNothing) {
  ask("position startpos");
  // Both bishops' diagonals open.
  EXPECT_EQ(ask("move 3 7 3 6 -10"), (std::vector<std::string>{"exploded 0", "ok"}));
  EXPECT_EQ(ask("move 7 3 7 4 10"), (std::vector<std::string>{"exploded 0", "ok"}));
  EXPECT_EQ(ask("move 8 8 2 2 -70"), (std::vector<std::string>{"error illegal move"}))
      << "a rook does not go diagonally";
  const std::string before = shown();
  for (const char* bad :
       {"move 2 8 8 2 -70", "move 2 8 9 1 -60", "move 5 5 5 4 -10", "move 1 1 1", "move a b c d e",
        "move 1  1 1 1 1", "move 11 3 5 5 -10", "move 2 8 8 2 -62", "move 99999999999 1 1 1 1"})
    EXPECT_EQ(ask(bad).size(), 1u) << bad;
  EXPECT_EQ(shown(), before);
  const auto boom = ask("move 2 8 8 2 -60");
  ASSERT_EQ(boom.size(), 2u);
  // The capturing bishop, and the silver, knight and lance round (8, 2); the pawns stay.
  EXPECT_EQ(boom[0], "exploded 4");
  EXPECT_EQ(boom[1], "ok");
}

TEST_F(Protocol, SurveyAndMateAnswerOnTheCurrentPosition) {
  ask("position startpos");
  const auto s = ask("survey");
  ASSERT_EQ(s.size(), 14u);
  EXPECT_EQ(s[12], "KINGS 5 9 5 1");
  EXPECT_EQ(s[13], "ok");
  EXPECT_EQ(mapValue(s, "INFLUENCE_SITA", 1, 7), 3);
  EXPECT_EQ(mapValue(s, "DEFENDER_SITA", 1, 7), CODE_SITA_KAKU);
  EXPECT_EQ(mapValue(s, "DEFENDER_UE", 3, 3), CODE_UE_KEI);
  EXPECT_EQ(mapValue(s, "INFLUENCE_UE", 5, 1), 2);
  EXPECT_EQ(ask("mated sita"), (std::vector<std::string>{"mated 0", "ok"}));

  // A lone upper king in the corner, a rook and a gold: mate.
  EXPECT_EQ(ask("position " +
                entryLine({{1, 1, 80}, {1, 3, -70}, {2, 2, -50}, {2, 3, -10}, {9, 9, -80}})),
            std::vector<std::string>{"ok"});
  EXPECT_EQ(ask("mated ue"), (std::vector<std::string>{"mated 1", "ok"}));
}

TEST_F(Protocol, DropsFollowTheSetting) {
  ask("position startpos");
  ask("move 3 7 3 6 -10");
  ask("move 7 3 7 4 10");
  ask("move 2 8 8 2 -60");
  auto drops = [&] {
    int n = 0;
    for (const std::string& l : ask("moves sita")) n += l.starts_with("11 ");
    return n;
  };
  EXPECT_EQ(drops(), 0);
  EXPECT_EQ(ask("set drops on"), std::vector<std::string>{"ok"});
  EXPECT_GT(drops(), 0);
  EXPECT_EQ(ask("set level 1"), std::vector<std::string>{"ok"});
  for (const char* bad : {"set level 0", "set level 5", "set drops", "set", "set level 12",
                          "set movetime 0", "set movetime", "set nodes -1", "set nodes 1 2",
                          "set level 4 ", "set movetime 3600001", "set movetime 2147483647"})
    EXPECT_EQ(ask(bad).size(), 1u) << bad;
}

TEST_F(Protocol, BadInputIsOneErrorLine) {
  const std::string before = shown();
  for (const char* bad :
       {"", "bogus", "position", "position 1 2 3", "moves", "moves both", "mated", "survey now",
        "show me", "quit now", "perft", "perft 2", "perft x ue", "perft -1 ue", "perft 2 both",
        "perft 2 ue 3", "perft 13 ue", "perft ", "stop now"}) {
    const auto reply = ask(bad);
    ASSERT_EQ(reply.size(), 1u) << bad;
    EXPECT_TRUE(reply[0].starts_with("error ")) << bad;
  }
  EXPECT_EQ(shown(), before);
  std::ostringstream out;
  EXPECT_FALSE(engine.handle("quit", out));
  EXPECT_TRUE(out.str().empty());
}

// A board no game could leave is refused like any bad line, the game kept;
// promoted pieces on the last row and pawns of both sides in a column are fine.
TEST_F(Protocol, PositionsNoGameCouldReachAreRefused) {
  const std::vector<Placed> kings = {{5, 9, -80}, {5, 1, 80}};
  const struct {
    std::vector<Placed> more;
    bool loads;
  } rows[] = {
      {{{1, 1, -10}}, false},
      {{{9, 8, 30}}, false},
      {{{3, 4, -10}, {3, 6, -10}}, false},
      {{{1, 1, -11}, {1, 9, -21}, {9, 9, 21}, {3, 3, 10}, {3, 7, -10}}, true},
  };
  ask("position startpos");
  const std::string start = shown();
  for (const auto& row : rows) {
    std::vector<Placed> pieces = kings;
    pieces.insert(pieces.end(), row.more.begin(), row.more.end());
    const std::string line = entryLine(pieces);
    const auto reply = ask("position " + line);
    if (row.loads) {
      EXPECT_EQ(reply, std::vector<std::string>{"ok"}) << line;
      EXPECT_EQ(shown().substr(0, line.size()), line);
      ask("position startpos");
    } else {
      ASSERT_EQ(reply.size(), 1u) << line;
      EXPECT_TRUE(reply[0].starts_with("error bad position: ")) << reply[0];
      EXPECT_EQ(shown(), start);
    }
  }
}

TEST_F(Protocol, SfenLinesSetUpAndTellThePositionAndTheSideToMove) {
  const std::vector<std::string> ok{"ok"};
  EXPECT_EQ(ask("sfen"),
            (std::vector<std::string>{
                "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", "ok"}));
  ask("move 3 7 3 6 -10");
  EXPECT_EQ(ask("sfen").at(0), "lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2");
  const std::string held = "4k4/9/9/9/9/9/9/9/4K4 w RB2Pgs 31";
  EXPECT_EQ(ask("position sfen " + held), ok);
  EXPECT_EQ(ask("sfen").at(0), held);
  EXPECT_EQ(shown().substr(243, 14), "20000001011010") << "by kind, each lower then upper";
  const std::string before = shown();
  for (const std::string& bad : std::vector<std::string>{
           "position sfen 9/9 b - 1", "position sfen " + held + " 1",
           "position sfen 4k4/9/9/9/9/9/9/9/4K4 x - 1", "position sfen", "sfen now"}) {
    const auto reply = ask(bad);
    ASSERT_EQ(reply.size(), 1u) << bad;
    EXPECT_TRUE(reply[0].starts_with("error ")) << reply[0];
    EXPECT_EQ(shown(), before) << bad;
  }
  EXPECT_TRUE(ask("position sfen 4k4/9/9/9/9/9/9/9/4K4 x - 1")[0].starts_with("error bad sfen: "));
  EXPECT_EQ(ask("sfen").at(0), held);
}

TEST_F(Protocol, ScoresListTheSearchAndEndWithTheBest) {
  ask("position startpos");
  const auto scores = ask("scores");
  ASSERT_GE(scores.size(), 32u) << "30 moves, the best line and ok";
  EXPECT_EQ(scores.back(), "ok");
  const std::string bestLine = scores[scores.size() - 2];
  ASSERT_TRUE(bestLine.starts_with("best "));
  EXPECT_TRUE(scores[0].starts_with("cand "));
  EXPECT_NE(scores[0].find('.'), std::string::npos) << "three decimals";
  EXPECT_EQ(ask("position startpos").size(), 1u);
  EXPECT_EQ(ask("best"), (std::vector<std::string>{bestLine, "ok"}));

  // Only the human's king on the board: nothing to play.
  ask("position " + entryLine({{5, 9, -80}}));
  EXPECT_EQ(ask("best"), (std::vector<std::string>{"best none", "ok"}));
}

// A blast that takes a king ends the game: nothing more to list, play or
// search, and the winner named as the game names it.
TEST_F(Protocol, AKingLostEndsTheGame) {
  const struct {
    std::string line, blast, winner;
  } rows[] = {
      {entryLine({{1, 1, 80}, {1, 2, 50}, {1, 3, -70}, {9, 9, -80}, {7, 7, -10}}),
       "move 1 3 1 2 -70", "winner sita"},
      {entryLine({{1, 1, 80}, {9, 7, 70}, {9, 8, -50}, {9, 9, -80}, {7, 7, -10}}),
       "move 9 7 9 8 70", "winner ue"},
      // Both kings in the block: the lower side is named first.
      {entryLine({{5, 4, 80}, {5, 5, 50}, {4, 6, -50}, {5, 6, -80}, {7, 7, -10}}),
       "move 4 6 5 5 -50", "winner sita"},
  };
  for (const auto& row : rows) {
    ask("position " + row.line);
    EXPECT_EQ(ask("winner"), (std::vector<std::string>{"winner none", "ok"})) << row.blast;
    EXPECT_EQ(ask(row.blast).back(), "ok") << row.blast;
    EXPECT_EQ(ask("winner"), (std::vector<std::string>{row.winner, "ok"})) << row.blast;
    EXPECT_EQ(ask("moves sita"), std::vector<std::string>{"ok"}) << row.blast;
    EXPECT_EQ(ask("moves ue"), std::vector<std::string>{"ok"}) << row.blast;
    EXPECT_EQ(ask("move 7 7 7 6 -10"), std::vector<std::string>{"error game over"}) << row.blast;
    EXPECT_EQ(ask("best"), (std::vector<std::string>{"best none", "ok"})) << row.blast;
  }
  EXPECT_EQ(ask("winner now"), std::vector<std::string>{"error winner takes nothing"});
}

// Move sequences counted from the start and from two middle games of random
// play with captures (pieces in hand); up to depth 3 the counts were checked
// against sequences made one by one with `moves` and `move`.
TEST_F(Protocol, PerftCountsArePinned) {
  const std::string middle[] = {
      " 20  0 10  0  0  0-10  0-20 30  0  0 10  0-10  0-60-30  0 70 10  0  0-10  0-50-40  0 40 10"
      "  0  0-10  0  0  0 80  0 10  0  0  0-10-80  0  0 50  0 10  0  0  0  0  0 40  0 10  0  0-10  "
      "0"
      "-50-40 30 60  0  0 10-10  0-70-30 20  0 10  0  0  0-10-20  001000000100000    0    0    0   "
      " 0",
      "  0 50  0  0 20  0  0  0  0  0  0  0 10  0-10  0-60-30  0  0 10  0  0  0-10-20-40  0 40  0 "
      "10"
      "  0  0-10  0-50 80  0  0 10  0  0-10-70-80  0 50 10  0  0-40-10  0-50 40  0 10  0  0-10  0  "
      "0"
      "  0 30 60  0  0 10  0-10  0-30 20  0 10  0-10  0-20  0  020001000000010    0    0    0    0",
  };
  const struct {
    std::string position;
    const char* drops;
    std::vector<std::string> counts; // depth 1, 2, ...
  } rows[] = {
      {"startpos", "off", {"30", "900", "25470", "720828"}},
      {"startpos", "on", {"30", "900", "25470", "723351"}},
      {middle[0], "on", {"73", "1681", "84479", "2162601"}},
      {middle[0], "off", {"30", "689", "20524", "484847"}},
      {middle[1], "on", {"114", "3387", "297121"}},
      {middle[1], "off", {"28", "834", "23883", "708584"}},
  };
  for (const auto& row : rows) {
    ask("position " + row.position);
    ask(std::string("set drops ") + row.drops);
    for (size_t d = 1; d <= row.counts.size(); ++d)
      EXPECT_EQ(
          ask("perft " + std::to_string(d) + " sita"),
          (std::vector<std::string>{"perft " + std::to_string(d) + " " + row.counts[d - 1], "ok"}))
          << row.position.substr(0, 12) << " drops " << row.drops;
  }
  EXPECT_EQ(ask("perft 0 ue"), (std::vector<std::string>{"perft 0 1", "ok"}));
  ask("position " + entryLine({{5, 9, -80}, {5, 5, -70}}));
  EXPECT_EQ(ask("perft 1 sita"), (std::vector<std::string>{"perft 1 0", "ok"}))
      << "no moves once a king is gone";
}

// The computer plays the upper side; the lower side's move is its move on the
// board turned round (squares, sides, hands and drop columns), turned back.
TEST_F(Protocol, TheLowerSidesBestIsTheUpperSidesOnTheTurnedBoard) {
  const std::vector<Placed> middle = {
      {5, 9, -80}, {4, 9, -50}, {6, 8, -40}, {2, 8, -70}, {1, 7, -10}, {3, 7, -10},
      {5, 7, -10}, {7, 6, -10}, {8, 8, -60}, {4, 1, 80},  {4, 2, 50},  {6, 3, 40},
      {8, 2, 70},  {1, 3, 10},  {4, 4, 10},  {7, 3, 10},  {2, 2, 60},  {9, 1, 20}};
  const struct Row {
    const char* what;
    std::vector<Placed> pieces;
    Hand sita, ue;
    bool drops, dropsBest, wins;
  } rows[] = {
      {"middle game", middle, {0, 2, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, false, false, false},
      {"middle game, drops", middle, {0, 2, 0, 0, 0, 1}, {0, 0, 0, 0, 1}, true, true, false},
      {"a blast takes the king",
       {{5, 9, -80}, {1, 9, -60}, {8, 2, 80}, {7, 3, 50}, {9, 3, 10}, {1, 1, 20}, {6, 1, 70}},
       {},
       {0, 1, 0, 0, 0, 0, 0, 1},
       true,
       false,
       true},
      {"a drop beside the king",
       {{5, 9, -80},
        {4, 8, -50},
        {6, 8, -50},
        {5, 1, 80},
        {4, 1, 40},
        {6, 1, 40},
        {5, 3, 10},
        {2, 2, 70}},
       {0, 0, 0, 0, 2, 0, 0, 1},
       {0, 1},
       true,
       true,
       false},
  };
  auto turnedBack = [](const std::string& best) {
    std::istringstream in(best);
    std::string word, score;
    int fx, fy, tx, ty, code;
    in >> word >> fx >> fy >> tx >> ty >> code >> score;
    const int from[2] = {fx == -1 ? 11 : 10 - fx, fx == -1 ? fy + 2 : 10 - fy};
    return "best " + std::to_string(from[0]) + ' ' + std::to_string(from[1]) + ' ' +
           std::to_string(10 - tx) + ' ' + std::to_string(10 - ty) + ' ' + std::to_string(-code) +
           ' ' + score;
  };
  for (const Row& row : rows) {
    std::vector<Placed> turned;
    for (const Placed& p : row.pieces) turned.push_back({10 - p.x, 10 - p.y, -p.code});
    ask(row.drops ? "set drops on" : "set drops off");
    for (int level = 1; level <= 3; ++level) {
      const std::string what = std::string(row.what) + ", level " + std::to_string(level);
      ask("set level " + std::to_string(level));
      ask("position " + entryLine(turned, row.ue, row.sita));
      const auto upper = ask("best ue");
      ask("position " + entryLine(row.pieces, row.sita, row.ue));
      const auto lower = ask("best sita");
      ASSERT_EQ(lower.size(), 2u) << what;
      EXPECT_EQ(lower[0], turnedBack(upper[0])) << what;
      EXPECT_EQ(lower[0].starts_with("best 11 "), row.dropsBest) << what;
      // Played, it is a legal move of the lower side.
      EXPECT_EQ(ask(lower[0].substr(0, lower[0].rfind(' ')).replace(0, 4, "move")).back(), "ok")
          << what;
      EXPECT_EQ(ask("winner")[0], row.wins ? "winner sita" : "winner none") << what;
    }
  }
}

// Level 4 searches for either side as it stands, says how deep it got, and
// on a node budget answers the same every time.
TEST_F(Protocol, Level4SearchesForEitherSideOnANodeBudget) {
  const std::vector<Placed> blast = {{5, 9, -80}, {1, 9, -60}, {8, 2, 80}, {7, 3, 50},
                                     {9, 3, 10},  {1, 1, 20},  {6, 1, 70}};
  std::vector<Placed> turned;
  for (const Placed& p : blast) turned.push_back({10 - p.x, 10 - p.y, -p.code});
  for (const char* set : {"set level 4", "set nodes 3000", "set drops on"})
    EXPECT_EQ(ask(set), std::vector<std::string>{"ok"}) << set;
  const struct {
    std::string position, side, move;
  } rows[] = {
      {entryLine(blast, {}, {0, 1, 0, 0, 0, 0, 0, 1}), "sita", "1 9 7 3 -60"},
      {entryLine(turned, {0, 1, 0, 0, 0, 0, 0, 1}), "ue", "9 1 3 7 60"},
  };
  for (const auto& row : rows) {
    ask("position " + row.position);
    const auto reply = ask("best " + row.side);
    ASSERT_GE(reply.size(), 3u) << row.side;
    EXPECT_EQ(reply.back(), "ok");
    EXPECT_TRUE(reply[0].starts_with("info depth 1 nodes ")) << reply[0];
    EXPECT_NE(reply[reply.size() - 3].find(" pv " + row.move), std::string::npos)
        << "the last depth's line leads with the move";
    EXPECT_TRUE(reply[reply.size() - 2].starts_with("best " + row.move + " ")) << row.side;
    EXPECT_EQ(ask("best " + row.side), reply) << "nodes, not time";
  }
  // The start: every depth reported, deeper and deeper, within the budget.
  ask("position startpos");
  const auto start = ask("best");
  int depth = 0;
  for (size_t i = 0; i + 2 < start.size(); ++i) {
    std::istringstream in(start[i]);
    std::string info, word;
    int d = 0;
    long nodes = 0;
    in >> info >> word >> d >> word >> nodes;
    EXPECT_EQ(d, ++depth) << start[i];
    EXPECT_LE(nodes, 3000 + 3000) << start[i];
  }
  EXPECT_GE(depth, 3);
  EXPECT_EQ(ask("scores"), std::vector<std::string>{"error scores lists levels 1..3"});
}

TEST_F(Protocol, BenchCoversEveryLevelAndSignsItsChoices) {
  const auto first = ask("bench");
  ASSERT_EQ(first.size(), 5u);
  for (int level = 1; level <= 3; ++level) {
    std::istringstream in(first[level - 1]);
    std::string word;
    int l = 0, positions = 0;
    long candidates = 0;
    in >> word >> l >> word >> positions >> word >> candidates;
    EXPECT_EQ(l, level);
    EXPECT_GE(positions, 50);
    EXPECT_GT(candidates, positions);
  }
  EXPECT_TRUE(first[3].starts_with("signature "));
  EXPECT_EQ(ask("bench")[3], first[3]) << "the same choices every run";
  // Level 4's own: a line a position, the sums, a signature that a node
  // budget makes the same every run.
  ask("set nodes 2000");
  const auto search = ask("bench search");
  ASSERT_EQ(search.size(), 27u);
  EXPECT_TRUE(search[0].starts_with("search position 1 depth "));
  EXPECT_TRUE(search[24].starts_with("search positions 24 nodes "));
  EXPECT_TRUE(search[25].starts_with("search signature "));
  EXPECT_EQ(ask("bench search")[25], search[25]);
}

// The computer's choices over the bench positions, pinned. Any change that
// moves this signature changes what the computer plays. When such a change is
// intended, run `printf 'bench\n' | korvanu-engine`, copy the new signature
// here and say in the commit message why the computer now plays differently.
TEST_F(Protocol, BenchSignatureIsPinned) {
  EXPECT_EQ(ask("bench")[3], "signature 466178493885442446");
}

// Commands run aside while the input is read on: `stop` ends at once every
// `best` and `perft` read before it (on budgets that would run for hours),
// each still answering, and what comes after runs as usual.
TEST(EngineLoopTest, StopEndsWhatRunsAndWhatWaitsBeforeIt) {
  const std::string search[] = {"set level 4", "set drops on", "set movetime 3600000"};
  const struct {
    std::vector<std::string> input;
    std::vector<std::string> replies; // beginnings, the `info` lines left out
  } rows[] = {
      {{"best", "stop"}, {"best ", "ok", "ok"}},
      {{"set nodes 2147483647", "best sita", "stop"}, {"ok", "best ", "ok", "ok"}},
      {{"perft 12 sita", "stop"}, {"error perft stopped", "ok"}},
      {{"best", "perft 12 ue", "show", "stop", "set nodes 300", "best"},
       {"best ", "ok", "error perft stopped", " ", "ok", "ok", "ok", "best ", "ok"}},
      {{"stop", "perft 1 ue"}, {"ok", "perft 1 30", "ok"}},
      // Nothing is read after `quit`.
      {{"perft 12 sita", "stop", "quit", "show"}, {"error perft stopped", "ok"}},
  };
  for (const auto& row : rows) {
    std::ostringstream out;
    {
      EngineLoop loop(out);
      for (const std::string& line : search) loop.feed(line);
      for (const std::string& line : row.input)
        if (!loop.feed(line)) break;
    }
    std::vector<std::string> replies;
    int infos = 0;
    for (const std::string& l : lines(out.str())) {
      if (l.starts_with("info depth "))
        ++infos;
      else
        replies.push_back(l);
    }
    const std::string what = row.input[0] + " ... " + row.input.back();
    ASSERT_EQ(replies.size(), row.replies.size() + 3) << what << '\n' << out.str();
    for (size_t i = 0; i < row.replies.size(); ++i)
      EXPECT_TRUE(replies[i + 3].starts_with(row.replies[i])) << what << ": " << replies[i + 3];
    EXPECT_EQ(infos > 0, row.input[0] != "perft 12 sita" && row.input[0] != "stop") << what;
  }
}

// Seeded games played move by move through the protocol: after every move,
// `best` answers as it does for the same position set up from its entry line,
// whatever the earlier commands left behind.
TEST(EngineGames, BestAfterMoveEqualsBestAfterTheSamePosition) {
  for (unsigned seed = 0; seed < 100; ++seed) {
    Engine played, setUp;
    std::mt19937 rng(seed);
    const std::string drops = seed % 2 ? "set drops on" : "set drops off";
    ask(played, drops);
    ask(setUp, drops);
    for (int ply = 0; ply < 100; ++ply) {
      auto moves = ask(played, ply % 2 ? "moves ue" : "moves sita");
      moves.pop_back();
      if (moves.empty()) break;
      std::istringstream in(moves[rng() % moves.size()]);
      int fx, fy, tx, ty, code, mayPromote, mustPromote;
      in >> fx >> fy >> tx >> ty >> code >> mayPromote >> mustPromote;
      if (mustPromote || (mayPromote && rng() % 2)) code = promotedOf(code);
      const std::string move = "move " + std::to_string(fx) + ' ' + std::to_string(fy) + ' ' +
                               std::to_string(tx) + ' ' + std::to_string(ty) + ' ' +
                               std::to_string(code);
      ASSERT_EQ(ask(played, move).back(), "ok") << move;
      ask(setUp, "position " + ask(played, "show").at(0));
      ASSERT_EQ(ask(played, "best"), ask(setUp, "best")) << "seed " << seed << " ply " << ply;
    }
  }
}

// The real program, fed through a pipe.
TEST(EngineProcess, AnswersAScriptAndEndsAtTheEndOfInput) {
  const std::string script = ::testing::TempDir() + "engine_script.txt";
  std::ofstream(script) << "position startpos\r\nmoves sita\nmove 7 7 7 6 -10\nbogus\nmated ue";
  FILE* pipe = popen((std::string(KORVANU_ENGINE) + " < " + script).c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buf[4096];
  for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, n);
  EXPECT_EQ(pclose(pipe), 0);
  const auto out = lines(output);
  ASSERT_EQ(out.size(), 1u + 31u + 2u + 1u + 2u);
  EXPECT_EQ(out[0], "ok");
  EXPECT_EQ(out[32], "exploded 0");
  EXPECT_EQ(out[34], "error unknown command");
  EXPECT_EQ(out.back(), "ok");
}

} // namespace
} // namespace korvanu
