#include "net/referee.h"

#include "rules/moves.h"
#include "state/handicap_pieces.h"
#include "state/new_game.h"

namespace korvanu::net {

std::optional<Settings> settingsOf(const Message& m) {
  if (m.verb != Verb::Settings) return std::nullopt;
  const auto& n = m.n;
  if (n[0] < 0 || n[0] > 1 || n[1] < 0 || n[1] > 1 || n[2] < -10 || n[2] > 10 || n[3] < 0 ||
      n[4] < 0 || n[4] > 3600)
    return std::nullopt;
  return Settings{n[0] == 1, n[1] == 1, static_cast<int>(n[2]), static_cast<int>(n[3]),
                  static_cast<int>(n[4])};
}

Message settingsMessage(const Settings& s) {
  return message(Verb::Settings,
                 {s.hostSente, s.drops, s.handicap, s.mainSeconds, s.byoyomiSeconds});
}

void Referee::start(const Settings& s) {
  settings_ = s;
  moves_.clear();
  position_ = {};
  placeStartingPosition(position_);
  removeHandicapPieces(position_.BOARD, s.handicap);
  findKings(position_);
  ending_ = Ending::None;
  winner_ = -1;
}

bool Referee::allows(int side, const Move& m) const {
  if (ending_ != Ending::None || side != sideToMove()) return false;
  if (isDropColumn(m.fx)) {
    if (!settings_.drops || (m.fx == 11) != (side == SENTE)) return false;
  } else {
    if (!onBoard(m.fx, m.fy)) return false;
    const int piece = position_.BOARD[m.fx][m.fy];
    if (side == SENTE ? !isSita(piece) : !isUe(piece)) return false;
  }
  return isPlayableMove(position_, m.fx, m.fy, m.tx, m.ty, m.code);
}

void Referee::play(const Move& m) {
  Key key = 0;
  makeMove(position_, m, key);
  moves_.push_back(m);
  if (const Winner w = winnerOf(position_); w != Winner::None)
    end(Ending::KingLost, w == Winner::Sita ? SENTE : GOTE);
}

std::optional<std::size_t> Referee::takeBackTarget(int side) const {
  if (ending_ != Ending::None) return std::nullopt;
  for (std::size_t i = moves_.size(); i-- > 0;)
    if (static_cast<int>(i % 2) == side) return i;
  return std::nullopt;
}

void Referee::takeBack(std::size_t length) {
  // The record is played again from the first position: there is one way a
  // position is reached.
  const std::vector<Move> kept(moves_.begin(), moves_.begin() + std::min(length, moves_.size()));
  start(settings_);
  for (const Move& m : kept) play(m);
}

void Referee::end(Ending how, int winner) {
  if (ending_ != Ending::None) return;
  ending_ = how;
  winner_ = winner;
}

void GameClock::start(const Settings& s, std::int64_t nowMs) {
  mainMs_ = std::int64_t{s.mainSeconds} * 1000;
  byoyomiMs_ = std::int64_t{s.byoyomiSeconds} * 1000;
  used_[0] = used_[1] = 0;
  turnStart_ = nowMs;
}

bool GameClock::outOfTime(int side, std::int64_t nowMs) const {
  if (!timed()) return false;
  const std::int64_t left = std::max<std::int64_t>(mainMs_ - used_[side], 0) + byoyomiMs_;
  return nowMs - turnStart_ > left;
}

void GameClock::charge(int side, std::int64_t nowMs) {
  used_[side] += std::max<std::int64_t>(nowMs - turnStart_, 0);
  turnStart_ = nowMs;
}

} // namespace korvanu::net
