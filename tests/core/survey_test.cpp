#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <random>
#include <tuple>
#include <vector>

#include "computer/survey.h"
#include "position.h"
#include "rules_oracle.h"
#include "state/game.h"

namespace korvanu {
namespace {

using Map = int[10][10];
constexpr Map Game::*MAPS[] = {
    &Game::INFLUENCE_SITA,  &Game::INFLUENCE_UE,  &Game::DEFENDER_SITA, &Game::DEFENDER_UE,
    &Game::DEFENDER_UE_X,   &Game::DEFENDER_UE_Y, &Game::ATTACKER_SITA, &Game::ATTACKER_SITA_X,
    &Game::ATTACKER_SITA_Y, &Game::ATTACKER_UE,   &Game::ATTACKER_UE_X, &Game::ATTACKER_UE_Y,
    &Game::CHECK_BY_SITA,   &Game::CHECK_BY_UE};

bool sameMaps(const Game& a, const Game& b, bool withUeSquares = true) {
  for (auto map : MAPS) {
    const bool ueSquare = map == &Game::DEFENDER_UE_X || map == &Game::DEFENDER_UE_Y ||
                          map == &Game::ATTACKER_UE_X || map == &Game::ATTACKER_UE_Y;
    if ((withUeSquares || !ueSquare) && !testing::sameBoard(a.*map, b.*map)) return false;
  }
  return true;
}

using testing::on;
using testing::place;

// A recorded square as one number: column * 10 + row.
int at(const Map& xs, const Map& ys, int x, int y) { return xs[x][y] * 10 + ys[x][y]; }

void fill(Map& m, int v) {
  for (auto& column : m) std::fill(std::begin(column), std::end(column), v);
}

int countSquares(const Map& m, int v) {
  int n = 0;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) n += m[x][y] == v;
  return n;
}

// Random codes, a few of them no piece at all, on a random share of the squares.
void randomBoard(Game& g, std::mt19937& rng) {
  static constexpr int CODES[] = {CODE_UE_HU,
                                  CODE_UE_HU_NARI,
                                  CODE_UE_KYOU,
                                  CODE_UE_KYOU_NARI,
                                  CODE_UE_KEI,
                                  CODE_UE_KEI_NARI,
                                  CODE_UE_GIN,
                                  CODE_UE_GIN_NARI,
                                  CODE_UE_KIN,
                                  CODE_UE_KAKU,
                                  CODE_UE_KAKU_NARI,
                                  CODE_UE_SYA,
                                  CODE_UE_SYA_NARI,
                                  CODE_UE_OU,
                                  51,
                                  12};
  std::uniform_int_distribution<int> pick(0, std::size(CODES) - 1), percent(0, 99);
  const int density = percent(rng) / 2 + 10;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int side = percent(rng) < 50 ? 1 : -1;
      g.BOARD[x][y] = percent(rng) < density ? side * CODES[pick(rng)] : EMPTY;
    }
}

// Counts the reach of each side (each piece's steps from the rules oracle), and marks the pieces
// that reach the opposing king.
void bruteForce(const Game& g, Map& sita, Map& ue, Map& checking) {
  std::memset(sita, 0, sizeof(Map));
  std::memset(ue, 0, sizeof(Map));
  std::memset(checking, 0, sizeof(Map));
  auto on = [](int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; };
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) {
      const int c = g.BOARD[x][y];
      const int side = c < 0 ? -1 : 1;
      Map& count = c < 0 ? sita : ue;
      for (const oracle::Step& m : oracle::steps(oracle::pieceOf(c))) {
        int tx = x + m.dx, ty = y - side * m.dy;
        for (; on(tx, ty); tx += m.dx, ty -= side * m.dy) {
          ++count[tx][ty];
          const int b = g.BOARD[tx][ty];
          if (b == CODE_SITA_OU * side && c != CODE_UE_OU * side) checking[x][y] = 9;
          if (!m.slides || (b != EMPTY && b != CODE_SITA_OU * side)) break;
        }
      }
    }
}

class Survey : public ::testing::Test {
protected:
  Game g;
};

