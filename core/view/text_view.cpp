#include "view/text_view.h"

#include <array>

#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

void printAt(Game& g, double x, double y, const std::string& text, int colour, double size) {
  if (text.empty()) return;
  g.ui.drawText(text, cellLeft(x), cellTop(y), colour, size, g.FONT_BOLD);
}

std::string kanjiNumeral(int value) {
  static constexpr std::array<const char*, 9> NUMERALS{"一", "二", "三", "四", "五",
                                                       "六", "七", "八", "九"};
  if (value < 1 || value > 9) return {};
  return NUMERALS[value - 1];
}

} // namespace

std::string printedNumber(int value) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<long>(value) : value);
  return (value < 0 ? "-" : " ") + digits + " ";
}

void 描画_数値(Game& g, double x, double y, int value, int colour, int mode, double size) {
  printAt(g, x, y, mode == 0 ? printedNumber(value) : kanjiNumeral(value), colour, size);
}

void 描画_数値(Game& g, double x, double y, const std::string& text, int colour, int mode,
               double size) {
  // A text has no numeral form.
  if (mode == 0) printAt(g, x, y, text, colour, size);
}

} // namespace korvanu
