// The keyboard's cursor taken off the window (play/keyboard.h brings it out
// and moves it).
#pragma once

namespace korvanu {

struct Table;

// Takes the cursor off the window, so that ← and → step the record again:
// the mouse does so, and a board set up afresh.
void putCursorAway(Table& g);

} // namespace korvanu
