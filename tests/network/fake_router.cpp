#include "fake_router.h"

#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QtEndian>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace korvanu::testing {

namespace {

const QHostAddress SSDP_GROUP(QStringLiteral("239.255.255.250"));
constexpr const char* SERVICE = "urn:schemas-upnp-org:service:WANIPConnection:1";

QByteArray description() {
  return QByteArray(R"(<?xml version="1.0"?>
<root xmlns="urn:schemas-upnp-org:device-1-0">
<specVersion><major>1</major><minor>0</minor></specVersion>
<device>
<deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType>
<friendlyName>test router</friendlyName>
<UDN>uuid:00000000-0000-0000-0000-00000000a001</UDN>
<deviceList><device>
<deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType>
<UDN>uuid:00000000-0000-0000-0000-00000000a002</UDN>
<serviceList><service>
<serviceType>urn:schemas-upnp-org:service:WANCommonInterfaceConfig:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANCommonIFC1</serviceId>
<controlURL>/ctl/CmnIfCfg</controlURL>
<eventSubURL>/evt/CmnIfCfg</eventSubURL>
<SCPDURL>/WANCfg.xml</SCPDURL>
</service></serviceList>
<deviceList><device>
<deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType>
<UDN>uuid:00000000-0000-0000-0000-00000000a003</UDN>
<serviceList><service>
<serviceType>urn:schemas-upnp-org:service:WANIPConnection:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId>
<controlURL>/ctl/IPConn</controlURL>
<eventSubURL>/evt/IPConn</eventSubURL>
<SCPDURL>/WANIPCn.xml</SCPDURL>
</service></serviceList>
</device></deviceList>
</device></deviceList>
</device>
</root>
)");
}

// The text of <name>…</name> in a request's body.
QByteArray argument(const QByteArray& body, const char* name) {
  const QByteArray open = QByteArray("<") + name + ">", close = QByteArray("</") + name + ">";
  const qsizetype from = body.indexOf(open), to = body.indexOf(close);
  if (from < 0 || to < from) return {};
  return body.mid(from + open.size(), to - from - open.size());
}

void reply(QTcpSocket* client, const char* status, const QByteArray& body) {
  client->write(QByteArray("HTTP/1.1 ") + status +
                "\r\nContent-Type: text/xml; charset=\"utf-8\"\r\nConnection: close\r\n"
                "Content-Length: " +
                QByteArray::number(body.size()) + "\r\n\r\n" + body);
  client->disconnectFromHost();
}

QByteArray envelope(const QByteArray& inside) {
  return R"(<?xml version="1.0"?>
<s:Envelope xmlns:s="http://schemas.xmlsoap.org/soap/envelope/" s:encodingStyle="http://schemas.xmlsoap.org/soap/encoding/"><s:Body>)" +
         inside + "</s:Body></s:Envelope>\r\n";
}

bool write(const char* path, const std::string& text) {
  std::ofstream out(path);
  return static_cast<bool>(out << text);
}

