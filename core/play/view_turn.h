// 盤面回転: the picture seen from the upper side's seat. Only the drawing and
// the clicks turn (view/board_view.h shownCell); the game, its record and
// its files stay as they are, and so does 反転, which turns the game itself.
#pragma once

namespace korvanu {

struct Table;

// Turns the view round, or back, and redraws the window at once. It stays
// as set over new games, 反転, 戻/進 and loaded records, for as long as the
// program runs.
void setViewTurned(Table& g, bool turned);

// The menu item and its key: the view the other way round.
void VIEW_TURN_Click(Table& g);

} // namespace korvanu
