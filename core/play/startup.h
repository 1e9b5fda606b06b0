// The window's start-up order.
#pragma once

namespace korvanu {

struct Table;

// Everything the window does to draw its first picture, in order; the
// rest follows with windowShown once it is on screen.
void Form_Load(Table& g);

// The sounds (startSounds), then word of a game the last run kept aside and
// the offer to go on with it (resume.h).
void windowShown(Table& g);

} // namespace korvanu
