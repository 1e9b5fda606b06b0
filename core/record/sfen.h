// A position as one line of text, as shogi programs pass positions round
// (SFEN): the board row by row from the top, each row from the left, "/"
// between rows, a digit for so many empty squares and a letter for a piece
// (PLNSGBRK), upper case for the lower side and lower case for the upper,
// "+" before a promoted one; then the side to move ("b" the lower side, "w"
// the upper), the hands ("-" when both are empty, else each kind once with
// its count before it when more than one, the lower side's first) and the
// move number. The starting position reads
//   lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "language/translate.h"
#include "rules/legality.h"
#include "state/position.h"

namespace korvanu {

struct SfenPosition {
  Position position; // the hands' totals and the kings' squares filled in
  bool upperToMove = false;
  int moveNumber = 1; // the first move of a game is 1
};

// A position no game could hold (positionFault), as the player is told it.
Refusal faultRefusal(const PositionFault& fault);

std::string formatSfen(const Position& p, bool upperToMove, int moveNumber);

// Blanks round the line and between its fields are ignored, and so is a
// "sfen" before it; the move number may be left out (1). Every field is
// checked and the position must be one a game could hold; otherwise nothing
// is read and `why` says what is wrong.
std::optional<SfenPosition> parseSfen(std::string_view line, Refusal* why = nullptr);

} // namespace korvanu
