#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "computer/com_turn.h"
#include "computer/evaluate.h"
#include "computer/survey.h"
#include "play/setup.h"
#include "play/turn.h"
#include "position.h"
#include "rules/legality.h"
#include "rules/record.h"
#include "scripted_game.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;
using testing::place;

void collect(void* context, const ComMove& m) {
  static_cast<std::vector<ComMove>*>(context)->push_back(m);
}

struct Searched {
  bool found;
  ComMove best;
  std::vector<ComMove> candidates;
};

Searched search(Game& g) {
  Searched s;
  prepareComTurn(g);
  s.found =
      searchComMove(g, isChecked(g, Menu::MOCHIKOMA), s.best, {collect, nullptr, &s.candidates});
  return s;
}

const ComMove* find(const Searched& s, int fx, int fy, int tx, int ty) {
  for (const ComMove& m : s.candidates)
    if (m.fx == fx && m.fy == fy && m.tx == tx && m.ty == ty) return &m;
  return nullptr;
}

// Scores the position on the board as the candidate the computer just made.
double evaluateAsPlayed(Game& g, int captured, int piece, int fx, int fy, int tx, int ty) {
  勢力調査(g);
  return 盤評価(g, captured, piece, fx, fy, tx, ty);
}

TEST(Evaluation, ReservedScores) {
  // Taking the human's king wins outright, even when the blast takes the computer's own king.
  EmptyGame take({on(5, 5, CODE_SITA_OU), on(5, 4, CODE_UE_KIN), on(6, 4, CODE_UE_OU),
                  on(1, 9, CODE_SITA_KIN)});
  const Searched s = search(take.g);
  ASSERT_TRUE(s.found);
  EXPECT_EQ(s.best.score, SCORE_TAKES_KING);
  EXPECT_EQ(s.best.tx, 5);
  EXPECT_EQ(s.best.ty, 5);
  EXPECT_EQ(s.candidates.back().score, SCORE_TAKES_KING) << "the search stops at once";
  EXPECT_EQ(find(s, 6, 4, 7, 4), nullptr) << "the king's moves come later and are never tried";

  // A pinned gold that steps aside leaves the king attacked: every level says no.
  for (int level = 1; level <= 3; ++level) {
    EmptyGame pin({on(5, 1, CODE_UE_OU), on(5, 2, CODE_UE_KIN), on(5, 5, CODE_SITA_SYA),
                   on(9, 9, CODE_SITA_OU)});
    pin.g.COM_LEVEL = level;
    const Searched p = search(pin.g);
    ASSERT_NE(find(p, 5, 2, 4, 2), nullptr);
    EXPECT_EQ(find(p, 5, 2, 4, 2)->score, SCORE_LOSES) << "level " << level;
    EXPECT_GT(find(p, 5, 2, 5, 3)->score, SCORE_LOSES) << "staying on the line is fine";
  }

  // The king never captures, nor does anything next to it (levels 2 and 3).
  EmptyGame king({on(5, 1, CODE_UE_OU), on(4, 2, CODE_SITA_HU), on(6, 1, CODE_UE_KIN),
                  on(6, 2, CODE_SITA_HU), on(7, 2, CODE_SITA_HU), on(9, 9, CODE_SITA_OU)});
  king.g.COM_LEVEL = 2;
  const Searched k = search(king.g);
  EXPECT_EQ(find(k, 5, 1, 4, 2)->score, SCORE_LOSES);
  EXPECT_EQ(find(k, 6, 1, 6, 2)->score, SCORE_LOSES) << "the blast would reach the king";
  EXPECT_GT(find(k, 6, 1, 7, 2)->score, SCORE_LOSES) << "(7, 2) is not next to the king";
}

TEST(Evaluation, ChecksMatesAndThePawnMate) {
  // A piece checking from next to the king wins, protected or not.
  EmptyGame adjacent({on(5, 9, CODE_SITA_OU), on(5, 8, CODE_UE_KIN), on(9, 1, CODE_UE_OU)});
  EXPECT_EQ(evaluateAsPlayed(adjacent.g, EMPTY, CODE_UE_KIN, -1, KIN, 5, 8), SCORE_WINS);

  // The lower king in the corner, mated by a rook down the file with the
  // flight squares covered. The last move was a pawn step far away.
  EmptyGame mate({on(1, 9, CODE_SITA_OU), on(1, 5, CODE_UE_SYA), on(3, 7, CODE_UE_KIN),
                  on(3, 8, CODE_UE_GIN), on(7, 5, CODE_UE_HU), on(9, 1, CODE_UE_OU)});
  mate.g.MOVING_PIECE = CODE_UE_HU;
  EXPECT_EQ(evaluateAsPlayed(mate.g, EMPTY, CODE_UE_HU, 7, 4, 7, 5), SCORE_LOSES)
      << "mate given by an unpromoted pawn is forbidden";
  mate.g.BOARD[7][5] = CODE_UE_HU_NARI;
  EXPECT_EQ(evaluateAsPlayed(mate.g, EMPTY, CODE_UE_HU_NARI, 7, 4, 7, 5), SCORE_WINS);
}

