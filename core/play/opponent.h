// The other side of the board, and the one owner of "who may act now": the
// computer at its level, the person at the same mouse, or the network peer
// (play/net_game.h). Every entry point that would act on the game — a click,
// a menu command or key, the start-up offer, the command line, a peer's
// message, a finished think — asks the opponent of the moment, and nothing
// else checks modes of its own for it.
#pragma once

namespace korvanu {

struct Table;
struct Move;

class Opponent {
public:
  virtual ~Opponent() = default;

  // Whether the player at this window may pick up a piece now; when not,
  // says why (the buzz and a box).
  virtual bool allowsClick(Table& g) = 0;
  // Whether a command that would step, turn, reload or restart the record, or
  // change the game's terms, may run now; `caption` names it when it may not.
  virtual bool allowsChange(Table& g, const char* caption) = 0;
  // Whether level 4 may suggest a move for the side to move.
  virtual bool allowsHint(const Table& g) const = 0;
  // Whether the program may end now: a network game asks first.
  bool quitAllowed(Table& g);
  // Whether a record may be put on the board from a file (読込, the game the
  // last run kept): never while a network game is set up or played.
  virtual bool allowsRecordLoad(const Table&) const { return true; }

  // The player's move goes to the opponent before it is played here: false
  // when it is refused there.
  virtual bool sendMove(Table&, const Move&) { return true; }
  // After each move played at this window, by either side: `goesOn` false
  // when the game ended on it (and was perhaps already begun again).
  virtual void movePlayed(Table&, bool /*goesOn*/) {}
  // 待った: true when the opponent took the request (the peer is asked);
  // false to take the moves back here.
  virtual bool asksTakeBack(Table&) { return false; }
  // 投了, before the player is asked to confirm: false (and said) when it
  // cannot be done now.
  virtual bool allowsResign(Table&) { return true; }
  // 投了 confirmed: the side that gives up (TURN_SENTE / TURN_GOTE), false
  // (and said) when it could not be done after all.
  virtual bool resign(Table& g, int& side);
  // Quitting: false to stay (the player said no).
  virtual bool allowsQuit(Table&) { return true; }

  // The peer's alone: a game agreed and not ended, when it is the opponent;
  // and a game being set up (the waiting box shows) or played.
  virtual bool gameOn() const { return false; }
  // While the waiting box shows, says what this window waits for: true.
  virtual bool saysWaiting(Table&) { return false; }

  // The game has just ended, its winner about to be named.
  virtual void gameEnded(Table&) {}
};

// The opponent of the moment: the peer while a network game is on, the
// computer in a game against it, otherwise the person at the same mouse.
Opponent& opponentOf(Table& g);

// While the waiting box shows, says what this window waits for: true.
bool peerSaysWaiting(Table& g);
// Whether the program may end now: a network game asks first.
bool quitAllowed(Table& g);
// Whether a record may be put on the board from a file now: not while a
// network game is set up or played.
bool recordMayLoad(const Table& g);

} // namespace korvanu
