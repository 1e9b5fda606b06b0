#include "net_link.h"

namespace korvanu {

namespace {
// Read in pieces no larger than this: the session refuses an overlong line
// long before a piece this size is buffered twice.
constexpr qint64 READ_PIECE = 64 * 1024;
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
  if (socket_) socket_->abort();
}

bool NetLink::host(const net::Settings& settings) {
  session_.offer(settings);
  if (!server_.listen(options_.listenAddress, options_.port) &&
      !server_.listen(options_.listenAddress, 0))
    return false;
  port_ = server_.serverPort();
  return true;
}

void NetLink::join(const QHostAddress& address, quint16 port) {
  peerAddress_ = address;
  peerPort_ = port;
  reconnect();
}

void NetLink::reconnect() {
  if (role_ != net::Role::Join || socket_) return;
  auto* socket = new QTcpSocket(this);
  opened_ = false;
  connect(socket, &QTcpSocket::connected, this, [this] {
    opened_ = true;
    session_.opened(now());
    flush();
  });
  // A connection that never opened is lost too.
  connect(socket, &QTcpSocket::errorOccurred, this, [this, socket] {
    if (opened_ || socket_ != socket) return;
    net::Event e{net::Event::Kind::Lost};
    e.reason = net::Reason::Dropped;
    e.detail = socket->errorString().toStdString();
    socket_ = nullptr;
    socket->deleteLater();
    listener_.onEvent(e);
  });
  adopt(socket);
  socket->connectToHost(peerAddress_, peerPort_);
}

void NetLink::accept() {
  while (QTcpSocket* incoming = server_.nextPendingConnection()) {
    if (socket_) {
      // One game per host: whoever comes second hears so and goes.
      incoming->write(net::Session::busyLine().c_str());
      incoming->disconnectFromHost();
      connect(incoming, &QTcpSocket::disconnected, incoming, &QObject::deleteLater);
      continue;
    }
    adopt(incoming);
    session_.opened(now());
    flush();
  }
}

void NetLink::adopt(QTcpSocket* socket) {
  socket_ = socket;
  socket->setParent(this);
  connect(socket, &QTcpSocket::readyRead, this, &NetLink::readSome);
  connect(socket, &QTcpSocket::disconnected, this, &NetLink::dropped);
}

void NetLink::readSome() {
  while (socket_ && socket_->bytesAvailable() > 0 && !session_.closing()) {
    const QByteArray piece = socket_->read(READ_PIECE);
    session_.received(std::string_view(piece.constData(), piece.size()), now());
    flush();
  }
}

void NetLink::dropped() {
  QTcpSocket* socket = socket_;
  if (!socket || sender() != socket) return;
  socket_ = nullptr;
  socket->deleteLater();
  session_.closed(now());
  flush();
}

bool NetLink::flushed(bool done) {
  flush();
  return done;
}

void NetLink::flush() {
  const std::string out = session_.takeOutput();
  if (socket_ && !out.empty()) socket_->write(out.data(), static_cast<qint64>(out.size()));
  if (socket_ && session_.closing()) {
    socket_->disconnectFromHost();
  }
  if (role_ != net::Role::Host) return;
  const bool wanted = session_.waitingForPeer();
  if (wanted && !server_.isListening() && port_ != 0) server_.listen(options_.listenAddress, port_);
  if (!wanted && server_.isListening()) server_.close();
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
