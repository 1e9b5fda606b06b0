#include "play/resign.h"
#include "play/panel_shown.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/game_end.h"
#include "play/messages.h"
#include "play/opponent.h"
#include "play/turn.h"

namespace korvanu {

namespace {

constexpr const char* TITLE = N_("投了");

} // namespace

void RESIGN_Click(Table& g) {
  closeFilePanel(g);
  if (g.RECORD_MODE == ON) return sayRefused(g, tr("棋譜ﾓｰﾄﾞではできません"), tr(TITLE));
  if (g.TURN == NO_GAME) return sayRefused(g, tr("対局中ではありません"), tr(TITLE));
  if (!opponentOf(g).allowsResign(g)) return;
  // One click next to 終わり must not throw a game away.
  if (g.ui.messageBox(tr("投了しますか？"), tr(TITLE), Buttons::YesNo, Icon::None) != Answer::Yes)
    return;
  int side = g.TURN;
  if (opponentOf(g).resign(g, side)) resignSide(g, side);
}

void resignSide(Table& g, int side) {
  const bool againstComputer = g.GAME_MODE == MODE_MAN_COM;
  // The turn that runs counts to its side, as a move would have; a game
  // paused on a step shows the totals of the position stepped to.
  if (g.RESUME_PENDING == OFF) measureTurn(g);
  const double running = g.RESUME_PENDING == OFF ? g.TURN_ELAPSED : 0;
  const bool lowerRuns = g.TURN == g.SIDE_MAN;
  stopClocks(g, g.MAN_TIME + (lowerRuns ? running : 0), g.COM_TIME + (lowerRuns ? 0 : running));
  // The game ends on the position shown: moves stepped back over are no
  // longer the game's, as after 待った.
  if (g.RECORD_LAST > g.MOVE_NO) g.RECORD_LAST = g.MOVE_NO;
  g.RECORD_RESIGNED = true;
  終了(g, againstComputer ? N_("ｺﾝﾋﾟｭｰﾀ") : sideName(-side));
}

} // namespace korvanu
