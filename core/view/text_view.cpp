#include "view/text_view.h"

#include <algorithm>
#include <array>

#include "language/translate.h"
#include "platform/platform.h"
#include "state/game.h"
#include "view/board_view.h"
#include "view/pictures.h"

namespace korvanu {

namespace {

// 描画_文字列 prints this far right of and below its cell's corner.
constexpr double STRING_SHIFT_X = 120;
constexpr double STRING_SHIFT_Y = 160;

constexpr double MOVE_TEXT_POINTS = 12;

void printAtTwips(Canvas& c, const Options& o, double left, double top, const std::string& text,
                  int colour, double size) {
  if (text.empty()) return;
  c.drawText(text, left, top, colour, size, o.FONT_BOLD);
}

void printAt(Canvas& c, const Options& o, double x, double y, const std::string& text, int colour,
             double size) {
  printAtTwips(c, o, cellLeft(x), cellTop(y), text, colour, size);
}

// Drops the last UTF-8 character.
void dropLastCharacter(std::string& text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
}

std::string kanjiNumeral(int value) {
  static constexpr std::array<const char*, 9> NUMERALS{"一", "二", "三", "四", "五",
                                                       "六", "七", "八", "九"};
  if (value < 1 || value > 9) return {};
  return NUMERALS[value - 1];
}

// The rank beside the board: its kanji numeral, or in the Western notation
// of other languages its letter.
std::string rankLabel(int value) {
  if (inJapanese() || value < 1 || value > 9) return kanjiNumeral(value);
  return std::string(1, char('a' + value - 1));
}

std::string fullWidthDigit(int value) {
  static constexpr std::array<const char*, 9> DIGITS{"１", "２", "３", "４", "５",
                                                     "６", "７", "８", "９"};
  if (value < 1 || value > 9) return {};
  return DIGITS[value - 1];
}

// By kind number 1..8.
constexpr std::array<const char*, 9> PIECE_NAMES{"",   "歩", "香", "桂", "銀",
                                                 "金", "角", "飛", "王"};

std::string pieceName(int code) {
  if (code == EMPTY || !hasPicture(code) || kindOf(code) < HU) return {};
  const int kind = kindOf(code);
  if (!isPromoted(code)) return PIECE_NAMES[kind];
  // The promoted pawn has a name of its own.
  return kind == HU ? "と" : std::string(PIECE_NAMES[kind]) + "成";
}

std::string handicapName(int level) {
  // From 名人 (-10) down to 12級 (10).
  static constexpr std::array<const char*, 21> NAMES{
      N_("名人"), N_("８段"), N_("７段"), N_("６段"), N_("５段"), N_("４段"), N_("３段"),
      N_("２段"), N_("初段"), N_("１級"), N_("２級"), N_("３級"), N_("４級"), N_("５級"),
      N_("６級"), N_("７級"), N_("８級"), N_("９級"), N_("10級"), N_("11級"), N_("12級")};
  if (level < -10 || level > 10) return {};
  return tr("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:") + std::string(tr(NAMES[level + 10]));
}

} // namespace

std::string printedNumber(int value) {
  const std::string digits = std::to_string(value < 0 ? -static_cast<long>(value) : value);
  return (value < 0 ? "-" : " ") + digits + " ";
}

std::string 文字列変換(int value) {
  if (value >= 1 && value <= 9) return fullWidthDigit(value);
  if (value >= 1001 && value <= 1009) return kanjiNumeral(value - 1000);
  return pieceName(value);
}

void 描画_数値(Canvas& c, const Options& o, double x, double y, int value, int colour, int mode,
               double size) {
  printAt(c, o, x, y, mode == 0 ? printedNumber(value) : rankLabel(value), colour, size);
}

void 描画_数値(Canvas& c, const Options& o, double x, double y, const std::string& text, int colour,
               int mode, double size) {
  // A text has no numeral form.
  if (mode == 0) printAt(c, o, x, y, text, colour, size);
}

void 描画_文字列(Canvas& c, const Options& o, double x, double y, int value, int colour,
                 double size) {
  const std::string text = value == 99 ? tr("手目") : handicapName(value);
  printAtTwips(c, o, cellLeft(x) + STRING_SHIFT_X, cellTop(y) + STRING_SHIFT_Y, text, colour, size);
}

double printWithin(Canvas& c, const Options& o, std::string text, double left, double top,
                   double areaLeft, double areaRight, int colour, double size) {
  auto width = [&](const std::string& t) { return c.textWidth(t, size, o.FONT_BOLD); };
  const double room = areaRight - areaLeft;
  if (!text.empty() && width(text) > room) {
    // Whole characters go from the end until what is left and "…" fit.
    static constexpr const char* CUT = "…";
    while (!text.empty() && width(text + CUT) > room) dropLastCharacter(text);
    text = text.empty() ? "" : text + CUT;
  }
  if (text.empty()) return areaRight;
  left = std::clamp(left, areaLeft, areaRight - width(text));
  printAtTwips(c, o, left, top, text, colour, size);
  return left;
}

void printFitted(Canvas& c, const Options& o, double x, double y, double right,
                 const std::string& text, int colour) {
  static constexpr double SIZES[] = {MOVE_TEXT_POINTS, 10, 9};
  static constexpr double SHADOW = 0.1;
  const double left = cellLeft(x), shadowLeft = cellLeft(x + SHADOW);
  const double room = right - shadowLeft;
  double size = SIZES[0];
  for (double s : SIZES)
    if (size = s; c.textWidth(text, s, o.FONT_BOLD) <= room) break;
  printWithin(c, o, text, shadowLeft, cellTop(y + SHADOW), shadowLeft, right, COLOR_BLACK, size);
  printWithin(c, o, text, left, cellTop(y), left, right - (shadowLeft - left), colour, size);
}

void 描画_移動駒種類(Canvas& c, const Options& o, double x, double y, const std::string& text,
                     int colour) {
  printAt(c, o, x, y, text, colour, MOVE_TEXT_POINTS);
}

} // namespace korvanu
