// With move guidance on, the explosion a capture would set off is shown
// while the pointer rests on the capture square, and taken away again before
// anything else happens.
#pragma once

namespace korvanu {

struct Table;

// The pointer is over cell (x, y), on the board or off it.
void pointAtCell(Table& g, int x, int y);

// Repaints the squares the preview covers as they are; nothing when none is
// shown.
void hideExplosionPreview(Table& g);

} // namespace korvanu
