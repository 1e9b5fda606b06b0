#include "rules/move_marks.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "rules/move_gen.h"
#include "rules/moves.h"
#include "rules/record.h"
#include "state/game.h"

namespace korvanu {

namespace {

using Board = int[10][10];

// The move's own facts, read on the board before it.
RecordedMove describe(const Board& s, const Move& m) {
  RecordedMove found;
  found.toX = m.tx;
  found.toY = m.ty;
  found.piece = m.code;
  found.drop = isDropColumn(m.fx);
  found.moved = found.drop ? m.code : s[m.fx][m.fy];
  found.promoted = found.moved != m.code;
  found.captured = s[m.tx][m.ty] != EMPTY;
  if (!found.drop) {
    found.fromX = m.fx;
    found.fromY = m.fy;
  }
  return found;
}

// Plays the candidate on a copy of `before` as the rules do and says whether
// it gives `after`; `found` gets its squares, marks and blast.
bool replays(const RecordEntry& before, const RecordEntry& after, const Move& m,
             RecordedMove& found) {
  Board s;
  std::memcpy(s, before.BOARD, sizeof s);
  found = describe(s, m);
  s[m.tx][m.ty] = m.code;
  if (!found.drop) {
    s[m.fx][m.fy] = EMPTY;
    found.marks.at[m.fx][m.fy] = SquareMark::From;
  }
  if (found.captured)
    forBlock(m.tx, m.ty, [&](int x, int y) {
      if (!blowsUp(s[x][y])) return;
      s[x][y] = EMPTY;
      found.marks.at[x][y] = SquareMark::Blown;
      ++found.blown;
    });
  found.marks.at[m.tx][m.ty] = SquareMark::To;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (s[x][y] != after.BOARD[x][y]) return false;
  return true;
}

// What the side's other moves say about the one found: whether the step had
// a promoted twin, whether a drop had a board move of its kind beside it, and
// whether another piece of its kind could have gone there too.
void noteAlternatives(RecordedMove& found, const MoveList& list, const Board& s) {
  for (const Move& m : list) {
    if (m.tx != found.toX || m.ty != found.toY) continue;
    const bool drop = isDropColumn(m.fx);
    if (drop) continue;
    const bool sameOrigin = m.fx == found.fromX && m.fy == found.fromY;
    if (!found.drop && sameOrigin && m.code != found.moved) found.mightPromote = true;
    if (found.drop && m.code == found.moved) found.boardMoveToo = true;
    if (!found.drop && !sameOrigin && s[m.fx][m.fy] == found.moved) found.twinCouldGo = true;
  }
}

// A move of `side` (-1 lower, 1 upper, 0 either) that turns `before` into
// `after`. Every destination is a square that changed, every origin one
// emptied; they are tried by destination, a drop first, then by origin.
std::optional<RecordedMove> findMove(const RecordEntry& before, const RecordEntry& after,
                                     int side) {
  Position p;
  restorePosition(p, before);
  MoveList lists[2]; // the lower side's, the upper side's
  std::vector<std::pair<Move, const MoveList*>> tried;
  for (const bool upper : {false, true}) {
    if (side != 0 && upper != (side > 0)) continue;
    const MoveList& list = lists[upper];
    generateAllMoves(p, upper, true, lists[upper]);
    for (const Move& m : list)
      if (before.BOARD[m.tx][m.ty] != after.BOARD[m.tx][m.ty] &&
          (isDropColumn(m.fx) || after.BOARD[m.fx][m.fy] == EMPTY))
        tried.emplace_back(m, &list);
  }
  auto order = [](const Move& m) {
    return (m.tx * 10 + m.ty) * 1000 + (isDropColumn(m.fx) ? 0 : 100 + m.fx * 10 + m.fy);
  };
  std::stable_sort(tried.begin(), tried.end(),
                   [&](const auto& a, const auto& b) { return order(a.first) < order(b.first); });
  RecordedMove found;
  for (const auto& [m, list] : tried)
    if (replays(before, after, m, found)) {
      noteAlternatives(found, *list, before.BOARD);
      if (found.mightPromote && after.BOARD[found.toX][found.toY] == EMPTY) {
        found.promotionUnknown = true;
        found.promoted = false;
        found.piece = found.moved;
      }
      return found;
    }
  return std::nullopt;
}

} // namespace

RecordedMove describeMove(const Position& before, int fromX, int fromY, int toX, int toY,
                          int piece) {
  const Move m{fromX, fromY, toX, toY, piece};
  RecordedMove found = describe(before.BOARD, m);
  MoveList list;
  generateAllMoves(before, piece >= CODE_UE_HU, false, list);
  noteAlternatives(found, list, before.BOARD);
  return found;
}

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

std::optional<RecordedMove> moveBetween(const RecordEntry& before, const RecordEntry& after,
                                        int mover) {
  // The mover's pieces first, then, should the guess be wrong, the other's.
  auto found = findMove(before, after, mover);
  if (!found && mover != 0) found = findMove(before, after, -mover);
  return found;
}

MoveMarks marksBetween(const RecordEntry& before, const RecordEntry& after, int mover) {
  const auto found = moveBetween(before, after, mover);
  return found ? found->marks : MoveMarks{};
}

int moverBetween(const RecordEntry& before, const RecordEntry& after) {
  const bool lower = findMove(before, after, -1).has_value();
  const bool upper = findMove(before, after, 1).has_value();
  return lower == upper ? 0 : lower ? -1 : 1;
}

MoveMarks turnedRound(const MoveMarks& marks) {
  MoveMarks out;
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y) out.at[10 - x][10 - y] = marks.at[x][y];
  return out;
}

} // namespace korvanu
