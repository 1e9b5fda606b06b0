#include "view/clock_view.h"

#include <algorithm>
#include <cmath>

#include "language/translate.h"
#include "platform/platform.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/text_view.h"

namespace korvanu {

std::string 変換_数字から文字(double whole) {
  // Tested as a double so that no value, however wild, is cast out of range.
  if (!(whole >= 0 && whole < 100)) return {};
  const int n = static_cast<int>(whole);
  return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string 調査_時間秒追加結果(double seconds) {
  const double hours = seconds >= 3600 ? std::trunc(seconds / 3600) : 0;
  const double rest = seconds - hours * 3600;
  const double minutes = std::trunc(rest / 60);
  const double secs = std::trunc(rest - minutes * 60);
  return 変換_数字から文字(hours) + ":" + 変換_数字から文字(minutes) + ":" +
         変換_数字から文字(secs);
}

std::string 残り時間(const Game& g, int side, double seconds) {
  // The turn's running time is what lies beyond the side's total so far.
  const double before = side == g.SIDE_MAN ? g.MAN_TIME : g.COM_TIME;
  const double running = std::max(seconds - before, 0.0);
  const double mainLeft = std::max(g.CLOCK_MAIN_SECONDS - before, 0.0);
  if (running < mainLeft || g.CLOCK_BYOYOMI_SECONDS <= 0)
    return 調査_時間秒追加結果(std::ceil(std::max(mainLeft - running, 0.0)));
  const double left = std::max(g.CLOCK_BYOYOMI_SECONDS - (running - mainLeft), 0.0);
  return trFill("秒読み %s", std::to_string(static_cast<int>(std::ceil(left))));
}

void 描画_所有時間(Canvas& c, const Game& g, int side, double seconds) {
  if (!isChecked(g, Menu::KEIKA)) return;
  const bool timed = g.CLOCK_MAIN_SECONDS > 0 || g.CLOCK_BYOYOMI_SECONDS > 0;
  const std::string text = timed ? 残り時間(g, side, seconds) : 調査_時間秒追加結果(seconds);
  消去_所有時間(c, g, side);
  const int at = shownSide(g, side);
  if (at == g.SIDE_MAN) {
    描画_数値(c, g, 13.1, 9.3, text, COLOR_BLACK, 0, 12);
    描画_数値(c, g, 13, 9.2, text, COLOR_WHITE, 0, 12);
  } else if (at == g.SIDE_COM) {
    描画_数値(c, g, -1.5, 9.3, text, COLOR_BLACK, 0, 12);
    描画_数値(c, g, -1.6, 9.2, text, COLOR_WHITE, 0, 12);
    repairOutline(c, g, 1, 9);
  }
}

void drawTimeGone(Canvas& c, const Game& g, int side) {
  const double before = side == g.SIDE_MAN ? g.MAN_TIME : g.COM_TIME;
  描画_所有時間(c, g, side,
                before + std::max(g.CLOCK_MAIN_SECONDS - before, 0.0) + g.CLOCK_BYOYOMI_SECONDS);
}

void 消去_所有時間(Canvas& c, const Game& g, int side) {
  const int row = 9;
  const int at = shownSide(g, side);
  if (at == g.SIDE_MAN)
    for (int x : {13, 14, 15}) 描画_絵(c, g.BACKGROUND, x, row);
  else if (at == g.SIDE_COM)
    for (int x : {-2, -1, 0}) 描画_絵(c, g.BACKGROUND, x, row);
}

void 待ち時間(Timing& t, const Game& g, double seconds) {
  // The platform sleeps for the span itself, so a pause that runs over
  // midnight ends on time too.
  if (g.REPLAYING || !(seconds > 0) || !std::isfinite(seconds)) return;
  t.wait(seconds);
}

} // namespace korvanu
