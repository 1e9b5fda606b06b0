// The in-memory move record: one snapshot of the position after every move.
#pragma once

namespace korvanu {

struct Game;

// Stores the current position as move MOVE_NO with the four clock values.
// The record grows when a game runs past its slots, so no move is lost.
void 手順保存(Game& g, double a, double b, double c, double d);

} // namespace korvanu