// Runs `ip` with `args` in the calling thread's network namespace.
bool ip(const std::string& args) {
  static const std::string program = access("/usr/sbin/ip", X_OK) == 0 ? "/usr/sbin/ip" : "ip";
  return std::system((program + " " + args + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

std::string enterOwnNetwork() {
  if (unshare(CLONE_NEWNET) == 0) return {};
  // Without the right to, a user namespace of its own gives it.
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWUSER | CLONE_NEWNET) != 0)
    return std::string("no network namespace could be made here: ") + std::strerror(errno);
  if (!write("/proc/self/setgroups", "deny") ||
      !write("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
      !write("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
    return "the user namespace's identities could not be set";
  return {};
}

void RouterNetwork::run() {
  // A thread's network namespace is its own once it leaves its process's.
  if (unshare(CLONE_NEWNET) != 0) {
    error_ = std::string("the router's namespace could not be made: ") + std::strerror(errno);
    started_.release();
    return;
  }
  tid_ = static_cast<long>(syscall(SYS_gettid));
  QObject home;
  home_ = &home;
  started_.release();
  exec();
  home_ = nullptr;
}

std::string RouterNetwork::make() {
  start();
  started_.acquire();
  if (!error_.empty()) return error_;
  const std::string peer = "kv1 netns " + std::to_string(tid_.load());
  bool routerSide = false;
  const bool linked = ip("link set lo up") && ip("link add kv0 type veth peer name " + peer) &&
                      ip(std::string("addr add ") + HOST_SIDE + "/24 dev kv0") &&
                      ip("link set kv0 up");
  if (linked)
    onRouter([&] {
      routerSide = ip("link set lo up") && ip(std::string("addr add ") + ROUTER + "/24 dev kv1") &&
                   ip(std::string("addr add ") + PUBLIC + "/32 dev lo") && ip("link set kv1 up");
    });
  if (!linked || !routerSide || !ip(std::string("route add default via ") + ROUTER + " dev kv0"))
    return "the namespaces' link could not be set up (ip link, addr, route)";
  return {};
}

void RouterNetwork::onRouter(const std::function<void()>& f) {
  QMetaObject::invokeMethod(home_, f, Qt::BlockingQueuedConnection);
}

RouterNetwork::~RouterNetwork() {
  quit();
  wait();
}

std::map<int, FakeRouter::Mapping> FakeRouter::mappings() const {
  const std::lock_guard lock(m_);
  return mappings_;
}

int FakeRouter::added() const {
  const std::lock_guard lock(m_);
  return added_;
}

FakeRouter::FakeRouter(bool upnp, bool natpmp, const char* outside) : outside_(outside) {
  if (upnp) {
    http_.listen(QHostAddress(ROUTER), 0);
    connect(&http_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* c = http_.nextPendingConnection()) {
        c->setParent(this);
        connect(c, &QTcpSocket::readyRead, this, [this, c] { request(c); });
        connect(c, &QTcpSocket::disconnected, c, [this, c] {
          reading_.erase(c);
          c->deleteLater();
        });
      }
    });
    // The search comes to the group on the router's end of the link.
    ssdp_.bind(QHostAddress::AnyIPv4, 1900,
               QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint);
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces())
      for (const QNetworkAddressEntry& e : i.addressEntries())
        if (e.ip() == QHostAddress(ROUTER)) ssdp_.joinMulticastGroup(SSDP_GROUP, i);
    connect(&ssdp_, &QUdpSocket::readyRead, this, &FakeRouter::search);
  }
  if (natpmp) {
    natpmp_.bind(QHostAddress(ROUTER), 5351);
    connect(&natpmp_, &QUdpSocket::readyRead, this, &FakeRouter::natpmp);
  }
}

void FakeRouter::search() {
  while (ssdp_.hasPendingDatagrams()) {
    const QNetworkDatagram d = ssdp_.receiveDatagram();
    const QByteArray text = d.data();
    if (!text.startsWith("M-SEARCH")) continue;
    QByteArray st = "upnp:rootdevice";
    for (const QByteArray& line : text.split('\n'))
      if (line.toUpper().startsWith("ST:")) st = line.mid(3).trimmed();
    const QByteArray answer = "HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=120\r\nST: " + st +
                              "\r\nUSN: uuid:00000000-0000-0000-0000-00000000a001::" + st +
                              "\r\nEXT:\r\nSERVER: Linux UPnP/1.1 test/1\r\nLOCATION: http://" +
                              ROUTER + ":" + QByteArray::number(http_.serverPort()) +
                              "/rootDesc.xml\r\n\r\n";
    ssdp_.writeDatagram(answer, d.senderAddress(), static_cast<quint16>(d.senderPort()));
  }
}

void FakeRouter::request(QTcpSocket* client) {
  QByteArray& got = reading_[client];
  got += client->readAll();
  const qsizetype end = got.indexOf("\r\n\r\n");
  if (end < 0) return;
  const QByteArray head = got.left(end);
  qsizetype length = 0;
  QByteArray action;
  for (const QByteArray& line : head.split('\n')) {
    const QByteArray upper = line.toUpper();
    if (upper.startsWith("CONTENT-LENGTH:")) length = line.mid(15).trimmed().toLongLong();
    if (upper.startsWith("SOAPACTION:")) action = line.mid(line.indexOf('#') + 1).trimmed();
  }
  if (got.size() < end + 4 + length) return;
  const QByteArray body = got.mid(end + 4, length);
  reading_.erase(client);
  action.replace("\"", "");
  if (head.startsWith("GET ")) return reply(client, "200 OK", description());
  if (action == "AddPortMapping" && holdAdding) return held_.emplace_back(client, body), void();
  const std::lock_guard lock(m_);
  answer(client, action, body);
}

void FakeRouter::release() {
  holdAdding = false;
  QMetaObject::invokeMethod(this, [this] {
    const std::lock_guard lock(m_);
    for (auto& [client, body] : std::exchange(held_, {}))
      if (client) answer(client, "AddPortMapping", body);
  });
}

void FakeRouter::answer(QTcpSocket* client, const QByteArray& action, const QByteArray& body) {
  QByteArray out;
  if (action == "GetStatusInfo")
    out =
        "<NewConnectionStatus>Connected</NewConnectionStatus>"
        "<NewLastConnectionError>ERROR_NONE</NewLastConnectionError><NewUptime>60</NewUptime>";
  else if (action == "GetExternalIPAddress")
    out = "<NewExternalIPAddress>" + outside_.toString().toUtf8() + "</NewExternalIPAddress>";
  else if (action == "AddPortMapping") {
    ++added_;
    mappings_[argument(body, "NewExternalPort").toInt()] = {
        argument(body, "NewInternalPort").toInt(),
        argument(body, "NewInternalClient").toStdString()};
  } else if (action == "DeletePortMapping" &&
             mappings_.erase(argument(body, "NewExternalPort").toInt()) == 1) {
  } else {
    return reply(client, "500 Internal Server Error",
                 envelope("<s:Fault><faultcode>s:Client</faultcode><faultstring>UPnPError</"
                          "faultstring><detail><UPnPError "
                          "xmlns=\"urn:schemas-upnp-org:control-1-0\"><errorCode>714</"
                          "errorCode><errorDescription>NoSuchEntryInArray</errorDescription></"
                          "UPnPError></detail></s:Fault>"));
  }
  reply(client, "200 OK",
        envelope("<u:" + action + "Response xmlns:u=\"" + SERVICE + "\">" + out + "</u:" + action +
                 "Response>"));
}

void FakeRouter::natpmp() {
  while (natpmp_.hasPendingDatagrams()) {
    const QNetworkDatagram d = natpmp_.receiveDatagram();
    const QByteArray in = d.data();
    if (in.size() < 2 || in[0] != 0) continue;
    const auto op = static_cast<unsigned char>(in[1]);
    QByteArray out(op == 0 ? 12 : 16, '\0');
    out[1] = static_cast<char>(128 + op);
    qToBigEndian<quint32>(60, out.data() + 4); // seconds since the router started
    if (op == 0) {
      qToBigEndian<quint32>(outside_.toIPv4Address(), out.data() + 8);
    } else if (op == 2 && in.size() >= 12) {
      const std::lock_guard lock(m_);
      const quint16 inner = qFromBigEndian<quint16>(in.constData() + 4);
      const quint16 outer = qFromBigEndian<quint16>(in.constData() + 6);
      const quint32 life = qFromBigEndian<quint32>(in.constData() + 8);
      if (life == 0) {
        std::erase_if(mappings_, [inner](const auto& m) { return m.second.port == inner; });
      } else {
        ++added_;
        mappings_[outer != 0 ? outer : inner] = {inner, d.senderAddress().toString().toStdString()};
      }
      qToBigEndian<quint16>(inner, out.data() + 8);
      qToBigEndian<quint16>(life == 0 ? 0 : (outer != 0 ? outer : inner), out.data() + 10);
      qToBigEndian<quint32>(life, out.data() + 12);
    } else {
      continue;
    }
    natpmp_.writeDatagram(out, d.senderAddress(), static_cast<quint16>(d.senderPort()));
  }
}

} // namespace korvanu::testing