TEST(Evaluation, LevelOneLeavesTheCaptureToTheDangerTermsLevelTwoCountsIt) {
  // A rook takes a gold on a square nobody attacks, far from both kings.
  auto scoreAt = [](int level) {
    EmptyGame p({on(9, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(5, 2, CODE_UE_SYA),
                 on(5, 6, CODE_SITA_KIN)});
    p.g.COM_LEVEL = level;
    const Searched s = search(p.g);
    return find(s, 5, 2, 5, 6)->score;
  };
  const double one = scoreAt(1), two = scoreAt(2);
  EXPECT_GE(two - one, 50) << "the gold's value";
  EXPECT_LT(two - one, 52) << "and only small positional terms besides";
}

TEST(Search, FirstOfEqualScoresWinsAndDropsMustBeStrictlyBetter) {
  // Over many positions, the move played is the first candidate with the top
  // score, and no candidate comes after a winning drop.
  testing::TempDir dir;
  for (unsigned seed = 0; seed < 30; ++seed) {
    EmptyGame p;
    初期設定(p.g);
    p.g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = true;
    p.g.COM_LEVEL = 1 + seed % 3;
    // Give the computer something to drop and the human something to fear.
    p.handUe(KIN, 1);
    p.handUe(HU, seed % 2);
    p.g.BOARD[5][3 + seed % 3] = CODE_UE_HU;
    const Searched s = search(p.g);
    ASSERT_TRUE(s.found);
    size_t top = 0;
    for (size_t i = 1; i < s.candidates.size(); ++i)
      if (s.candidates[i].score > s.candidates[top].score) top = i;
    const ComMove& first = s.candidates[top];
    EXPECT_EQ(s.best.fx, first.fx);
    EXPECT_EQ(s.best.tx, first.tx);
    EXPECT_EQ(s.best.ty, first.ty);
    EXPECT_EQ(s.best.score, first.score);
    EXPECT_EQ(p.g.BEST_SCORE, first.score);
  }
}

TEST(Search, TheTwoEarlyStopsDiffer) {
  // A winning board move does not stop the search; a winning drop does.
  EmptyGame p({on(5, 9, CODE_SITA_OU), on(5, 7, CODE_UE_KIN), on(1, 1, CODE_UE_OU),
               on(9, 9, CODE_SITA_KYOU)});
  p.handUe(GIN, 1);
  p.g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = true;
  const Searched s = search(p.g);
  const ComMove* check = find(s, 5, 7, 5, 8);
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->score, SCORE_WINS);
  EXPECT_EQ(s.best.fx, 5) << "the first 9998 stays best";
  EXPECT_EQ(s.best.ty, 8);
  bool laterBoardMove = false, drops = false;
  for (const ComMove& m : s.candidates) {
    laterBoardMove |= m.fx == 5 && m.fy == 7 && m.ty == 6;
    drops |= m.fx == -1;
  }
  EXPECT_TRUE(laterBoardMove);
  EXPECT_TRUE(drops) << "drops are still tried after a winning board move";

  // Without a winning board move the first winning drop ends everything.
  EmptyGame q({on(5, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(9, 9, CODE_SITA_KYOU),
               on(1, 3, CODE_UE_HU)});
  q.handUe(GIN, 1);
  q.g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = true;
  const Searched d = search(q.g);
  EXPECT_EQ(d.best.fx, -1);
  EXPECT_GE(d.best.score, SCORE_WINS);
  EXPECT_EQ(d.candidates.back().tx, d.best.tx);
  EXPECT_EQ(d.candidates.back().ty, d.best.ty);

  // With drops off nothing is dropped, even to win.
  q.g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)] = false;
  const Searched off = search(q.g);
  for (const ComMove& m : off.candidates) EXPECT_NE(m.fx, -1);
}

