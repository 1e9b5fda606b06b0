// A home network of the tests' own, made inside network namespaces they made:
// this process in one, a thread of it in another, linked by a pair of
// virtual ends on private addresses (the router 10.77.0.1, the host
// 10.77.0.2, the host's default route through the router, which forwards
// nothing). On the thread, a
// router of the tests' own answers the UPnP search, serves its description
// and its WAN IP connection (status, external address, adding and deleting
// a port mapping) and NAT-PMP's public address and TCP mappings, keeping the
// mappings it was asked for. Nothing here reaches any other network.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUdpSocket>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace korvanu::testing {

constexpr const char* ROUTER = "10.77.0.1";
constexpr const char* HOST_SIDE = "10.77.0.2";
// The router's internet side: an address the libraries take for one on the
// internet (none reserved or private is), held by the router's namespace
// itself, so that even a connection to it would stay inside; and the private
// outside of a router that has another in front of it.
constexpr const char* PUBLIC = "100.128.0.7";
constexpr const char* BEHIND_ANOTHER = "10.77.9.9";

// Puts this process in a network namespace of its own: call before any
// thread starts. Empty when done, otherwise why not.
std::string enterOwnNetwork();

// The router's namespace and its thread, linked to this process's.
class RouterNetwork : public QThread {
public:
  // Empty when made, otherwise why not.
  std::string make();
  // Runs `f` on the router's thread and waits for it.
  void onRouter(const std::function<void()>& f);
  ~RouterNetwork() override;

protected:
  void run() override;

private:
  QSemaphore started_;
  std::atomic<long> tid_{0};
  std::string error_;
  QObject* home_ = nullptr; // lives on the router's thread
};

class FakeRouter : public QObject {
public:
  struct Mapping {
    int port;
    std::string client;
  };
  // Made on the router's thread (RouterNetwork::onRouter).
  FakeRouter(bool upnp, bool natpmp, const char* outside = PUBLIC);
  // From any thread: external port → where it goes, and how many were made.
  std::map<int, Mapping> mappings() const;
  int added() const;
  // UPnP's AddPortMapping is answered only once released.
  std::atomic<bool> holdAdding{false};
  void release();

private:
  void search();
  void request(QTcpSocket* client);
  void answer(QTcpSocket* client, const QByteArray& action, const QByteArray& body);
  void natpmp();

  QHostAddress outside_;
  mutable std::mutex m_;
  std::map<int, Mapping> mappings_;
  int added_ = 0;
  QUdpSocket ssdp_, natpmp_;
  QTcpServer http_;
  std::map<QTcpSocket*, QByteArray> reading_;
  std::vector<std::pair<QPointer<QTcpSocket>, QByteArray>> held_;
};

} // namespace korvanu::testing
