#include <gtest/gtest.h>

#include "computer/survey.h"
#include "play/game_end.h"
#include "position.h"
#include "rules/mate.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;

int lowerMated(EmptyGame& p) {
  勢力調査(p.g);
  return 詰めかMAN(p.g);
}

// The lower king on (5, 9) walled in by its own pieces that cannot reach
// row 7 or column 5 above it: pawns on (4, 8), (6, 8), lances behind them.
struct WalledKing : EmptyGame {
  explicit WalledKing(std::initializer_list<testing::Placed> attackers)
      : EmptyGame({on(5, 9, CODE_SITA_OU), on(4, 8, CODE_SITA_HU), on(6, 8, CODE_SITA_HU),
                   on(4, 9, CODE_SITA_KYOU), on(6, 9, CODE_SITA_KYOU), on(5, 1, CODE_UE_OU)}) {
    for (const auto& a : attackers) g.BOARD[a.x][a.y] = a.code;
  }
};

TEST(Mate, AKingThatIsNotAttackedIsNeverMated) {
  WalledKing p({});
  p.g.BOARD[5][8] = CODE_SITA_KIN;
  EXPECT_EQ(lowerMated(p), OFF);
}

TEST(Mate, KnightCheckCannotBeBlockedOnlyTakenOrEscaped) {
  // Knights and silvers round the king cannot reach the checking knight.
  for (int onFourEight : {CODE_SITA_KEI, CODE_SITA_KIN}) {
    EmptyGame p({on(5, 9, CODE_SITA_OU), on(4, 8, onFourEight), on(5, 8, CODE_SITA_KEI),
                 on(6, 8, CODE_SITA_KEI), on(4, 9, CODE_SITA_GIN), on(6, 9, CODE_SITA_GIN),
                 on(4, 7, CODE_UE_KEI), on(5, 1, CODE_UE_OU)});
    p.hand(KIN, 1);
    // A gold in hand is no help against a knight; a gold on (4, 8) takes it.
    EXPECT_EQ(lowerMated(p), onFourEight == CODE_SITA_KEI ? ON : OFF);
  }
}

TEST(Mate, RookCheckFromAfarIsBlockedByADrop) {
  WalledKing gold({on(5, 6, CODE_UE_SYA)});
  EXPECT_EQ(lowerMated(gold), ON) << "nothing in hand, nowhere to go";
  gold.hand(KIN, 1);
  EXPECT_EQ(lowerMated(gold), OFF);

  // Only pawns in hand, and column 5 already holds one of the king's pawns.
  WalledKing pawns({on(5, 6, CODE_UE_SYA), on(5, 3, CODE_SITA_HU)});
  pawns.hand(HU, 2);
  EXPECT_EQ(lowerMated(pawns), ON);
  pawns.g.BOARD[5][3] = CODE_SITA_HU_NARI;
  EXPECT_EQ(lowerMated(pawns), OFF) << "a promoted pawn does not bar the drop";
}

TEST(Mate, TheSquareBehindTheKingOnTheCheckingLineIsNoEscape) {
  EmptyGame p({on(5, 7, CODE_SITA_OU), on(5, 5, CODE_UE_SYA), on(5, 1, CODE_UE_OU),
               on(4, 6, CODE_SITA_HU), on(6, 6, CODE_SITA_HU), on(4, 7, CODE_SITA_KYOU),
               on(6, 7, CODE_SITA_KYOU), on(4, 8, CODE_SITA_KYOU), on(6, 8, CODE_SITA_KYOU)});
  EXPECT_EQ(lowerMated(p), ON) << "(5, 8) is reached through the king";
  p.g.BOARD[6][8] = EMPTY;
  EXPECT_EQ(lowerMated(p), OFF) << "(6, 8) is free";
}

TEST(Mate, DoubleCheckDefeatsASingleInterposition) {
  WalledKing p({on(5, 6, CODE_UE_SYA), on(8, 6, CODE_UE_KAKU)});
  p.g.BOARD[6][8] = EMPTY; // now a square between the bishop and the king
  p.hand(KIN, 1);
  EXPECT_EQ(lowerMated(p), ON);
  p.g.BOARD[8][6] = EMPTY;
  p.g.BOARD[6][8] = CODE_SITA_HU;
  EXPECT_EQ(lowerMated(p), OFF) << "with the rook alone the gold can be dropped between";
}

TEST(Mate, TheUpperKingIsJudgedTheSameWayWithAFreshSurveyPerDefence) {
  EmptyGame p({on(5, 1, CODE_UE_OU), on(5, 4, CODE_SITA_SYA), on(4, 2, CODE_UE_HU),
               on(6, 2, CODE_UE_HU), on(4, 1, CODE_UE_KYOU), on(6, 1, CODE_UE_KYOU),
               on(5, 9, CODE_SITA_OU)});
  勢力調査(p.g);
  EXPECT_EQ(詰めかCOM(p.g), ON);
  p.g.BOARD[4][1] = CODE_UE_KIN; // can step to (5, 2) between rook and king
  勢力調査(p.g);
  EXPECT_EQ(詰めかCOM(p.g), OFF);
  EXPECT_EQ(p.g.BOARD[4][1], CODE_UE_KIN) << "trial moves are taken back";
  EXPECT_EQ(p.g.BOARD[5][2], EMPTY);
}

TEST(Mate, EscapeSquaresAndAttacksOnTheKingSquare) {
  EmptyGame corner({on(1, 9, CODE_SITA_OU), on(9, 1, CODE_UE_OU)});
  勢力調査(corner.g);
  EXPECT_EQ(調査_自王逃道(corner.g), 3);
  EXPECT_EQ(corner.g.ESCAPE_MAP[2][8], 1);

  EmptyGame p(
      {on(5, 9, CODE_SITA_OU), on(4, 8, CODE_UE_GIN), on(6, 7, CODE_UE_KIN), on(9, 1, CODE_UE_OU)});
  勢力調査(p.g);
  // (4, 8) holds an enemy piece, which does not count; all but (6, 9) are attacked.
  EXPECT_EQ(調査_自王逃道(p.g), 1);
  EXPECT_EQ(p.g.ESCAPE_MAP[6][9], 1);
  EXPECT_EQ(p.g.ESCAPE_MAP[4][8], 0);
  EXPECT_EQ(詰めかMAN_COM移動(p.g), ON) << "the silver can take the king";
}

TEST(GameEnd, AnotherGameOrTheEnd) {
  EmptyGame p({on(5, 5, CODE_UE_OU)});
  p.ui.answers = {Answer::Yes};
  終了(p.g, "あなた");
  ASSERT_EQ(p.ui.messages.size(), 2u);
  EXPECT_EQ(p.ui.messages[0].text, "あなたの勝ちです");
  EXPECT_EQ(p.ui.messages[0].title, "終了");
  EXPECT_EQ(p.ui.messages[1].text, "続けますか？");
  EXPECT_EQ(p.ui.messages[1].title, "再ゲーム");
  EXPECT_EQ(p.ui.messages[1].buttons, Buttons::YesNo);
  EXPECT_EQ(p.g.BOARD[5][5], EMPTY) << "a new game was set up";
  EXPECT_EQ(p.g.BOARD[5][1], CODE_UE_OU);
  EXPECT_FALSE(p.ui.quitRequested);

  EmptyGame q;
  q.ui.answers = {Answer::No};
  終了(q.g, "後手");
  EXPECT_EQ(q.ui.messages[0].text, "後手の勝ちです");
  EXPECT_TRUE(q.ui.quitRequested);
}

} // namespace
} // namespace korvanu
