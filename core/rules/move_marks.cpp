#include "rules/move_marks.h"

#include <cstring>

#include "rules/legality.h"
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

// The piece on (fromX, fromY) of `p` reaches the destination.
bool reaches(const Position& p, const Candidate& c, int moving) {
  return boardMoveCheck(p, c.fromX, c.fromY, c.toX, c.toY, moving) == ON;
}

bool holds(const RecordEntry& e, int code) {
  const int kind = kindOf(code);
  if (isPromoted(code) || kind < HU || kind > SYA) return false;
  return (isSita(code) ? e.HAND_SITA[kind] : e.HAND_UE[kind]) > 0;
}

// A move of `side` (-1 lower, 1 upper, 0 either) that turns `before` into
// `after`; `marks` gets what it marked.
bool findMove(const RecordEntry& before, const RecordEntry& after, int side, MoveMarks& marks) {
  Position p;
  restorePosition(p, before);
  auto ours = [&](int code) { return side == 0 || (side < 0 ? isSita(code) : isUe(code)); };
  // Every destination is a square that changed; every origin one emptied.
  for (int tx = 1; tx <= 9; ++tx)
    for (int ty = 1; ty <= 9; ++ty) {
      if (before.BOARD[tx][ty] == after.BOARD[tx][ty]) continue;
      const int landed = after.BOARD[tx][ty];
      if (before.BOARD[tx][ty] == EMPTY && ours(landed) && holds(before, landed) &&
          replays(before, after, {0, 0, tx, ty, landed}, marks))
        return true;
      for (int fx = 1; fx <= 9; ++fx)
        for (int fy = 1; fy <= 9; ++fy) {
          const int moving = before.BOARD[fx][fy];
          if (after.BOARD[fx][fy] != EMPTY || (!isSita(moving) && !isUe(moving)) || !ours(moving))
            continue;
          const Candidate plain{fx, fy, tx, ty, moving};
          if (!reaches(p, plain, moving)) continue;
          if (replays(before, after, plain, marks)) return true;
          if (mayPromote(moving, fy, ty) &&
              replays(before, after, {fx, fy, tx, ty, promotedOf(moving)}, marks))
            return true;
        }
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