TEST_F(Survey, StartingPosition) {
  testing::startingGame(g);
  勢力調査(g);
  EXPECT_EQ(countSquares(g.CHECK_BY_SITA, 0) + countSquares(g.CHECK_BY_UE, 0), 162);
  EXPECT_EQ(countSquares(g.ATTACKER_SITA, -999), 81);
  EXPECT_EQ(countSquares(g.ATTACKER_UE, 999), 81);
  EXPECT_EQ(g.OU_SITA_X * 10 + g.OU_SITA_Y, 59);
  EXPECT_EQ(g.OU_UE_X * 10 + g.OU_UE_Y, 51);
  for (int x = 1; x <= 9; ++x) {
    EXPECT_EQ(g.INFLUENCE_SITA[x][6], 1) << x;
    EXPECT_EQ(g.INFLUENCE_UE[x][4], 1) << x;
    EXPECT_EQ(g.INFLUENCE_SITA[x][5] + g.INFLUENCE_UE[x][5], 0) << x;
  }
  // The two camps are the same position turned half round.
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) EXPECT_EQ(g.INFLUENCE_SITA[x][y], g.INFLUENCE_UE[10 - x][10 - y]);
  EXPECT_EQ(g.INFLUENCE_SITA[1][7], 3); // lance, knight and bishop
  EXPECT_EQ(g.DEFENDER_SITA[1][7], CODE_SITA_KAKU);
  EXPECT_EQ(g.DEFENDER_UE[3][3], CODE_UE_KEI);
  EXPECT_EQ(g.DEFENDER_UE[5][1], CODE_UE_KIN);
  EXPECT_EQ(g.INFLUENCE_UE[5][1], 2);
}

TEST_F(Survey, RandomBoardsMatchPlainCountsAndChecks) {
  std::mt19937 rng(20240611);
  Map sita, ue, checking;
  for (int board = 0; board < 400; ++board) {
    randomBoard(g, rng);
    勢力調査(g);
    bruteForce(g, sita, ue, checking);
    for (int x = 1; x <= 9; ++x)
      for (int y = 1; y <= 9; ++y) {
        SCOPED_TRACE(::testing::Message() << "board " << board << " square " << x << y);
        ASSERT_EQ(g.INFLUENCE_SITA[x][y], sita[x][y]);
        ASSERT_EQ(g.INFLUENCE_UE[x][y], ue[x][y]);
        const int c = g.BOARD[x][y];
        const Map& ownChecks = c < 0 ? g.CHECK_BY_SITA : g.CHECK_BY_UE;
        if (c != EMPTY) {
          ASSERT_EQ(ownChecks[x][y], checking[x][y]);
        } else {
          ASSERT_EQ(std::tie(g.DEFENDER_SITA[x][y], g.DEFENDER_UE[x][y], g.ATTACKER_SITA[x][y],
                             g.ATTACKER_UE[x][y]),
                    std::make_tuple(999, 999, -999, 999));
        }
        bool besideLowerKing = false;
        for (int dx = -1; dx <= 1; ++dx)
          for (int dy = -1; dy <= 1; ++dy)
            besideLowerKing |= (dx || dy) && x + dx >= 1 && x + dx <= 9 && y + dy >= 1 &&
                               y + dy <= 9 && g.BOARD[x + dx][y + dy] == CODE_SITA_OU;
        ASSERT_EQ(g.DEFENDER_SITA[x][y] == CODE_SITA_OU, c < 0 && besideLowerKing);
      }
  }
}

TEST_F(Survey, SecondSurveyForgetsTheFirstExceptUeSquares) {
  std::mt19937 rng(7);
  for (int i = 0; i < 50; ++i) {
    randomBoard(g, rng);
    勢力調査(g);
    Game fresh;
    randomBoard(fresh, rng);
    std::memcpy(g.BOARD, fresh.BOARD, sizeof g.BOARD);
    勢力調査(g);
    勢力調査(fresh);
    ASSERT_TRUE(sameMaps(g, fresh, false)) << i;
  }
}

