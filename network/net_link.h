// Carries a network game's bytes: the host's listening port (47170, or any
// free one when that is taken; IPv4 and IPv6) and the connections it takes,
// or the joiner's connection out; a timer for the session's timeouts and
// clock. The game itself is the session's: this only moves bytes and time.
#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <map>
#include <memory>

#include "net/session.h"
#include "router_port.h"

namespace korvanu {

constexpr quint16 NET_PORT = 47170;

struct NetOptions {
  // Where the host listens: every interface unless told.
  QHostAddress listenAddress = QHostAddress::Any;
  quint16 port = NET_PORT;
  net::Timing timing;
  net::AttemptLimiter limiter;
  int tickMs = 100;
  RouterOptions router;
};

class NetLink : public QObject {
  Q_OBJECT
public:
  NetLink(net::Role role, net::Crypto& crypto, std::string code, net::Listener& listener,
          NetOptions options = {});
  ~NetLink() override;

  // Host: offers the settings and listens, asking the home router to
  // forward the port when `askRouter` and the options allow. False when no
  // port could be had.
  bool host(const net::Settings& settings, bool askRouter = false);
  quint16 port() const { return port_; }
  // Joiner: connects (again, after a loss, with the same address).
  void join(const QHostAddress& address, quint16 port);
  void reconnect();

  // The player's calls, as the session takes them.
  bool agree();
  bool move(const Move& m);
  bool askTakeBack();
  bool answerTakeBack(bool yes);
  bool resign();
  void bye();

  const net::Session& session() const { return session_; }
  bool listening() const { return server_.isListening(); }

private:
  std::int64_t now() const { return elapsed_.elapsed(); }
  void accept();
  net::ConnectionId adopt(QTcpSocket* socket);
  void readSome(net::ConnectionId c);
  void dropped(net::ConnectionId c);
  // Sends what the session has to say on each connection, closes those it is
  // done with, and lets the port go once the game no longer needs it.
  void flush();
  // Sends what a call of the session wrote, and passes on its answer.
  bool flushed(bool done);

  net::Role role_;
  net::Listener& listener_;
  NetOptions options_;
  net::Session session_;
  QTcpServer server_;
  std::map<net::ConnectionId, QPointer<QTcpSocket>> sockets_;
  net::ConnectionId lastId_ = 0;
  QPointer<QTcpSocket> dialing_; // the joiner's connection until it opens
  std::unique_ptr<RouterPort> router_;
  QTimer timer_;
  QElapsedTimer elapsed_;
  quint16 port_ = 0;
  QHostAddress peerAddress_;
  quint16 peerPort_ = 0;
};

} // namespace korvanu
