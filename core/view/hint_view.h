// The hint on the board: its move's cells tinted in a colour of their own and
// the move written right of the board, under "ヒント".
#pragma once

namespace korvanu {

class Canvas;
struct Game;
struct HintMarks;

// "ヒント" with "思考中" under it, while the hint is thought over.
void showHintThinking(Canvas& c, const Game& g);
// The cells of g.HINT, tinted, and the move in notation, `piece` the code
// that will stand on its destination.
void showHint(Canvas& c, const Game& g, int piece);
// The cells `was` marked, repainted as they stand now that g.HINT no longer
// shows (the last move's marks come back), and the text gone.
void eraseHint(Canvas& c, const Game& g, const HintMarks& was);
// Only the text, the thinking or the move.
void eraseHintText(Canvas& c, const Game& g);

} // namespace korvanu
