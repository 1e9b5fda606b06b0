// The used time of each side as hh:mm:ss: the human's (or first player's)
// at the lower right of the board, the upper side's at the lower left.
#pragma once

#include <string>

namespace korvanu {

class Canvas;
class Timing;
struct Game;

// Two digits for 0..99 ("07", "42"); anything else gives the empty text.
std::string 変換_数字から文字(double whole);

// Seconds as hh:mm:ss, each part cut to whole units; 100 hours or more leave
// the hours empty.
std::string 調査_時間秒追加結果(double seconds);

// Under a network game's time control, the time `side` has left when its
// total with the running turn is `seconds`: the main time as hh:mm:ss, then
// the 秒読み seconds of the move (without 秒読み, the main time down to 0).
std::string 残り時間(const Game& g, int side, double seconds);

// Draws nothing unless "経過時間" is checked or for a side that is neither.
void 描画_所有時間(Canvas& c, const Game& g, int side, double seconds);
// The figure of a side whose time ran out: none left, not the next move's.
void drawTimeGone(Canvas& c, const Game& g, int side);
void 消去_所有時間(Canvas& c, const Game& g, int side);

// Pauses for `seconds` without handling any event, what is drawn staying as
// it is. Negative or senseless values do not wait, nor does a replay
// (Game::REPLAYING).
void 待ち時間(Timing& t, const Game& g, double seconds);

} // namespace korvanu
