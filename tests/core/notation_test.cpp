#include <gtest/gtest.h>

#include "language/translate.h"
#include "position.h"
#include "rules/move_marks.h"
#include "view/notation.h"

namespace korvanu {
namespace {

using testing::EmptyGame;
using testing::on;

// Moves on a board with the kings and a few pieces, as Western players
// write them (column x is file 10 - x, row y is rank a..i).
TEST(WesternNotation, PieceFromCaptureSquareAndPromotion) {
  const struct {
    int fx, fy, tx, ty, piece;
    const char* text;
  } rows[] = {
      {4, 7, 4, 6, CODE_SITA_HU, "P-6f"},
      {2, 8, 8, 2, CODE_SITA_KAKU_NARI, "Bx2b+"},
      {2, 8, 7, 3, CODE_SITA_KAKU, "B-3c="},
      {11, HU + 2, 5, 5, CODE_SITA_HU, "P*5e"},
      {-1, 8 - KIN, 5, 6, CODE_UE_KIN, "G*5f"},
      {4, 9, 5, 8, CODE_SITA_KIN, "G6i-5h"}, // the other gold could go there too
      {6, 6, 6, 5, CODE_SITA_KIN, "G-4e"},   // no other gold reaches 4e
      {1, 5, 1, 3, CODE_SITA_SYA_NARI, "+R-9c"},
      {7, 2, 7, 3, CODE_UE_HU, "P-3c"},
      {5, 1, 5, 2, CODE_UE_OU, "K-5b"},
  };
  EmptyGame game({on(5, 1, CODE_UE_OU), on(5, 9, CODE_SITA_OU), on(4, 7, CODE_SITA_HU),
                  on(2, 8, CODE_SITA_KAKU), on(8, 2, CODE_UE_KAKU), on(4, 9, CODE_SITA_KIN),
                  on(6, 9, CODE_SITA_KIN), on(6, 6, CODE_SITA_KIN), on(1, 5, CODE_SITA_SYA_NARI),
                  on(7, 2, CODE_UE_HU)});
  for (const auto& r : rows)
    EXPECT_EQ(westernMove(describeMove(game.g, r.fx, r.fy, r.tx, r.ty, r.piece)), r.text) << r.text;
}

TEST(WesternNotation, TheBlastIsToldInTheLanguageInUse) {
  EXPECT_EQ(blastNote(0), "");
  useLanguage("en", KORVANU_LOCALE_DIR);
  EXPECT_EQ(blastNote(3), "(3 blown up)");
  useLanguage("ja", "");
  EXPECT_EQ(blastNote(3), "（3枚爆発）");
}

} // namespace
} // namespace korvanu
