// Text drawn at grid cells in the window font.
#pragma once

#include <string>

namespace korvanu {

struct Game;

// A number the way the window prints numbers: a space where the plus sign
// would be (or "-"), the digits, and one trailing space.
std::string printedNumber(int value);

// mode 0 prints the value; any other mode prints the kanji numeral of a value
// 1..9 and nothing otherwise.
void 描画_数値(Game& g, double x, double y, int value, int colour, int mode, double size);
void 描画_数値(Game& g, double x, double y, const std::string& text, int colour, int mode,
               double size);

} // namespace korvanu
