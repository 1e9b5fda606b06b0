// 局面 → 棋譜一覧: every move of the record in a small window beside the game,
// the position shown marked; a click on a move shows the position after it.
#pragma once

namespace korvanu {

struct Game;

// Shows the list (again, once the player has closed it).
void KIFU_LIST_Click(Game& g);
// While it shows, the list follows the record and the entry shown.
void updateMoveList(Game& g);
// Row n of the list was clicked: entry n is shown, stepped to as 戻 and 進
// step (a picked-up piece is let go). Forward needs a game, as 進 does.
void moveListRowClicked(Game& g, int row);

} // namespace korvanu
