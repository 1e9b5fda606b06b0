// Level 4 (探索) in the game: the search, run on a copy of the position on
// the program's worker thread, a fixed time a move, for the computer and for
// a hint. The window goes on meanwhile; the move comes back as an event of
// its own, taken only if the board still shows the position it was asked
// for, with the same side to move.
#pragma once

namespace korvanu {

struct Table;
struct Move;

constexpr int LEVEL_SEARCH = 4;
// Level 4's thinking time a move, the computer's and a hint's alike.
constexpr int LEVEL4_THINK_MS = 1000;

// What is done with the move once it is back: `found` false when the side
// has no move at all.
using ThinkDone = void (*)(Table& g, bool found, const Move& best);

// Starts level 4 on the position on the board for the upper (`upper`) or
// lower side, the record's earlier positions counting as repetitions; a think
// still running is dropped. `done` runs once the move is back, unless the
// game has moved on meanwhile (another position, another side to move,
// another mode, the think stopped, the program ending).
void startThink(Table& g, bool upper, ThinkDone done);
// Whether a think is awaited.
bool thinking(const Table& g);
// Drops the think awaited, if any: whatever it finds is not used.
void stopThink(Table& g);

} // namespace korvanu
