#include "view/notation.h"

#include "language/translate.h"
#include "rules/move_marks.h"
#include "state/pieces.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

std::string letter(int code) {
  return (isPromoted(code) ? "+" : "") + std::string(1, PIECE_LETTERS[kindOf(code)]);
}

std::string japaneseRow(const RecordedMove& m) {
  // The piece that moved, as it stood before: a promotion is "歩成", not "と".
  const MoveWords words = moveWords(m.toX, m.toY, m.moved);
  std::string row = words.file + words.rank + words.piece;
  if (m.promoted)
    row += "成";
  else if (m.mightPromote && !m.promotionUnknown)
    row += "不成";
  if (m.drop && m.boardMoveToo) row += "打";
  if (m.blown > 0) row += " 爆" + std::to_string(m.blown);
  return row;
}

} // namespace

MoveWords moveWords(int x, int y, int piece) {
  return {文字列変換(10 - x), 文字列変換(1000 + y), 文字列変換(piece)};
}

std::string westernMove(const RecordedMove& m) {
  if (!onBoard(m.toX, m.toY) || kindOf(m.moved) < HU || kindOf(m.moved) > OU) return "?";
  if (m.drop) return letter(m.moved) + "*" + squareName(m.toX, m.toY);
  std::string text = letter(m.moved);
  if (m.twinCouldGo) text += squareName(m.fromX, m.fromY);
  text += (m.captured ? "x" : "-") + squareName(m.toX, m.toY);
  if (m.promoted)
    text += "+";
  else if (m.mightPromote && !m.promotionUnknown)
    text += "=";
  return text;
}

std::string blastNote(int blown) {
  if (blown <= 0) return {};
  std::string text = trFill("（%s枚爆発）", std::to_string(blown));
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

std::string moveRow(int number, const std::optional<RecordedMove>& move, bool sente) {
  std::string row = std::to_string(number) + " ";
  if (!move) return row + tr("？");
  row += sente ? "▲" : "△";
  if (inJapanese()) return row + japaneseRow(*move);
  row += " " + westernMove(*move);
  return move->blown > 0 ? row + " " + blastNote(move->blown) : row;
}

std::string startRow() { return tr("開始局面"); }

} // namespace korvanu
