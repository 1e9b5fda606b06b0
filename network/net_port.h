// The game's connection (play/net_game.h) over NetLink. The session's events
// reach the game from the event loop, never from inside NetLink's own
// reading: the game may open a box there, whose loop reads on.
#pragma once

#include "net_link.h"
#include "play/net_game.h"

namespace korvanu {

// Hooks that open NetLinks with these options; codes and keys from Qt's
// cryptography with `rounds` of PBKDF2 (fewer only in tests).
NetHooks qtNetHooks(NetOptions options = {}, int rounds = 200'000);

} // namespace korvanu
