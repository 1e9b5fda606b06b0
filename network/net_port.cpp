#include "net_port.h"

#include <QNetworkInterface>
#include <QPointer>

#include "qt_crypto.h"

namespace korvanu {

namespace {

class LinkPort : public QObject, public NetPort, public net::Listener {
public:
  LinkPort(net::Role role, std::shared_ptr<QtCrypto> crypto, const std::string& code,
           net::Listener& game, NetOptions options)
      : crypto_(std::move(crypto)),
        game_(game),
        role_(role),
        code_(code),
        options_(options),
        link_(makeLink()) {}

  bool host(const net::Settings& settings, int port, bool askRouter) override {
    options_.port = static_cast<quint16>(port);
    link_ = makeLink();
    return link_->host(settings, askRouter);
  }
  int port() const override { return link_->port(); }
  std::vector<std::string> addresses() const override {
    std::vector<std::string> found;
    for (const QHostAddress& a : QNetworkInterface::allAddresses())
      if (!a.isLoopback() && !a.isLinkLocal()) found.push_back(a.toString().toStdString());
    return found;
  }
  bool join(const std::string& address, int port) override {
    const QHostAddress a(QString::fromStdString(address));
    if (a.isNull()) return false;
    link_->join(a, static_cast<quint16>(port));
    return true;
  }
  void reconnect() override { link_->reconnect(); }
  bool agree() override { return link_->agree(); }
  bool move(const Move& m) override { return link_->move(m); }
  bool askTakeBack() override { return link_->askTakeBack(); }
  bool answerTakeBack(bool yes) override { return link_->answerTakeBack(yes); }
  bool resign() override { return link_->resign(); }
  void bye() override { link_->bye(); }
  const net::Session& session() const override { return link_->session(); }

  void onEvent(const net::Event& e) override {
    QMetaObject::invokeMethod(
        this, [this, e] { game_.onEvent(e); }, Qt::QueuedConnection);
  }

private:
  // A child too, so that the port's connection is found under it as any
  // Qt object's is.
  std::unique_ptr<NetLink> makeLink() {
    auto link = std::make_unique<NetLink>(role_, *crypto_, code_, *this, options_);
    link->setParent(this);
    return link;
  }

  std::shared_ptr<QtCrypto> crypto_;
  net::Listener& game_;
  net::Role role_;
  std::string code_;
  NetOptions options_;
  std::unique_ptr<NetLink> link_;
};

} // namespace

NetHooks qtNetHooks(NetOptions options, int rounds) {
  auto crypto = std::make_shared<QtCrypto>(rounds);
  return {[crypto, options](net::Role role, const std::string& code, net::Listener& game) {
            return std::unique_ptr<NetPort>(
                std::make_unique<LinkPort>(role, crypto, code, game, options));
          },
          [crypto] { return net::makeJoinCode(*crypto); }};
}

} // namespace korvanu
