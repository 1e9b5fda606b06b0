// 局面 → 棋譜一覧: every move of the record in a small window beside the game,
// the position shown marked; a click on a move shows the position after it.
#pragma once

namespace korvanu {

struct Table;

// Shows the list (again, once the player has closed it).
void KIFU_LIST_Click(Table& g);
// While it shows, the list follows the record and the entry shown.
void updateMoveList(Table& g);

} // namespace korvanu
