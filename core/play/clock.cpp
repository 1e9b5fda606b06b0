#include "play/clock.h"

#include <cmath>

#include "platform/table.h"
#include "settings/settings_file.h"
#include "view/clock_view.h"

namespace korvanu {

namespace {

constexpr double SECONDS_PER_DAY = 86400;

} // namespace

void setTimer1(Table& g, bool enabled) {
  g.TIMER1_ENABLED = enabled;
  g.ui.setTimerEnabled(enabled);
}

double 調査_経過秒(double start, double now) {
  return start <= now ? now - start : now + SECONDS_PER_DAY - start;
}

void Timer1_Timer(Table& g) {
  // A tick already queued when the timer stopped does nothing.
  if (!g.TIMER1_ENABLED) return;
  g.TURN_ELAPSED = 調査_経過秒(g.TURN_START_TIME, g.ui.clockSeconds());
  const int second = static_cast<int>(g.TURN_ELAPSED);
  if (second == g.SHOWN_SECOND) return;
  g.SHOWN_SECOND = second;
  if (g.TURN == g.SIDE_COM)
    描画_所有時間(g.ui, g, g.SIDE_COM, g.TURN_ELAPSED + g.COM_TIME);
  else if (g.TURN == g.SIDE_MAN)
    描画_所有時間(g.ui, g, g.SIDE_MAN, g.TURN_ELAPSED + g.MAN_TIME);
  g.ui.refresh();
}

void stopClocks(Table& g, double manTotal, double comTotal) {
  setTimer1(g, false);
  g.MAN_TIME = manTotal;
  g.COM_TIME = comTotal;
  描画_所有時間(g.ui, g, g.SIDE_MAN, g.MAN_TIME);
  描画_所有時間(g.ui, g, g.SIDE_COM, g.COM_TIME);
}

void measureTurn(Table& g) { g.TURN_ELAPSED = 調査_経過秒(g.TURN_START_TIME, g.ui.clockSeconds()); }

void KEIKA_Click(Table& g) {
  if (isChecked(g, Menu::KEIKA)) {
    setChecked(g, Menu::KEIKA, false);
    setTimer1(g, false);
    消去_所有時間(g.ui, g, g.SIDE_MAN);
    消去_所有時間(g.ui, g, g.SIDE_COM);
  } else {
    setChecked(g, Menu::KEIKA, true);
    setTimer1(g, true);
    描画_所有時間(g.ui, g, g.SIDE_COM, g.COM_TIME);
    描画_所有時間(g.ui, g, g.SIDE_MAN, g.MAN_TIME);
  }
  書込_環境設定ファイル(g);
}

} // namespace korvanu
