#include "play/resign.h"

#include "language/translate.h"
#include "play/clock.h"
#include "play/file_panel.h"
#include "play/game_end.h"
#include "play/messages.h"
#include "play/net_game.h"
#include "play/turn.h"
#include "state/game.h"

namespace korvanu {

namespace {

constexpr const char* TITLE = N_("投了");

} // namespace

void RESIGN_Click(Game& g) {
  closeFilePanel(g);
  if (g.RECORD_MODE == ON) return sayRefused(g, tr("棋譜ﾓｰﾄﾞではできません"), tr(TITLE));
  if (g.TURN == NO_GAME) return sayRefused(g, tr("対局中ではありません"), tr(TITLE));
  const bool againstComputer = g.GAME_MODE == MODE_MAN_COM;
  if (againstComputer && g.TURN != g.SIDE_MAN)
    return sayRefused(g, tr("ｺﾝﾋﾟｭｰﾀの番ではできません"), tr(TITLE));
  // One click next to 終わり must not throw a game away.
  if (g.ui.messageBox(tr("投了しますか？"), tr(TITLE), Buttons::YesNo, Icon::None) != Answer::Yes)
    return;
  int side = g.TURN;
  if (netGameOn(g) && !netResign(g, side)) return sayRefused(g, tr("できません"), tr(TITLE));
  resignSide(g, side);
}

void resignSide(Game& g, int side) {
  const bool againstComputer = g.GAME_MODE == MODE_MAN_COM;
  // The turn that runs counts to its side, as a move would have; a game
  // paused on a step shows the totals of the position stepped to.
  if (g.RESUME_PENDING == OFF) measureTurn(g);
  const double running = g.RESUME_PENDING == OFF ? g.TURN_ELAPSED : 0;
  const bool lowerRuns = g.TURN == g.SIDE_MAN;
  stopClocks(g, g.MAN_TIME + (lowerRuns ? running : 0), g.COM_TIME + (lowerRuns ? 0 : running));
  g.RECORD_RESIGNED = true;
  終了(g, againstComputer ? N_("ｺﾝﾋﾟｭｰﾀ") : sideName(-side));
}

} // namespace korvanu
