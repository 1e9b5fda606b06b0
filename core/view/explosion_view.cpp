#include "view/explosion_view.h"

#include "play/clock.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

constexpr int FLICKER_PASSES = 4;
constexpr double FLICKER_FRAME_SECONDS = 0.1;
constexpr double BLAST_FRAME_SECONDS = 0.07;

// How far (twips) the window is pulled up and left in each blast pass, for
// its first frame and its second.
struct Shake {
  int top1, left1, top2, left2;
};
constexpr Shake SHAKES[] = {{40, 40, 20, 40}, {20, 20, 40, 40}, {40, 20, 20, 20}, {20, 40, 40, 20}};

bool marked(const Game& g, int x, int y) { return g.EXPLODE_MAP[x][y] == ON; }

void drawOnSquare(Game& g, int code, int x, int y) {
  描画_絵(g, code, x, y);
  描画_桝輪郭(g, COLOR_BOARD, x, y);
}

// Draws codeOf(x, y) on every marked square.
template <typename CodeOf>
void drawMarked(Game& g, CodeOf codeOf) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (marked(g, x, y)) drawOnSquare(g, codeOf(x, y), x, y);
}

void showFrame(Game& g, double seconds) {
  g.ui.refresh();
  待ち時間(g, seconds);
}

} // namespace

void 描画_爆発アニメ(Game& g) {
  const WindowRect home = g.ui.windowRect();
  bool any = false;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) any = any || marked(g, x, y);

  for (int pass = 0; pass < FLICKER_PASSES; ++pass) {
    drawMarked(g, [](int, int) { return EMPTY; });
    showFrame(g, FLICKER_FRAME_SECONDS);
    drawMarked(g, [&g](int x, int y) { return g.BOARD[x][y]; });
    showFrame(g, FLICKER_FRAME_SECONDS);
    drawMarked(g, [](int, int) { return PIC_BOMB; });
    showFrame(g, FLICKER_FRAME_SECONDS);
  }

  playSound(g, g.SOUND_EXPLOSION);

  for (const Shake& s : SHAKES) {
    drawMarked(g, [](int, int) { return PIC_BAKU1; });
    if (any) g.ui.moveWindow(home.left - s.left1, home.top - s.top1);
    showFrame(g, BLAST_FRAME_SECONDS);
    drawMarked(g, [](int, int) { return PIC_BAKU2; });
    if (any) g.ui.moveWindow(home.left - s.left2, home.top - s.top2);
    showFrame(g, BLAST_FRAME_SECONDS);
  }

  for (int x = 1; x <= 9; ++x) {
    for (int y = 1; y <= 9; ++y) {
      if (marked(g, x, y)) {
        g.BOARD[x][y] = EMPTY;
        drawOnSquare(g, EMPTY, x, y);
      }
      g.EXPLODE_MAP[x][y] = OFF;
    }
  }
  if (any) g.ui.moveWindow(home.left, home.top);
  描画_自持盤(g);
  描画_敵持盤(g);
  g.ui.refresh();
}

} // namespace korvanu
