#include "net_link.h"

namespace korvanu {

namespace {

// Read in pieces no larger than this: the session refuses an overlong line
// long before a piece this size is buffered twice.
constexpr qint64 READ_PIECE = 64 * 1024;
// A connection told to go that does not read its last words is cut.
constexpr int PARTING_MS = 2000;

// What one peer holds of the addresses: an IPv4 address, or an IPv6
// address's /64, which one home is given whole.
std::string holderOf(const QHostAddress& address) {
  bool v4 = false;
  const quint32 ip4 = address.toIPv4Address(&v4);
  if (v4) return QHostAddress(ip4).toString().toStdString();
  Q_IPV6ADDR ip6 = address.toIPv6Address();
  for (int i = 8; i < 16; ++i) ip6[i] = 0;
  return QHostAddress(ip6).toString().toStdString() + "/64";
}

} // namespace

NetLink::NetLink(net::Role role, net::Crypto& crypto, std::string code, net::Listener& listener,
                 NetOptions options)
    : role_(role),
      listener_(listener),
      options_(options),
      session_(role, crypto, std::move(code), listener, options.timing, options.limiter) {
  elapsed_.start();
  connect(&server_, &QTcpServer::newConnection, this, &NetLink::accept);
  connect(&timer_, &QTimer::timeout, this, [this] {
    session_.tick(now());
    flush();
  });
  timer_.start(options_.tickMs);
}

NetLink::~NetLink() {
  // Closed without a word to the game, which is letting this link go.
  for (const auto& [id, socket] : sockets_)
    if (socket) socket->disconnect(this), socket->abort();
  if (dialing_) dialing_->disconnect(this), dialing_->abort();
}

bool NetLink::host(const net::Settings& settings, bool askRouter) {
  session_.offer(settings);
  if (!server_.listen(options_.listenAddress, options_.port) &&
      !server_.listen(options_.listenAddress, 0))
    return false;
  port_ = server_.serverPort();
  if (askRouter && options_.router.enabled) {
    const auto tell = [this](net::Event::Kind k, std::string detail = {}) {
      listener_.onEvent({.kind = k, .detail = std::move(detail)});
    };
    router_ = std::make_unique<RouterPort>(port_, options_.router);
    connect(router_.get(), &RouterPort::mapped, this, [tell](const std::string& endpoint) {
      tell(net::Event::Kind::RouterMapped, endpoint);
    });
    connect(router_.get(), &RouterPort::silent, this,
            [tell] { tell(net::Event::Kind::RouterSilent); });
    tell(net::Event::Kind::RouterAsked);
  }
  return true;
}

void NetLink::join(const QHostAddress& address, quint16 port) {
  peerAddress_ = address;
  peerPort_ = port;
  reconnect();
}

void NetLink::reconnect() {
  if (role_ != net::Role::Join || !sockets_.empty() || dialing_) return;
  auto* socket = new QTcpSocket(this);
  dialing_ = socket;
  connect(socket, &QTcpSocket::connected, this, [this, socket] {
    dialing_ = nullptr;
    session_.opened(adopt(socket), {}, now());
    flush();
  });
  // A connection that never opened is lost too.
  connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
    if (dialing_ != socket) return;
    dialing_ = nullptr;
    net::Event e{net::Event::Kind::Lost};
    e.reason = net::Reason::Dropped;
    e.detail = socket->errorString().toStdString();
    socket->deleteLater();
    listener_.onEvent(e);
  });
  socket->connectToHost(peerAddress_, peerPort_);
}

void NetLink::accept() {
  while (QTcpSocket* incoming = server_.nextPendingConnection()) {
    const net::ConnectionId c = adopt(incoming);
    session_.opened(c, holderOf(incoming->peerAddress()), now());
  }
  flush();
}

net::ConnectionId NetLink::adopt(QTcpSocket* socket) {
  const net::ConnectionId c = ++lastId_;
  sockets_[c] = socket;
  socket->setParent(this);
  connect(socket, &QTcpSocket::readyRead, this, [this, c] { readSome(c); });
  connect(socket, &QTcpSocket::disconnected, this, [this, c] { dropped(c); });
  return c;
}

void NetLink::readSome(net::ConnectionId c) {
  const auto it = sockets_.find(c);
  if (it == sockets_.end()) return;
  const QPointer<QTcpSocket> socket = it->second;
  while (socket && socket->bytesAvailable() > 0 && !session_.closing(c)) {
    const QByteArray piece = socket->read(READ_PIECE);
    session_.received(c, std::string_view(piece.constData(), piece.size()), now());
    flush();
  }
}

void NetLink::dropped(net::ConnectionId c) {
  const auto it = sockets_.find(c);
  if (it == sockets_.end()) return;
  QTcpSocket* socket = it->second;
  sockets_.erase(it);
  if (socket) socket->deleteLater();
  session_.closed(c, now());
  flush();
}

bool NetLink::flushed(bool done) {
  flush();
  return done;
}

void NetLink::flush() {
  for (auto it = sockets_.begin(); it != sockets_.end();) {
    const net::ConnectionId c = it->first;
    QTcpSocket* socket = it->second;
    const std::string out = session_.takeOutput(c);
    if (socket && !out.empty()) socket->write(out.data(), static_cast<qint64>(out.size()));
    if (!socket || !session_.closing(c)) {
      ++it;
      continue;
    }
    // Its last words sent, it goes; one that will not take them is cut.
    it = sockets_.erase(it);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(PARTING_MS, socket, [socket] { socket->abort(); });
    socket->disconnectFromHost();
    session_.closed(c, now());
  }
  // The host's port is its own for the whole game, so that no other program
  // can take it while the friend is away; once the game is over it goes,
  // and the router's forwarding with it.
  if (role_ == net::Role::Host && !session_.holdsPort() && server_.isListening()) {
    server_.close();
    router_.reset();
  }
}

bool NetLink::agree() { return flushed(session_.agree()); }

bool NetLink::move(const Move& m) { return flushed(session_.move(m, now())); }

bool NetLink::askTakeBack() { return flushed(session_.askTakeBack()); }

bool NetLink::answerTakeBack(bool yes) { return flushed(session_.answerTakeBack(yes, now())); }

bool NetLink::resign() { return flushed(session_.resign()); }

void NetLink::bye() {
  session_.bye();
  flush();
}

} // namespace korvanu
