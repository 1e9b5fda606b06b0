// Choosing how to play: two people, or against the computer moving first or
// second; the computer's level.
#pragma once

namespace korvanu {

struct Table;

// Opening the 対局, 局面 or ｵﾌﾟｼｮﾝ menu closes the file panel.
void TAIKYOKU_Click(Table& g);
void STOP_Click(Table& g);
void OPTION_Click(Table& g);

void START_Click(Table& g);
void SENTE_Click(Table& g);
void GOTE_Click(Table& g);

void LEVEL1_Click(Table& g);
void LEVEL2_Click(Table& g);
void LEVEL3_Click(Table& g);
// Level 4, the search (play/level4.h).
void LEVEL4_Click(Table& g);
// Checks the level item of n (1..4) and uses that level from the computer's
// next turn; shows it at once in a game against the computer.
void レベル_設定(Table& g, int n);

} // namespace korvanu
