// What the game tells the player in a plain box with an OK button.
#pragma once

#include <string>

namespace korvanu {

struct Table;

void say(Table& g, const std::string& text, const char* title);
// The forbidden sound, then the reason.
void sayRefused(Table& g, const std::string& text, const char* title);

} // namespace korvanu
