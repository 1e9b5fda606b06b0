// The network game at the window: each player at their own, the host's
// terms agreed, the peer's moves played through the same turn a click
// plays, 待った asked of the peer, 投了 and time up ending it for both, a lost
// connection said and the game kept for a reconnect with the same code.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/session.h"
#include "platform/platform.h"

namespace korvanu {

struct Table;

// The connection as the game uses it; the window's is Qt's (network/).
class NetPort {
public:
  virtual ~NetPort() = default;
  // Host: offers the terms and listens on `port` (any free one when taken),
  // the home router asked to forward it when `askRouter`.
  virtual bool host(const net::Settings& settings, int port, bool askRouter) = 0;
  virtual int port() const = 0;
  // This machine's addresses a friend may use.
  virtual std::vector<std::string> addresses() const = 0;
  // Joiner: false when the address cannot be read.
  virtual bool join(const std::string& address, int port) = 0;
  virtual void reconnect() = 0;
  virtual bool agree() = 0;
  virtual bool move(const Move& m) = 0;
  virtual bool askTakeBack() = 0;
  virtual bool answerTakeBack(bool yes) = 0;
  virtual bool resign() = 0;
  virtual void bye() = 0;
  virtual const net::Session& session() const = 0;
};

struct NetHooks {
  std::function<std::unique_ptr<NetPort>(net::Role, const std::string& code, net::Listener&)> open;
  std::function<std::string()> newCode;
};

// The window can play over the network from now on.
void enableNetwork(Table& g, NetHooks hooks);

constexpr int DEFAULT_NET_PORT = 47170;

// Host with these terms: the port and code the friend needs, or nothing
// when no port could be had.
struct Hosting {
  int port;
  std::string code;
};
std::optional<Hosting> hostNetGame(Table& g, const NetTerms& terms, int port = DEFAULT_NET_PORT);
// Joins "address[:port]" with `code`; `confirm` shows the host's terms first,
// otherwise they are agreed to at once. False when the address or code is
// not one.
bool joinNetGame(Table& g, const std::string& address, const std::string& code, bool confirm);
// The waiting box's cancel: the port closes, the host's or the joiner's;
// during a game kept for a friend who is away, only the box goes.
void cancelHosting(Table& g);

void NET_HOST_Click(Table& g);
void NET_JOIN_Click(Table& g);

// A network game is on (agreed, not ended), connected or not. The rest of
// the game asks the peer through the opponent seam (play/opponent.h).
bool netGameOn(const Table& g);

} // namespace korvanu
