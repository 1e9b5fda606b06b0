// Text drawn at grid cells in the window font, and the texts numbers and
// piece codes turn into.
#pragma once

#include <string>

namespace korvanu {

class Canvas;
struct Options;

// A number the way the window prints numbers: a space where the plus sign
// would be (or "-"), the digits, and one trailing space.
std::string printedNumber(int value);

// 1..9: full-width digits; 1001..1009: kanji numerals; piece codes of either
// side: the piece's short name ("成" added for promoted kinds); anything
// else: empty.
std::string 文字列変換(int value);

// mode 0 prints the value; any other mode prints the kanji numeral of a value
// 1..9 (its rank letter a..i in other languages) and nothing otherwise.
void 描画_数値(Canvas& c, const Options& o, double x, double y, int value, int colour, int mode,
               double size);
void 描画_数値(Canvas& c, const Options& o, double x, double y, const std::string& text, int colour,
               int mode, double size);

// The handicap level names (-10..10) and the move counter's "手目" (99),
// placed a little right of and below the cell's corner; other values print
// nothing.
void 描画_文字列(Canvas& c, const Options& o, double x, double y, int value, int colour,
                 double size);

// `text` with its character cell starting at (left, top) twips, kept between
// the columns areaLeft and areaRight: moved in where it would stand out, and
// cut short with "…" where it is longer than the room. Answers where it
// starts; areaRight when nothing is drawn.
double printWithin(Canvas& c, const Options& o, std::string text, double left, double top,
                   double areaLeft, double areaRight, int colour, double size);

// A shadowed text from cell (x, y) that ends before the column `right`
// (twips): at size 12 where it fits, smaller where not, cut short with "…"
// as the last resort.
void printFitted(Canvas& c, const Options& o, double x, double y, double right,
                 const std::string& text, int colour);

// One part of a move in notation, at size 12.
void 描画_移動駒種類(Canvas& c, const Options& o, double x, double y, const std::string& text,
                     int colour);

} // namespace korvanu
