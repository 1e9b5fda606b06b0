#include "view/notation.h"

#include "rules/move_marks.h"
#include "view/text_view.h"

namespace korvanu {

MoveWords moveWords(int x, int y, int piece) {
  return {文字列変換(10 - x), 文字列変換(1000 + y), 文字列変換(piece)};
}

std::string moveRow(int number, const std::optional<RecordedMove>& move, bool sente) {
  std::string row = std::to_string(number) + " ";
  if (!move) return row + "？";
  const RecordedMove& m = *move;
  // The piece that moved, as it stood before: a promotion is "歩成", not "と".
  const MoveWords words = moveWords(m.toX, m.toY, m.moved);
  row += (sente ? "▲" : "△") + words.file + words.rank + words.piece;
  if (m.promoted)
    row += "成";
  else if (m.mightPromote)
    row += "不成";
  if (m.drop && m.boardMoveToo) row += "打";
  if (m.blown > 0) row += " 爆" + std::to_string(m.blown);
  return row;
}

std::string startRow() { return "開始局面"; }

} // namespace korvanu