TEST_F(Survey, SlidersCheckThroughTheKingAndRunOn) {
  place(g, {on(5, 5, CODE_SITA_SYA), on(5, 2, CODE_UE_OU)}); // SITA rook below the UE king
  勢力調査(g);
  EXPECT_EQ(g.CHECK_BY_SITA[5][5], 9);
  EXPECT_EQ(g.CHECK_BY_SITA[5][4] + g.CHECK_BY_SITA[5][3], 2);
  EXPECT_EQ(countSquares(g.CHECK_BY_SITA, 0), 78);
  EXPECT_EQ(g.ATTACKER_SITA[5][2], CODE_SITA_SYA);
  EXPECT_EQ(at(g.ATTACKER_SITA_X, g.ATTACKER_SITA_Y, 5, 2), 55);
  EXPECT_EQ(g.INFLUENCE_SITA[5][1], 1);

  Game h;
  place(h, {on(5, 2, CODE_UE_SYA), on(5, 6, CODE_SITA_OU)}); // UE rook above the SITA king
  勢力調査(h);
  EXPECT_EQ(h.CHECK_BY_UE[5][2], 9);
  for (int y = 3; y <= 5; ++y) EXPECT_EQ(h.CHECK_BY_UE[5][y], 1) << y;
  EXPECT_EQ(countSquares(h.CHECK_BY_UE, 0), 77);
  for (int y = 3; y <= 9; ++y) EXPECT_EQ(h.INFLUENCE_UE[5][y], 1) << y;
  EXPECT_EQ(h.ATTACKER_UE[5][6], CODE_UE_SYA);
  EXPECT_EQ(at(h.ATTACKER_UE_X, h.ATTACKER_UE_Y, 5, 6), 52);

  Game k; // behind the king the line stops at the next piece
  place(k, {on(5, 9, CODE_SITA_KYOU), on(5, 5, CODE_UE_OU), on(5, 3, CODE_UE_HU)});
  勢力調査(k);
  EXPECT_EQ(k.INFLUENCE_SITA[5][4] + k.INFLUENCE_SITA[5][3], 2);
  EXPECT_EQ(k.INFLUENCE_SITA[5][2], 0);
  EXPECT_EQ(k.ATTACKER_SITA[5][3], CODE_SITA_KYOU);
  EXPECT_EQ(at(k.ATTACKER_SITA_X, k.ATTACKER_SITA_Y, 5, 3), 59);
  EXPECT_EQ(k.CHECK_BY_SITA[5][4], 0);
  EXPECT_EQ(k.CHECK_BY_SITA[5][6], 1);
}

TEST_F(Survey, LinesFromTheEdgeExamineNothing) {
  testing::startingGame(g);
  勢力調査(g);
  Game before;
  for (auto map : MAPS) std::memcpy(before.*map, g.*map, sizeof(Map));
  勢力確定上直進(g, CODE_SITA_SYA, 4, 1);
  勢力確定下直進(g, CODE_UE_SYA, 4, 9);
  勢力確定右直進(g, CODE_SITA_SYA, 9, 5);
  勢力確定左直進(g, CODE_UE_SYA, 1, 5);
  EXPECT_TRUE(sameMaps(g, before));
}

TEST_F(Survey, UeKindsKeepOnlyWhatTheirRowSays) {
  for (auto map :
       {&Game::ATTACKER_UE_X, &Game::ATTACKER_UE_Y, &Game::DEFENDER_UE_X, &Game::DEFENDER_UE_Y})
    fill(g.*map, 77);
  place(g, {// pawn onto a SITA piece
            on(2, 2, CODE_UE_HU), on(2, 3, CODE_SITA_GIN),
            // pawn behind a UE piece
            on(9, 1, CODE_UE_HU), on(9, 2, CODE_UE_KIN),
            // knight onto a SITA and a UE piece
            on(6, 1, CODE_UE_KEI), on(5, 3, CODE_SITA_KIN), on(7, 3, CODE_UE_KYOU),
            // silver onto a SITA piece
            on(8, 5, CODE_UE_GIN), on(8, 6, CODE_SITA_HU)});
  勢力調査(g);
  EXPECT_EQ(g.ATTACKER_UE[2][3], CODE_UE_HU);
  EXPECT_EQ(g.ATTACKER_UE_X[2][3], 77);
  EXPECT_EQ(g.DEFENDER_UE[9][2], CODE_UE_HU);
  EXPECT_EQ(g.DEFENDER_UE_Y[9][2], 77);
  EXPECT_EQ(g.INFLUENCE_UE[5][3], 1);
  EXPECT_EQ(g.ATTACKER_UE[5][3], 999);
  EXPECT_EQ(g.DEFENDER_UE[7][3], CODE_UE_KEI);
  EXPECT_EQ(at(g.DEFENDER_UE_X, g.DEFENDER_UE_Y, 7, 3), 61);
  EXPECT_EQ(g.INFLUENCE_UE[8][6], 1);
  EXPECT_EQ(g.ATTACKER_UE[8][6], 999);
  EXPECT_EQ(g.ATTACKER_UE_Y[8][6], 77);
}

