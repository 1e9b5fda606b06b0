// The explosion shown before a capture: what the pointer over a capture
// square draws with a piece picked up and guidance on, that it tells what the
// click then does, and that it leaves the screen and the game as they were.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "play/commands.h"
#include "position.h"
#include "rules/move_preview.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "view/board_view.h"
#include "view/pictures.h"
#include "view/preview_view.h"

namespace korvanu {
namespace {

using testing::on;
using Cell = std::pair<int, int>;

// The surface as the journal paints it, one value per pixel: an outline's
// colour, or which pixel of which picture. Text is left out.
struct Screen {
  static constexpr int W = 627, H = 514;
  std::vector<long> px = std::vector<long>(size_t(W) * H, -1);

  void set(int x, int y, long v) {
    if (x >= 0 && x < W && y >= 0 && y < H) px[size_t(y) * W + size_t(x)] = v;
  }
  explicit Screen(const std::vector<DrawCall>& draws) {
    for (const DrawCall& d : draws) {
      const int l = int(d.left) / TWIPS_PER_PIXEL, t = int(d.top) / TWIPS_PER_PIXEL;
      const int r = int(d.right) / TWIPS_PER_PIXEL, b = int(d.bottom) / TWIPS_PER_PIXEL;
      if (d.kind == DrawCall::Fill) std::fill(px.begin(), px.end(), d.code);
      if (d.kind == DrawCall::Picture)
        for (int dx = 0; dx < pictureSize(d.code).width; ++dx)
          for (int dy = 0; dy < pictureSize(d.code).height; ++dy)
            set(l + dx, t + dy, 1000000L * (d.code + 100) + dx * 100 + dy);
      if (d.kind == DrawCall::Outline) {
        for (int x = l; x <= r; ++x) set(x, t, d.code), set(x, b, d.code);
        for (int y = t; y <= b; ++y) set(l, y, d.code), set(r, y, d.code);
      }
    }
  }
  // Whether a pixel of the board shows one of the preview's own colours.
  bool showsPreview() const {
    for (int x = int(cellLeft(1)) / TWIPS_PER_PIXEL; x <= int(cellLeft(10)) / TWIPS_PER_PIXEL; ++x)
      for (int y = int(cellTop(1)) / TWIPS_PER_PIXEL; y <= int(cellTop(10)) / TWIPS_PER_PIXEL; ++y)
        for (int c : {COLOR_PREVIEW_BLOCK, COLOR_LOWER_SIDE, COLOR_UPPER_SIDE, COLOR_SURVIVOR})
          if (px[size_t(y) * W + size_t(x)] == c) return true;
    return false;
  }
};

Cell cellOf(const DrawCall& d) {
  return {int(std::floor((d.left - BOARD_LEFT) / SQUARE_WIDTH)),
          int(std::floor((d.top - BOARD_TOP) / SQUARE_HEIGHT))};
}
bool wholeSquare(const DrawCall& d) { return d.right - d.left == SQUARE_WIDTH; }

// The squares outlined as the block.
std::set<Cell> block(const std::vector<DrawCall>& draws) {
  std::set<Cell> out;
  for (const DrawCall& d : draws)
    if (d.kind == DrawCall::Outline && d.code == COLOR_PREVIEW_BLOCK && wholeSquare(d))
      out.insert(cellOf(d));
  return out;
}

// The marks drawn inside square (x, y), by where they sit and their colour:
// "lower" (lower right corner, the lower side's colour), "upper" (upper left,
// the upper side's), "stays" (the middle), "king" (a red frame inside).
std::string marks(const std::vector<DrawCall>& draws, int x, int y) {
  const double midX = cellLeft(x + 0.5), midY = cellTop(y + 0.5);
  std::set<std::string> found;
  for (const DrawCall& d : draws) {
    if (d.kind != DrawCall::Outline || cellOf(d) != Cell{x, y} || wholeSquare(d)) continue;
    if (d.code == COLOR_LOWER_SIDE && d.left > midX && d.top > midY)
      found.insert("lower");
    else if (d.code == COLOR_UPPER_SIDE && d.right < midX && d.bottom < midY)
      found.insert("upper");
    else if (d.code == COLOR_SURVIVOR && std::abs(d.top - midY) < 100)
      found.insert("stays");
    else if (d.code == COLOR_KING_LOST)
      found.insert("king");
    else if (d.code != COLOR_BLACK)
      found.insert("stray " + std::to_string(d.code));
  }
  // A mark whose coloured pixels ring a middle of another colour is hollow:
  // what the right button would do instead.
  const Screen screen(draws);
  const int l = int(cellLeft(x)) / TWIPS_PER_PIXEL, t = int(cellTop(y)) / TWIPS_PER_PIXEL;
  const int mx = int(midX) / TWIPS_PER_PIXEL, my = int(midY) / TWIPS_PER_PIXEL;
  auto hollow = [&](const std::string& mark) {
    const int colour = mark == "lower"   ? COLOR_LOWER_SIDE
                       : mark == "upper" ? COLOR_UPPER_SIDE
                                         : COLOR_SURVIVOR;
    long sx = 0, sy = 0, n = 0;
    for (int px = l; px < l + SQUARE_WIDTH / TWIPS_PER_PIXEL; ++px)
      for (int py = t; py < t + SQUARE_HEIGHT / TWIPS_PER_PIXEL; ++py) {
        const bool half =
            mark == "lower" ? px > mx && py > my : mark != "upper" || (px < mx && py < my);
        if (half && screen.px[size_t(py) * Screen::W + size_t(px)] == colour)
          sx += px, sy += py, ++n;
      }
    return n > 0 &&
           screen.px[size_t((sy + n / 2) / n) * Screen::W + size_t((sx + n / 2) / n)] != colour;
  };
  std::set<std::string> shown;
  for (const std::string& s : found) shown.insert(s != "king" && hollow(s) ? "right:" + s : s);
  std::string out;
  for (const std::string& s : shown) out += (out.empty() ? "" : "+") + s;
  return out;
}

class Preview : public testing::GameFlow {
protected:
  // Two people, the lower side to move, guidance on, an empty board but for
  // the kings in far corners.
  void SetUp() override {
    menu(Menu::START);
    menu(Menu::SIDOU);
    clearBoard();
  }
  void clearBoard() {
    for (auto& column : g.BOARD)
      for (int& c : column) c = EMPTY;
    place({on(1, 9, CODE_SITA_OU), on(9, 1, CODE_UE_OU)});
  }
  void place(std::initializer_list<testing::Placed> pieces) {
    testing::place(g, pieces);
    描画_盤(g.ui, g); // the screen shows the board as set
  }
  // What pointing at (x, y) drew.
  std::vector<DrawCall> drawnHovering(int x, int y) {
    const size_t before = ui.draws.size();
    point(x, y);
    return {ui.draws.begin() + long(before), ui.draws.end()};
  }
};

TEST_F(Preview, MarksTellWhereEveryPieceOfTheBlockGoesAndTheClickAgrees) {
  // The rook takes a gold from afar; round the gold stand pawns of both
  // sides, a promoted pawn, a lance, a silver and a bishop.
  place({on(5, 8, CODE_SITA_SYA), on(5, 4, CODE_UE_KIN), on(4, 3, CODE_UE_KYOU),
         on(5, 3, CODE_UE_HU_NARI), on(6, 3, CODE_UE_HU), on(6, 4, CODE_UE_KAKU),
         on(4, 5, CODE_SITA_HU), on(6, 5, CODE_SITA_GIN)});
  click(5, 8);
  ASSERT_EQ(g.SELECT_STATE, 1);
  const RecordEntry before = positionOf(g);
  const size_t sounds = fake::calls.size(), messages = ui.messages.size();

  const std::vector<DrawCall> d = drawnHovering(5, 4);
  std::set<Cell> expectedBlock;
  for (int x = 4; x <= 6; ++x)
    for (int y = 3; y <= 5; ++y) expectedBlock.insert({x, y});
  EXPECT_EQ(block(d), expectedBlock);
  EXPECT_EQ(marks(d, 5, 4), "lower") << "the gold taken goes to the taker's hand";
  EXPECT_EQ(marks(d, 4, 3), "lower");
  EXPECT_EQ(marks(d, 5, 3), "lower") << "a promoted pawn blows up";
  EXPECT_EQ(marks(d, 6, 3), "stays");
  EXPECT_EQ(marks(d, 6, 4), "lower");
  EXPECT_EQ(marks(d, 4, 5), "stays") << "the taker's own pawn stays too";
  EXPECT_EQ(marks(d, 6, 5), "upper") << "the taker's own silver goes to the other hand";
  EXPECT_EQ(marks(d, 4, 4), "");
  EXPECT_EQ(marks(d, 5, 8), "upper") << "the rook blows up where it takes";
  for (const DrawCall& c : d)
    EXPECT_TRUE((expectedBlock.count(cellOf(c)) || cellOf(c) == Cell{5, 8}))
        << cellOf(c).first << cellOf(c).second;

  // Nothing has happened yet.
  EXPECT_EQ(positionOf(g), before);
  EXPECT_EQ(g.SELECT_STATE, 1);
  EXPECT_EQ(fake::calls.size(), sounds);
  EXPECT_EQ(ui.messages.size(), messages);

  // The click does what the marks said.
  click(5, 4);
  for (int k : {KIN, HU, KYOU, KAKU}) EXPECT_EQ(g.HAND_SITA[k], 1) << k;
  for (int k : {GIN, SYA}) EXPECT_EQ(g.HAND_UE[k], 1) << k;
  EXPECT_EQ(g.BOARD[6][3], CODE_UE_HU);
  EXPECT_EQ(g.BOARD[4][5], CODE_SITA_HU);
  EXPECT_EQ(g.BOARD[5][4], EMPTY);
  EXPECT_FALSE(Screen(ui.draws).showsPreview());
}

TEST_F(Preview, KingsBesideTheCaptureTakingOrTakenAreMarkedLost) {
  // The lower king takes a silver beside the upper king.
  place({on(5, 8, CODE_SITA_OU), on(5, 7, CODE_UE_GIN), on(6, 6, CODE_UE_OU),
         on(4, 8, CODE_SITA_KIN), on(4, 6, CODE_UE_HU)});
  g.BOARD[1][9] = g.BOARD[9][1] = EMPTY;
  click(5, 8);
  std::vector<DrawCall> d = drawnHovering(5, 7);
  EXPECT_EQ(marks(d, 5, 8), "king") << "the king that takes blows up";
  EXPECT_EQ(marks(d, 6, 6), "king");
  EXPECT_EQ(marks(d, 5, 7), "lower");
  EXPECT_EQ(marks(d, 4, 8), "upper");
  EXPECT_EQ(marks(d, 4, 6), "stays");
  // The gold takes the upper king itself, beside its own king.
  pointOff();
  click(4, 8);
  g.BOARD[5][7] = CODE_UE_OU;
  g.BOARD[6][6] = EMPTY;
  d = drawnHovering(5, 7);
  EXPECT_EQ(marks(d, 5, 7), "king");
  EXPECT_EQ(marks(d, 5, 8), "king");
  EXPECT_EQ(marks(d, 4, 8), "upper");
}

TEST_F(Preview, APawnThatMayPromoteShowsWhatEitherButtonDoes) {
  place({on(5, 4, CODE_SITA_HU), on(5, 3, CODE_UE_GIN), on(7, 6, CODE_UE_HU),
         on(7, 7, CODE_SITA_KIN), on(3, 2, CODE_SITA_HU), on(3, 1, CODE_UE_KEI)});
  // On the last row it can only promote, and a promoted pawn blows up.
  click(3, 2);
  EXPECT_EQ(marks(drawnHovering(3, 1), 3, 2), "upper");
  EXPECT_EQ(g.BOARD[3][2], CODE_SITA_HU) << "worked out on a copy";
  // The left click is refused as ever with the piece still picked up; the
  // preview is gone and comes back when the pointer moves again.
  click(3, 1);
  EXPECT_TRUE(said("マウスの右をクリックして下さい", "成り"));
  EXPECT_FALSE(Screen(ui.draws).showsPreview());
  EXPECT_EQ(marks(drawnHovering(3, 1), 3, 2), "upper");
  click(3, 1, BUTTON_RIGHT);
  EXPECT_EQ(g.BOARD[3][1], EMPTY) << "the promoted pawn blew up";

  // Two rows from the end the left button leaves it a pawn that stays; the
  // right one promotes it, and a promoted pawn blows up: both are shown.
  struct Case {
    int fromX, fromY, toX, toY;
    const char *marks, *taken;
    int button;
    int stands; // on the capture square after the click
  };
  for (const Case& c : {Case{7, 6, 7, 7, "right:lower+stays", "upper", BUTTON_LEFT, CODE_UE_HU},
                        Case{5, 4, 5, 3, "right:upper+stays", "lower", BUTTON_RIGHT, EMPTY}}) {
    click(c.fromX, c.fromY);
    const std::vector<DrawCall> d = drawnHovering(c.toX, c.toY);
    EXPECT_EQ(marks(d, c.fromX, c.fromY), c.marks);
    EXPECT_EQ(marks(d, c.toX, c.toY), c.taken) << "the same either way";
    click(c.toX, c.toY, c.button);
    EXPECT_EQ(g.BOARD[c.toX][c.toY], c.stands);
  }
  EXPECT_EQ(g.HAND_UE[HU], 2) << "both promoted pawns blew up";
}

TEST_F(Preview, TheBlockStopsAtTheBoardsEdgesAndCorners) {
  struct Case {
    int fromX, fromY, toX, toY;
    size_t squares;
  };
  // A lower rook takes an upper gold in a corner or on an edge.
  for (const Case& c : {Case{1, 5, 1, 1, 4}, Case{9, 5, 9, 1, 4}, Case{5, 5, 9, 5, 6},
                        Case{5, 5, 1, 5, 6}, Case{9, 6, 9, 9, 4}, Case{2, 8, 2, 9, 6}}) {
    SCOPED_TRACE(std::to_string(c.toX) + "," + std::to_string(c.toY));
    clearBoard();
    place({{c.fromX, c.fromY, CODE_SITA_SYA}, {c.toX, c.toY, CODE_UE_KIN}});
    click(c.fromX, c.fromY);
    ASSERT_EQ(g.SELECT_STATE, 1);
    const std::vector<DrawCall> d = drawnHovering(c.toX, c.toY);
    const std::set<Cell> b = block(d);
    EXPECT_EQ(b.size(), c.squares);
    for (const Cell& cell : b)
      EXPECT_TRUE(std::abs(cell.first - c.toX) <= 1 && std::abs(cell.second - c.toY) <= 1);
    for (const DrawCall& call : d) {
      const Cell cell = cellOf(call);
      EXPECT_TRUE(cell.first >= 1 && cell.first <= 9 && cell.second >= 1 && cell.second <= 9)
          << "drawn off the board on " << cell.first << "," << cell.second;
    }
    EXPECT_EQ(marks(d, c.toX, c.toY), "lower");
    EXPECT_EQ(marks(d, c.fromX, c.fromY), "upper");
    pointOff();
    click(c.fromX, c.fromY); // puts it down again
  }
}

TEST_F(Preview, NothingIsShownWithoutACaptureToShow) {
  place({on(5, 7, CODE_SITA_GIN), on(5, 6, CODE_UE_KIN), on(3, 3, CODE_UE_HU),
         on(6, 8, CODE_SITA_KIN)});
  g.HAND_SITA[KIN] = g.HAND_SITA_TOTAL = 1;
  auto nothingAt = [&](int x, int y) {
    EXPECT_TRUE(drawnHovering(x, y).empty()) << "at " << x << "," << y;
  };
  nothingAt(5, 6); // no piece picked up
  // The silver: an enemy it cannot reach, an empty square it can, its own
  // side's piece, its own square, off the board.
  click(5, 7);
  for (Cell c : {Cell{3, 3}, {4, 6}, {6, 8}, {5, 7}, {12, 5}}) nothingAt(c.first, c.second);
  menu(Menu::SIDOU);
  nothingAt(5, 6); // guidance off
  menu(Menu::SIDOU);
  EXPECT_FALSE(drawnHovering(5, 6).empty());
  pointOff();
  // A piece from the hand is dropped and never takes.
  menu(Menu::MOCHIKOMA);
  click(11, KIN + 2);
  ASSERT_EQ(g.SELECT_STATE, 1);
  nothingAt(5, 6);
  // The other side's piece is only shown, not picked up.
  click(5, 6);
  ASSERT_EQ(g.SELECT_STATE, 0);
  nothingAt(5, 7);
}

TEST_F(Preview, LeavingTheSquareTheClickOrGuidanceOffPutsTheSquaresBack) {
  place({on(5, 8, CODE_SITA_KAKU), on(3, 6, CODE_UE_GIN), on(2, 5, CODE_UE_HU),
         on(4, 5, CODE_SITA_KIN)});
  click(5, 8);
  const Screen picked(ui.draws);
  auto showing = [&] { return g.PREVIEW_X != 0 && Screen(ui.draws).showsPreview(); };
  auto asPicked = [&] { return Screen(ui.draws).px == picked.px; };

  point(3, 6);
  EXPECT_TRUE(showing());
  EXPECT_FALSE(asPicked());
  point(4, 7);
  EXPECT_TRUE(asPicked()) << "an empty square";
  point(3, 6);
  pointOff();
  EXPECT_TRUE(asPicked()) << "off the window";

  point(3, 6);
  menu(Menu::SIDOU);
  EXPECT_FALSE(showing()) << "guidance off";
  menu(Menu::SIDOU);

  point(3, 6);
  ASSERT_TRUE(showing());
  click(6, 7);
  EXPECT_EQ(g.BOARD[6][7], CODE_SITA_KAKU);
  EXPECT_FALSE(showing()) << "the piece put down elsewhere";
}

TEST_F(Preview, AfterPuttingTheSquaresBackTheClickDrawsWhatItDrawsWithoutAPreview) {
  place({on(5, 8, CODE_SITA_SYA), on(5, 4, CODE_UE_KIN), on(4, 3, CODE_UE_GIN),
         on(6, 5, CODE_SITA_HU)});
  // The same capture played in two games alike but for the pointing first.
  auto play = [&](bool pointFirst) {
    testing::TempDir folder;
    testing::ScriptedGame h;
    h.menu(Menu::START);
    h.menu(Menu::SIDOU);
    std::copy(&g.BOARD[0][0], &g.BOARD[0][0] + 100, &h.g.BOARD[0][0]);
    h.click(5, 8);
    if (pointFirst)
      for (Cell c : {Cell{5, 4}, {5, 5}, {4, 3}, {5, 4}}) h.point(c.first, c.second);
    EXPECT_EQ(Screen(h.ui.draws).showsPreview(), pointFirst);
    const size_t from = h.ui.draws.size();
    h.click(5, 4);
    EXPECT_EQ(h.g.HAND_SITA[GIN] + h.g.HAND_UE[SYA], 2);
    EXPECT_EQ(h.g.BOARD[6][5], CODE_SITA_HU);
    return std::vector<DrawCall>(h.ui.draws.begin() + long(from), h.ui.draws.end());
  };
  const std::vector<DrawCall> plain = play(false), pointed = play(true);
  ASSERT_GT(pointed.size(), plain.size());
  auto same = [](const DrawCall& a, const DrawCall& b) {
    return a.kind == b.kind && a.code == b.code && a.left == b.left && a.top == b.top &&
           a.right == b.right && a.bottom == b.bottom && a.text == b.text;
  };
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), pointed.end() - long(plain.size()), same));
}