TEST(Search, PawnBishopAndRookAlwaysPromoteOthersChoose) {
  EmptyGame p({on(9, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(3, 6, CODE_UE_HU),
               on(7, 5, CODE_UE_GIN), on(5, 2, CODE_UE_SYA), on(4, 6, CODE_UE_KEI)});
  p.g.COM_LEVEL = 3;
  const Searched s = search(p.g);
  EXPECT_EQ(find(s, 3, 6, 3, 7)->place, CODE_UE_HU_NARI);
  EXPECT_EQ(find(s, 5, 2, 5, 8)->place, CODE_UE_SYA_NARI);
  EXPECT_EQ(find(s, 4, 6, 3, 8)->place, CODE_UE_KEI_NARI) << "a knight on row 8 must promote";
  const ComMove* silver = find(s, 7, 5, 7, 6);
  ASSERT_NE(silver, nullptr);
  EXPECT_TRUE(silver->place == CODE_UE_GIN || silver->place == CODE_UE_GIN_NARI);

  // The score kept for a promoting pawn is the better of the two placements.
  EmptyGame q({on(9, 9, CODE_SITA_OU), on(1, 1, CODE_UE_OU), on(3, 6, CODE_UE_HU),
               on(4, 6, CODE_UE_KEI), on(7, 5, CODE_UE_GIN), on(5, 2, CODE_UE_SYA)});
  q.g.COM_LEVEL = 3;
  prepareComTurn(q.g);
  q.g.MOVING_PIECE = CODE_UE_HU;
  q.g.FROM_KING_DISTANCE = 6;
  q.g.BOARD[3][6] = EMPTY;
  q.g.BOARD[3][7] = CODE_UE_HU;
  const double plain = evaluateAsPlayed(q.g, EMPTY, CODE_UE_HU, 3, 6, 3, 7);
  q.g.BOARD[3][7] = CODE_UE_HU_NARI;
  const double promoted = evaluateAsPlayed(q.g, EMPTY, CODE_UE_HU_NARI, 3, 6, 3, 7);
  EXPECT_EQ(find(s, 3, 6, 3, 7)->score, std::max(plain, promoted));
}

// ----- the whole turn in the game ---------------------------------------------

// The computer plays the upper side; the human's move on a position set up
// by hand brings its reply.
class ComTurn : public testing::GameFlow {
protected:
  void replyTo(std::initializer_list<testing::Placed> position) {
    menu(Menu::SENTE);
    testing::emptyBoard(g, position);
    place(g, {on(1, 7, CODE_SITA_HU)});
    ui.messages.clear();
    move(1, 7, 1, 6);
  }
  bool said(const std::string& text) const {
    return std::any_of(ui.messages.begin(), ui.messages.end(),
                       [&](const MessageCall& m) { return m.text == text; });
  }
};

TEST_F(ComTurn, OpensSilentlyRecordsAndHandsTheTurnBack) {
  menu(Menu::GOTE);
  EXPECT_EQ(g.SIDE_MAN, TURN_GOTE);
  EXPECT_EQ(g.TURN, g.SIDE_MAN);
  EXPECT_EQ(g.MOVE_NO, 1);
  EXPECT_EQ(g.GAME_MOVES, 1);
  EXPECT_EQ(g.RECORD_LAST, 1);
  EXPECT_EQ(testing::withoutClocks(g.REC[1]), positionOf(g));
  EXPECT_NE(testing::withoutClocks(g.REC[0]), positionOf(g)) << "a piece moved";
  EXPECT_EQ(played(PIECE), 1);
  bool thinking = false;
  for (const DrawCall& d : ui.draws) thinking |= d.text == "思考中";
  EXPECT_TRUE(thinking);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ComTurn, AnnouncesCheckAndMateButPlayGoesOn) {
  // A gold stepping next to the king wins the evaluation; the king can take it.
  replyTo({on(5, 9, CODE_SITA_OU), on(5, 7, CODE_UE_KIN), on(9, 1, CODE_UE_OU)});
  EXPECT_TRUE(said("   ** 王手 **"));
  EXPECT_FALSE(said("よし！!"));
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(g.TURN, g.SIDE_MAN);

  // The king walled in by its own lances; the rook mates down the file. It is
  // announced, and it is still the human's turn.
  menu(Menu::CANCEL);
  replyTo({on(5, 9, CODE_SITA_OU), on(4, 9, CODE_SITA_KYOU), on(6, 9, CODE_SITA_KYOU),
           on(4, 8, CODE_SITA_KYOU), on(6, 8, CODE_SITA_KYOU), on(2, 4, CODE_UE_SYA),
           on(9, 1, CODE_UE_OU)});
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "よし！!");
  EXPECT_EQ(ui.messages[0].title, "詰め ?");
  EXPECT_EQ(g.TURN, g.SIDE_MAN);
}

TEST_F(ComTurn, ABlastThatTakesBothKingsCountsForTheHuman) {
  ui.answers = {Answer::Yes};
  replyTo({on(5, 5, CODE_SITA_OU), on(5, 4, CODE_UE_KIN), on(6, 4, CODE_UE_OU)});
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].text, "あなたの勝ちです");
  EXPECT_EQ(g.BOARD[5][1], CODE_UE_OU) << "yes: a new game";
}

TEST_F(ComTurn, NothingToPlayIsTheComputersLoss) {
  // No play leads here; the turn still ends the game rather than hang.
  menu(Menu::SENTE);
  testing::emptyBoard(g, {on(5, 5, CODE_SITA_OU)});
  g.TURN = g.SIDE_COM;
  com_ban(g);
  EXPECT_TRUE(said("あなたの勝ちです"));
}

} // namespace
} // namespace korvanu
