// Walking through the game's record: one move back or forward, back to the
// first position, and the board turned round.
#pragma once

namespace korvanu {

struct Game;

void REPLAY_Click(Game& g);
void AFTER_Click(Game& g);
void CANCEL_Click(Game& g);
void REVERSE_Click(Game& g);

} // namespace korvanu
