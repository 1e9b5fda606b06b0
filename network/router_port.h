// The host's port forwarded by its home router for as long as the game needs
// it: asked for on a thread of its own, so that the window never waits on
// the router; given up on after the time allowed (a late forwarding is taken
// back by the thread that made it); renewed before its lease runs out; taken
// back, again aside, when this goes.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "router_map.h"

namespace korvanu {

struct RouterOptions {
  // Off unless the program turns it on: tests never reach a router but
  // their own.
  bool enabled = false;
  int budgetMs = 3000;
  int leaseSeconds = 3600;
};

class RouterPort : public QObject {
  Q_OBJECT
public:
  RouterPort(int port, RouterOptions options);
  ~RouterPort() override;

signals:
  // The router forwards the port from `endpoint` ("address:port").
  void mapped(const std::string& endpoint);
  // No router forwards it, or not within the time allowed.
  void silent();

private:
  struct Job;
  void ask();
  void answered(const std::optional<Forwarding>& made);

  int port_;
  RouterOptions options_;
  std::shared_ptr<Job> job_;
  std::optional<Forwarding> kept_; // the forwarding made, to take back
  QTimer budget_, renewal_;
};

// At the program's end: waits up to `most` for forwardings still being
// asked for or taken back, which their threads finish on their own. False
// when some are still at it.
bool finishRouterWork(std::chrono::milliseconds most);
// Made before the window, it goes after it, waiting as finishRouterWork does.
struct RouterWorkAtEnd {
  std::chrono::milliseconds most;
  ~RouterWorkAtEnd() { finishRouterWork(most); }
};

} // namespace korvanu
