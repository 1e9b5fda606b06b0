// The end of a game: the winner announced and another game offered.
#pragma once

#include <string>

namespace korvanu {

struct Table;

// Announces the winner ("あなた", "ｺﾝﾋﾟｭｰﾀ", "先手" or "後手") and offers
// another game: yes sets up a new one, no ends the program.
void 終了(Table& g, const std::string& name);

} // namespace korvanu
