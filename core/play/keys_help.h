// "キー操作": the keys the game has, as the box and the manual page list them.
#pragma once

#include <string>

#include "state/menu.h"

namespace korvanu {

struct Table;

// The bar menu an item sits under, or the item itself on the bar.
Menu barMenuOf(Menu item);

// The keys the game has, a line each, as "キー操作" lists them (the manual
// page's list is made from this too).
std::string keysText();

// "キー操作": the keys, in a message box.
void KEYS_Click(Table& g);

} // namespace korvanu
