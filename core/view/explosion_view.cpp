#include "view/explosion_view.h"

#include "platform/platform.h"
#include "sound/sound.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/clock_view.h"

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

// Draws codeOf(square) on every blown-up square.
template <typename CodeOf>
void drawBlown(Canvas& c, const Game& g, const ExplosionEffects& blast, CodeOf codeOf) {
  for (int i = 0; i < blast.count; ++i) {
    const BlownSquare& s = blast.squares[static_cast<size_t>(i)];
    drawSquare(c, g, codeOf(s), s.x, s.y);
  }
}

void showFrame(Canvas& c, Timing& t, const Game& g, double seconds) {
  c.refresh();
  待ち時間(t, g, seconds);
}

} // namespace

void 描画_爆発アニメ(Canvas& c, Timing& t, WindowPort& w, const Game& g,
                     const ExplosionEffects& blast) {
  const WindowRect home = w.windowRect();
  const bool any = blast.count > 0;

  for (int pass = 0; pass < FLICKER_PASSES; ++pass) {
    drawBlown(c, g, blast, [](const BlownSquare&) { return EMPTY; });
    showFrame(c, t, g, FLICKER_FRAME_SECONDS);
    drawBlown(c, g, blast, [](const BlownSquare& s) { return s.code; });
    showFrame(c, t, g, FLICKER_FRAME_SECONDS);
    drawBlown(c, g, blast, [](const BlownSquare&) { return PIC_BOMB; });
    showFrame(c, t, g, FLICKER_FRAME_SECONDS);
  }

  playSound(g, g.SOUND_EXPLOSION);

  for (const Shake& s : SHAKES) {
    drawBlown(c, g, blast, [](const BlownSquare&) { return PIC_BAKU1; });
    if (any) w.moveWindow(home.left - s.left1, home.top - s.top1);
    showFrame(c, t, g, BLAST_FRAME_SECONDS);
    drawBlown(c, g, blast, [](const BlownSquare&) { return PIC_BAKU2; });
    if (any) w.moveWindow(home.left - s.left2, home.top - s.top2);
    showFrame(c, t, g, BLAST_FRAME_SECONDS);
  }

  drawBlown(c, g, blast, [](const BlownSquare&) { return EMPTY; });
  if (any) w.moveWindow(home.left, home.top);
  描画_自持盤(c, g);
  描画_敵持盤(c, g);
  c.refresh();
}

} // namespace korvanu
