// The turn clock: Timer1 ticks every 50 ms while a turn's clock runs and
// shows the mover's used time once per whole second.
#pragma once

namespace korvanu {

struct Table;

// The one way to start and stop Timer1: the game's flag and the window's
// timer always agree.
void setTimer1(Table& g, bool enabled);

// Seconds from `start` to `now`, both seconds since midnight; a turn that
// passed midnight still counts forward.
double 調査_経過秒(double start, double now);

void Timer1_Timer(Table& g);

// The move is made: TURN_ELAPSED becomes the time since the turn began,
// whether or not the clock is shown, so the mover's total grows by the real
// time of the turn and never by what the last tick happened to leave.
void measureTurn(Table& g);

// The game is over: the timer stops and both clocks show, for good, the
// totals given (the lower side's and the upper side's).
void stopClocks(Table& g, double manTotal, double comTotal);

// "経過時間": shows or hides both clocks and starts or stops the timer.
void KEIKA_Click(Table& g);

} // namespace korvanu