TEST_F(Survey, PromotedPiecesRecordStepsAndLinesApart) {
  place(g, {// a step and a diagonal's end
            on(3, 3, CODE_SITA_KAKU_NARI), on(3, 2, CODE_UE_HU), on(1, 1, CODE_UE_KYOU),
            // the same for UE
            on(7, 7, CODE_UE_KAKU_NARI), on(7, 8, CODE_SITA_HU), on(7, 6, CODE_UE_HU),
            on(9, 9, CODE_SITA_KYOU),
            // checked by a step
            on(6, 7, CODE_SITA_OU),
            // UE dragon: line to (1,1), two diagonal steps
            on(1, 5, CODE_UE_SYA_NARI), on(2, 6, CODE_SITA_HU), on(2, 4, CODE_SITA_OU)});
  勢力調査(g);
  EXPECT_EQ(g.ATTACKER_SITA[3][2], CODE_SITA_KAKU_NARI);
  EXPECT_EQ(g.ATTACKER_SITA[1][1], CODE_SITA_KAKU);
  EXPECT_EQ(at(g.ATTACKER_SITA_X, g.ATTACKER_SITA_Y, 1, 1), 33);
  EXPECT_EQ(g.INFLUENCE_UE[7][8], 1);
  EXPECT_EQ(g.ATTACKER_UE[7][8], 999);
  EXPECT_EQ(g.DEFENDER_UE[7][6], 999);
  EXPECT_EQ(g.ATTACKER_UE[9][9], CODE_UE_KAKU_NARI);
  EXPECT_EQ(at(g.ATTACKER_UE_X, g.ATTACKER_UE_Y, 9, 9), 77);
  EXPECT_EQ(g.CHECK_BY_UE[7][7], 9);
  EXPECT_EQ(g.ATTACKER_UE[6][7], 999);
  EXPECT_EQ(g.DEFENDER_UE[1][1], CODE_UE_SYA_NARI);
  EXPECT_EQ(at(g.DEFENDER_UE_X, g.DEFENDER_UE_Y, 1, 1), 15);
  EXPECT_EQ(g.ATTACKER_UE[2][6], CODE_UE_SYA_NARI);
  EXPECT_EQ(at(g.ATTACKER_UE_X, g.ATTACKER_UE_Y, 2, 6), 15);
  EXPECT_EQ(g.CHECK_BY_UE[1][5], 9);
}

TEST_F(Survey, FirstScannedOfEqualRecordsKeepsTheSquare) {
  place(g, {// the upper silver is scanned second
            on(5, 5, CODE_UE_KEI), on(6, 4, CODE_SITA_GIN), on(4, 6, CODE_SITA_GIN),
            // same column: the upper one first
            on(2, 2, CODE_UE_KEI), on(1, 3, CODE_SITA_GIN), on(1, 1, CODE_SITA_GIN),
            // a cheaper attacker scanned later wins
            on(8, 5, CODE_UE_KEI), on(7, 6, CODE_SITA_GIN), on(8, 6, CODE_SITA_HU),
            // UE defenders
            on(5, 8, CODE_UE_HU), on(4, 7, CODE_UE_GIN), on(6, 9, CODE_UE_GIN),
            // UE attackers
            on(9, 1, CODE_SITA_HU), on(9, 3, CODE_UE_SYA), on(7, 1, CODE_UE_SYA)});
  勢力調査(g);
  EXPECT_EQ(at(g.ATTACKER_SITA_X, g.ATTACKER_SITA_Y, 5, 5), 46);
  EXPECT_EQ(at(g.ATTACKER_SITA_X, g.ATTACKER_SITA_Y, 2, 2), 11);
  EXPECT_EQ(g.ATTACKER_SITA[8][5], CODE_SITA_HU);
  EXPECT_EQ(at(g.ATTACKER_SITA_X, g.ATTACKER_SITA_Y, 8, 5), 86);
  EXPECT_EQ(g.DEFENDER_UE[5][8], CODE_UE_GIN);
  EXPECT_EQ(at(g.DEFENDER_UE_X, g.DEFENDER_UE_Y, 5, 8), 47);
  EXPECT_EQ(at(g.ATTACKER_UE_X, g.ATTACKER_UE_Y, 9, 1), 71);
}

