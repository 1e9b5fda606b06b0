// A request to end the program from outside (SIGTERM when the session ends,
// SIGINT, SIGHUP) closes the window as its close button does, so the game
// ends through Form_Unload and keeps its record. A second such signal ends
// the program at once, should the first wait behind the computer's thinking.
#pragma once

class QWidget;

namespace korvanu {

void closeOnQuitSignals(QWidget& window);

} // namespace korvanu
