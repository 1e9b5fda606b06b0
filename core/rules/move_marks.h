// The squares a move marks on the board: from its reported effects while it
// is played, or worked out from the two positions of the record either side
// of it when the record is stepped through or loaded from a file.
#pragma once

#include <optional>

#include "state/square_marks.h"

namespace korvanu {

struct RecordEntry;
struct Position;
struct MoveEffects;
struct ExplosionEffects;

// The origin (none for a drop), the destination and the squares the blast
// emptied; a blown destination stays marked as the destination.
MoveMarks marksOf(const MoveEffects& move, const ExplosionEffects& blast);

// A move as the notation tells it: read back from two positions of the
// record, or described as it is played.
struct RecordedMove {
  int fromX = 0, fromY = 0; // 0 for a drop
  int toX = 0, toY = 0;
  int moved = 0; // the piece that left its square or hand
  int piece = 0; // what it stood as on the destination, before the blast
  bool drop = false;
  bool promoted = false;     // it promoted on this move
  bool mightPromote = false; // the same step could have been played promoted
  // The capturing piece went up in its own blast: the record cannot tell
  // whether it promoted (it is read as it stood before).
  bool promotionUnknown = false;
  bool boardMoveToo = false; // a drop where a piece of that kind on the board could step
  bool captured = false;     // the destination held a piece
  bool twinCouldGo = false;  // another piece of its kind could have stepped there too
  int blown = 0;             // pieces the blast took off the board
  MoveMarks marks;
};

// The move of the piece on (fromX, fromY), or dropped from the hand column
// 11 or -1, to (toX, toY) as `piece`, on the position before it; its blast
// and marks are not known yet.
RecordedMove describeMove(const Position& before, int fromX, int fromY, int toX, int toY,
                          int piece);

// The move that turns `before` into `after`, found by replaying each
// candidate with its explosion; nothing when no single move does. A capture
// between two neighbours that blows up both could have been made by either:
// the side that moved, when known (-1 lower, 1 upper, 0 not known), is tried
// first. Where two pieces of one side could have made it (both blown up
// beside the capture square), the first in board order is taken: the boards
// cannot tell them apart.
std::optional<RecordedMove> moveBetween(const RecordEntry& before, const RecordEntry& after,
                                        int mover = 0);

// The marks of that move; none when no single move does.
MoveMarks marksBetween(const RecordEntry& before, const RecordEntry& after, int mover = 0);

// The side (-1 lower, 1 upper) whose single move turns `before` into
// `after`; 0 when no move does, or when either side's could.
int moverBetween(const RecordEntry& before, const RecordEntry& after);

// The marks as they stand once the board is turned round.
MoveMarks turnedRound(const MoveMarks& marks);

} // namespace korvanu
