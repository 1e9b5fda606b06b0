#include "play/opponent.h"

#include "language/translate.h"
#include "platform/table.h"
#include "play/level4.h"
#include "play/messages.h"

namespace korvanu {

bool Opponent::resign(Table& g, int& side) {
  side = g.TURN;
  return true;
}

namespace {

// The computer: nothing acts while it thinks (the window lets no input
// through meanwhile either), and its own turn is not the player's to use.
class Computer : public Opponent {
public:
  bool allowsClick(Table& g) override { return !thinking(g); }
  bool allowsChange(Table& g, const char*) override { return !thinking(g); }
  bool allowsHint(const Table& g) const override { return g.TURN != g.SIDE_COM && !thinking(g); }
  bool allowsResign(Table& g) override {
    if (g.TURN == g.SIDE_MAN && !thinking(g)) return true;
    sayRefused(g, tr("ｺﾝﾋﾟｭｰﾀの番ではできません"), tr("投了"));
    return false;
  }
};

// The person at the same mouse plays either side in turn; a hint may be
// asked for whichever is to move.
class Person : public Opponent {
public:
  bool allowsClick(Table& g) override { return !thinking(g); }
  bool allowsChange(Table& g, const char*) override { return !thinking(g); }
  bool allowsHint(const Table& g) const override { return !thinking(g); }
};

} // namespace

Opponent& opponentOf(Table& g) {
  static Computer computer;
  static Person person;
  if (g.NET && g.NET->gameOn()) return *g.NET;
  return g.GAME_MODE == MODE_MAN_COM ? static_cast<Opponent&>(computer) : person;
}

bool peerSaysWaiting(Table& g) { return g.NET && g.NET->saysWaiting(g); }

bool quitAllowed(Table& g) { return !g.NET || g.NET->allowsQuit(g); }

bool recordMayLoad(const Table& g) { return !g.NET || g.NET->allowsRecordLoad(g); }

} // namespace korvanu
