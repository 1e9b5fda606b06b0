// The network game as each end keeps it: the host's settings, the moves in
// order and the position they lead to, each move checked by the rules as a
// click is, and how the game ended. The host's copy is the referee's; the
// joiner's checks the host in turn.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "net/protocol.h"
#include "rules/make_move.h"
#include "state/position.h"

namespace korvanu::net {

// 先手 moves the lower pieces and moves first.
constexpr int SENTE = 0, GOTE = 1;

struct Settings {
  bool hostSente = true;
  bool drops = true;
  int handicap = 0;       // as △ and ▽ set it: > 0 the upper side gives pieces
  int mainSeconds = 0;    // 0 and 0: no time control
  int byoyomiSeconds = 0; // 秒読み: the time each move may take once the main time is used
  bool operator==(const Settings&) const = default;
};
std::optional<Settings> settingsOf(const Message& m);
Message settingsMessage(const Settings& s);

enum class Ending { None, KingLost, Resigned, TimeUp };

class Referee {
public:
  // A new game on these settings, from its first position.
  void start(const Settings& s);
  const Settings& settings() const { return settings_; }
  const std::vector<Move>& moves() const { return moves_; }
  const Position& position() const { return position_; }
  int sideToMove() const { return static_cast<int>(moves_.size() % 2); }
  Ending ending() const { return ending_; }
  // The winning side once the game is over.
  int winner() const { return winner_; }

  // Whether `side` may make `m` now: its turn, its own piece, a drop only
  // with drops on, and a move the rules allow.
  bool allows(int side, const Move& m) const;
  // A move `allows` let through.
  void play(const Move& m);
  // The record length after `side` takes back its last move, or nothing when
  // it has none to take back (or the game is over).
  std::optional<std::size_t> takeBackTarget(int side) const;
  // The game goes back to its first `length` moves.
  void takeBack(std::size_t length);
  void resign(int side) { end(Ending::Resigned, 1 - side); }
  void timeUp(int side) { end(Ending::TimeUp, 1 - side); }

private:
  void end(Ending how, int winner);
  Settings settings_;
  std::vector<Move> moves_;
  Position position_;
  Ending ending_ = Ending::None;
  int winner_ = -1;
};

// The host's clock: each side's used time, and when the side to move runs
// out (main time, then 秒読み a move).
class GameClock {
public:
  void start(const Settings& s, std::int64_t nowMs);
  bool timed() const { return mainMs_ > 0 || byoyomiMs_ > 0; }
  std::int64_t used(int side) const { return used_[side]; }
  // The side's turn runs from now on (after a move, a take-back or a
  // reconnect: time while the connection was down is not charged).
  void turnStarts(std::int64_t nowMs) { turnStart_ = nowMs; }
  // Whether `side`, on its turn, has run out by now.
  bool outOfTime(int side, std::int64_t nowMs) const;
  // The host's figures, as the joiner shows them.
  void set(std::int64_t sente, std::int64_t gote) { used_[0] = sente, used_[1] = gote; }
  // The turn's time goes to `side`.
  void charge(int side, std::int64_t nowMs);

private:
  std::int64_t mainMs_ = 0, byoyomiMs_ = 0, turnStart_ = 0;
  std::int64_t used_[2] = {0, 0};
};

} // namespace korvanu::net
