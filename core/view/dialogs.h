// Message boxes of the presentation: the handicap refusal.
#pragma once

namespace korvanu {

class WindowPort;

// Why a handicap change was refused: 1 while a record file is open, 2 in the
// middle of a game, 3 with the board turned round; other reasons leave the
// first line empty.
void 描画_メッセージ(WindowPort& w, int reason);

} // namespace korvanu
