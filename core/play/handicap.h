// Handicaps: before the first move, either side gives up pieces one click
// at a time, from "12級" (the upper side without ten pieces) to "名人".
#pragma once

namespace korvanu {

struct Table;

void LBEL_UP_Click(Table& g);
void LEBEL_DOWN_Click(Table& g);

} // namespace korvanu
