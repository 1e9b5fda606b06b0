// The explosion on the board after a capture: the marked squares flicker,
// the bang sounds, the blast shakes the window, and the squares end empty.
#pragma once

namespace korvanu {

struct Game;

// Plays the explosion on every square marked in EXPLODE_MAP (1..9 each way),
// then empties those squares on the board and clears the marks. Nothing else
// runs meanwhile. On return the window stands where it stood and both hand
// stands are redrawn.
void 描画_爆発アニメ(Game& g);

} // namespace korvanu
