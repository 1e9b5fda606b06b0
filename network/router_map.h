// Asking the home router to forward a TCP port from the internet to this
// machine, as most routers allow: NAT-PMP (RFC 6886) through libnatpmp, then
// UPnP IGD through libminiupnpc. Both calls wait on the network: they belong
// on a thread of their own, never the window's.
#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace korvanu {

// A forwarding the router made, and what taking it back needs.
struct Forwarding {
  enum class Way { NatPmp, Upnp } way;
  std::string publicAddress;
  int publicPort = 0, port = 0;
  std::string controlUrl, serviceType; // UPnP's
  // "address:port", as a friend types it.
  std::string endpoint() const { return publicAddress + ":" + std::to_string(publicPort); }
};

using RouterClock = std::chrono::steady_clock;

// Asks for `port` for `leaseSeconds`, giving up by `deadline` (a router that
// answers late may still make it). Nothing when no router would.
std::optional<Forwarding> forwardPort(int port, int leaseSeconds, RouterClock::time_point deadline);
// Takes the forwarding back, waiting a second at most.
void unforwardPort(const Forwarding& f);

} // namespace korvanu
