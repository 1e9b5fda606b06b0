// Level 4 (探索) in the game: the search, run on a copy of the position
// beside the window, a fixed time a move, for the computer and for a hint.
#pragma once

namespace korvanu {

struct Game;
struct Move;

constexpr int LEVEL_SEARCH = 4;
// Level 4's thinking time a move, the computer's and a hint's alike.
constexpr int LEVEL4_THINK_MS = 1000;

// Level 4's move for the upper (`upper`) or lower side in the position on
// the board, the record's earlier positions counting as repetitions. The
// window goes on meanwhile (Platform::runAside). False when there is no move,
// or when the program ended while it thought (g.QUITTING).
bool thinkLevel4(Game& g, bool upper, Move& best);

} // namespace korvanu
