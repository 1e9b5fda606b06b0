// Choosing how to play: two people, or against the computer moving first or
// second; the computer's level.
#pragma once

namespace korvanu {

struct Game;

// Opening the 対局, 局面 or ｵﾌﾟｼｮﾝ menu closes the file panel.
void TAIKYOKU_Click(Game& g);
void STOP_Click(Game& g);
void OPTION_Click(Game& g);

void START_Click(Game& g);
void SENTE_Click(Game& g);
void GOTE_Click(Game& g);

void LEVEL1_Click(Game& g);
void LEVEL2_Click(Game& g);
void LEVEL3_Click(Game& g);
// Level 4, the search (play/level4.h).
void LEVEL4_Click(Game& g);
// Checks the level item of n (1..4) and uses that level from the computer's
// next turn; shows it at once in a game against the computer.
void レベル_設定(Game& g, int n);

} // namespace korvanu
