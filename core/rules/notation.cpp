#include "rules/notation.h"

#include "language/translate.h"
#include "rules/legality.h"
#include "rules/moves.h"
#include "state/position.h"

namespace korvanu {

namespace {

// By kind number 1..8: pawn, lance, knight, silver, gold, bishop, rook, king.
constexpr const char* LETTERS = " PLNSGBRK";

std::string square(int x, int y) { return std::string(1, char('0' + 10 - x)) + char('a' + y - 1); }

std::string letter(int code) {
  return (isPromoted(code) ? "+" : "") + std::string(1, LETTERS[kindOf(code)]);
}

// Another piece like the one on (fromX, fromY) that could also reach (toX, toY).
bool ambiguous(const Position& p, int fromX, int fromY, int toX, int toY) {
  const int code = p.BOARD[fromX][fromY];
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if ((x != fromX || y != fromY) && p.BOARD[x][y] == code &&
          boardMoveCheck(p, x, y, toX, toY, code) == ON)
        return true;
  return false;
}

} // namespace

MoveNote noteMove(const Position& p, int fromX, int fromY, int toX, int toY, int piece) {
  MoveNote note;
  if (!onBoard(toX, toY) || kindOf(piece) < HU || kindOf(piece) > OU) return note;
  if (isDropColumn(fromX)) {
    note.text = letter(piece) + "*" + square(toX, toY);
    return note;
  }
  if (!onBoard(fromX, fromY)) return note;
  const int before = p.BOARD[fromX][fromY];
  note.text = letter(before);
  if (ambiguous(p, fromX, fromY, toX, toY)) note.text += square(fromX, fromY);
  note.text += (p.BOARD[toX][toY] == EMPTY ? "-" : "x") + square(toX, toY);
  if (piece != before)
    note.text += "+";
  else if (mayPromote(before, fromY, toY))
    note.text += "=";
  return note;
}

std::string blastNote(int blown) {
  if (blown == 0) return {};
  std::string text = trFill("（%s枚爆発）", std::to_string(blown));
  text.erase(0, text.find_first_not_of(' '));
  return text;
}

std::string westernMove(const MoveNote& note) {
  return note.blown == 0 ? note.text : note.text + " " + blastNote(note.blown);
}

} // namespace korvanu