TEST_F(Survey, CheckMarksOfStepsAndKings) {
  place(g, {// UE knight and gold on the SITA king
            on(4, 7, CODE_UE_KEI), on(5, 9, CODE_SITA_OU), on(6, 8, CODE_UE_KIN),
            // UE king: pawn first, then a silver and a SITA knight
            on(5, 5, CODE_UE_OU), on(5, 6, CODE_SITA_HU), on(6, 6, CODE_SITA_GIN),
            on(6, 7, CODE_SITA_KEI)});
  g.OU_UE_X = 3;
  勢力調査(g);
  EXPECT_EQ(g.CHECK_BY_UE[4][7] + g.CHECK_BY_UE[5][9] + g.CHECK_BY_UE[6][8], 27);
  EXPECT_EQ(g.ATTACKER_UE[5][9], 999);
  EXPECT_EQ(g.CHECK_BY_SITA[5][6] + g.CHECK_BY_SITA[6][6], 18);
  EXPECT_EQ(g.CHECK_BY_SITA[6][7] + g.CHECK_BY_SITA[5][5], 18);
  EXPECT_EQ(g.ATTACKER_SITA[5][5], CODE_SITA_HU);
  EXPECT_EQ(countSquares(g.CHECK_BY_SITA, 9) + countSquares(g.CHECK_BY_UE, 9), 7);
  EXPECT_EQ(g.OU_UE_X * 10 + g.OU_UE_Y, 55);
  EXPECT_EQ(g.OU_SITA_X * 10 + g.OU_SITA_Y, 59);
  EXPECT_EQ(g.DEFENDER_SITA[5][9], 999);

  place(g,
        {on(5, 5, EMPTY), on(5, 4, CODE_SITA_SYA)}); // no UE king: its square stays, nothing checks
  勢力調査(g);
  EXPECT_EQ(g.OU_UE_X * 10 + g.OU_UE_Y, 55);
  EXPECT_EQ(countSquares(g.CHECK_BY_SITA, 0), 81);

  Game kings; // kings side by side neither check nor, for UE, attack
  place(kings, {on(5, 5, CODE_UE_OU), on(5, 6, CODE_SITA_OU), on(4, 5, CODE_SITA_HU)});
  勢力調査(kings);
  EXPECT_EQ(countSquares(kings.CHECK_BY_SITA, 0) + countSquares(kings.CHECK_BY_UE, 0), 162);
  EXPECT_EQ(kings.ATTACKER_UE[4][5], 999);
  EXPECT_EQ(kings.ATTACKER_SITA[5][5], CODE_SITA_OU);
}

TEST_F(Survey, GoldsRecordFiftyForUeAndTheirCodeForSita) {
  fill(g.DEFENDER_UE_X, 77);
  勢力確定敵金(g, 5, 5); // nothing on the board yet: only influence
  EXPECT_EQ(countSquares(g.INFLUENCE_UE, 1), 6);
  EXPECT_EQ(g.INFLUENCE_UE[4][4] + g.INFLUENCE_UE[6][4], 0);
  place(g, {// UE promoted pawn behind a pawn
            on(5, 5, CODE_UE_HU_NARI), on(5, 4, CODE_UE_HU),
            // SITA king beside both SITA pieces
            on(3, 3, CODE_SITA_HU_NARI), on(4, 2, CODE_SITA_KYOU), on(4, 3, CODE_SITA_OU)});
  勢力調査(g);
  EXPECT_EQ(g.DEFENDER_UE[5][4], CODE_UE_KIN);
  EXPECT_EQ(g.DEFENDER_UE_X[5][4], 77);
  EXPECT_EQ(g.DEFENDER_SITA[4][2] + g.DEFENDER_SITA[3][3], 2 * CODE_SITA_OU);
  place(g, {on(4, 3, EMPTY)});
  勢力調査(g);
  EXPECT_EQ(g.DEFENDER_SITA[4][2], CODE_SITA_HU_NARI);
}

} // namespace
} // namespace korvanu