TEST(PreviewMove, IsTheMoveAndExplosionPlayingDoesAndLeavesTheGameAlone) {
  testing::EmptyGame p({on(5, 5, CODE_SITA_KAKU), on(7, 3, CODE_UE_GIN), on(8, 2, CODE_UE_OU),
                        on(6, 2, CODE_UE_HU), on(7, 4, CODE_SITA_HU_NARI), on(1, 9, CODE_SITA_OU)});
  p.hand(KIN, 2);
  const Position before = p.g;
  const MovePreview seen = previewMove(p.g, 5, 5, 7, 3, CODE_SITA_KAKU, BUTTON_LEFT);
  EXPECT_EQ(static_cast<const Position&>(p.g), before) << "the board, the hands and their totals";

  const ExplosionEffects blast = explodeAfterCapture(p.g, 駒移動(p.g, 5, 5, 7, 3, CODE_SITA_KAKU));
  ASSERT_EQ(seen.explosion.count, blast.count);
  for (size_t i = 0; i < size_t(blast.count); ++i)
    EXPECT_EQ(std::tuple(seen.explosion.squares[i].x, seen.explosion.squares[i].y,
                         seen.explosion.squares[i].code),
              std::tuple(blast.squares[i].x, blast.squares[i].y, blast.squares[i].code));
  EXPECT_TRUE(seen.explosion.upperKingLost);
  EXPECT_EQ(seen.move.captured, CODE_UE_GIN);

  // A knight lands unpromoted where it may, promoted where it must or the
  // right button promotes it.
  testing::EmptyGame third({on(4, 5, CODE_SITA_KEI), on(5, 3, CODE_UE_KIN)});
  EXPECT_EQ(previewMove(third.g, 4, 5, 5, 3, CODE_SITA_KEI, BUTTON_LEFT).move.piece, CODE_SITA_KEI);
  EXPECT_EQ(previewMove(third.g, 4, 5, 5, 3, CODE_SITA_KEI, BUTTON_RIGHT).move.piece,
            CODE_SITA_KEI_NARI);
  testing::EmptyGame last({on(4, 3, CODE_SITA_KEI), on(5, 1, CODE_UE_KIN)});
  EXPECT_EQ(previewMove(last.g, 4, 3, 5, 1, CODE_SITA_KEI, BUTTON_LEFT).move.piece,
            CODE_SITA_KEI_NARI);
  EXPECT_EQ(last.g.BOARD[4][3], CODE_SITA_KEI);
}

} // namespace
} // namespace korvanu
