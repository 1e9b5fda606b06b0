// The in-memory move record: one snapshot of the position after every move.
#pragma once

namespace korvanu {

struct Game;
struct Position;

struct RecordEntry;

// Stores the current position as move MOVE_NO with the four clock values.
// The record grows when a game runs past its slots, so no move is lost.
void 手順保存(Game& g, double a, double b, double c, double d);

// A move just made, its explosion over, becomes the next entry of the record
// and its last: the counters step on and the position is stored with both
// sides' totals after the move, the same whether the record is later stepped
// back or forward to it. The record is then unsaved.
void recordMove(Game& g, double manTotal, double comTotal);

// The last entry that can be shown: RECORD_LAST, but never past what the
// record holds.
int lastShownEntry(const Game& g);

// Puts a stored position's board and hands back; the totals become the
// sums of the hands and the kings' squares where the kings stand. The clocks
// are the caller's business.
void restorePosition(Position& p, const RecordEntry& e);

// The board and hands of the game as a record entry, clocks zero.
RecordEntry positionOf(const Position& p);

} // namespace korvanu
