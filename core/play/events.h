// Everything that reaches the game from outside it — a click, a key, a menu
// command, a peer's message, a finished think — is handled as one event,
// whole, before the next begins. A message box shown while an event is
// handled lets the window's own events run; those that would change the game
// wait until the event that showed it is over.
#pragma once

#include <functional>

namespace korvanu {

struct Table;

// Handles `event` now, or, when another is still being handled, once that
// one (and those that waited before) are done.
void handleEvent(Table& g, std::function<void()> event);

} // namespace korvanu
