#include "rules/move_marks.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "rules/move_gen.h"
#include "rules/moves.h"
#include "rules/record.h"
#include "state/game.h"

namespace korvanu {

namespace {

using Board = int[10][10];

struct Candidate {
  int fromX, fromY; // fromX 0 for a drop
  int toX, toY;
  int piece; // what stands on the destination after the move
};

// Plays the candidate on a copy of `before` as the rules do and says whether
// it gives `after`; `marks` gets what it marked.
bool replays(const RecordEntry& before, const RecordEntry& after, const Candidate& c,
             MoveMarks& marks) {
  Board s;
  std::memcpy(s, before.BOARD, sizeof s);
  const bool capture = s[c.toX][c.toY] != EMPTY;
  marks = {};
  s[c.toX][c.toY] = c.piece;
  if (c.fromX != 0) {
    s[c.fromX][c.fromY] = EMPTY;
    marks.at[c.fromX][c.fromY] = SquareMark::From;
  }
  if (capture)
    forBlock(c.toX, c.toY, [&](int x, int y) {
      if (!blowsUp(s[x][y])) return;
      s[x][y] = EMPTY;
      marks.at[x][y] = SquareMark::Blown;
    });
  marks.at[c.toX][c.toY] = SquareMark::To;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (s[x][y] != after.BOARD[x][y]) return false;
  return true;
}

// A move of `side` (-1 lower, 1 upper, 0 either) that turns `before` into
// `after`; `marks` gets what it marked. Every destination is a square that
// changed, every origin one emptied; they are tried by destination, a drop
// first, then by origin.
bool findMove(const RecordEntry& before, const RecordEntry& after, int side, MoveMarks& marks) {
  Position p;
  restorePosition(p, before);
  std::vector<Move> tried;
  MoveList list;
  for (const bool upper : {false, true}) {
    if (side != 0 && upper != (side > 0)) continue;
    generateAllMoves(p, upper, true, list);
    for (const Move& m : list) {
      const bool drop = isDropColumn(m.fx);
      if (before.BOARD[m.tx][m.ty] != after.BOARD[m.tx][m.ty] &&
          (drop || after.BOARD[m.fx][m.fy] == EMPTY))
        tried.push_back(m);
    }
  }
  auto order = [](const Move& m) {
    return (m.tx * 10 + m.ty) * 1000 + (isDropColumn(m.fx) ? 0 : 100 + m.fx * 10 + m.fy);
  };
  std::stable_sort(tried.begin(), tried.end(),
                   [&](const Move& a, const Move& b) { return order(a) < order(b); });
  for (const Move& m : tried) {
    const bool drop = isDropColumn(m.fx);
    if (replays(before, after, {drop ? 0 : m.fx, drop ? 0 : m.fy, m.tx, m.ty, m.code}, marks))
      return true;
  }
  marks = {};
  return false;
}

} // namespace

MoveMarks marksOf(const MoveEffects& move, const ExplosionEffects& blast) {
  MoveMarks marks;
  for (int i = 0; i < blast.count; ++i) {
    const BlownSquare& s = blast.squares[static_cast<size_t>(i)];
    marks.at[s.x][s.y] = SquareMark::Blown;
  }
  if (!move.drop) marks.at[move.fromX][move.fromY] = SquareMark::From;
  marks.at[move.toX][move.toY] = SquareMark::To;
  return marks;
}

MoveMarks marksBetween(const RecordEntry& before, const RecordEntry& after, int mover) {
  MoveMarks marks;
  // The mover's pieces first, then, should the guess be wrong, the other's.
  if (!findMove(before, after, mover, marks) && mover != 0) findMove(before, after, -mover, marks);
  return marks;
}

int moverBetween(const RecordEntry& before, const RecordEntry& after) {
  MoveMarks unused;
  const bool lower = findMove(before, after, -1, unused);
  const bool upper = findMove(before, after, 1, unused);
  return lower == upper ? 0 : lower ? -1 : 1;
}

MoveMarks turnedRound(const MoveMarks& marks) {
  MoveMarks out;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) out.at[10 - x][10 - y] = marks.at[x][y];
  return out;
}

} // namespace korvanu
