#include "router_map.h"

#include <arpa/inet.h>
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <natpmp.h>
#include <poll.h>

#include <algorithm>

namespace korvanu {

namespace {

using std::chrono::milliseconds;

// NAT-PMP answers within a few milliseconds or not at all: it gets this much
// of the time, UPnP's search the next part, its requests the rest.
constexpr milliseconds NATPMP_WAIT{800}, UPNP_SEARCH{1000};
constexpr const char* DESCRIPTION = "Korvanu";

int msUntil(RouterClock::time_point t) {
  return static_cast<int>(std::max<std::int64_t>(
      0, std::chrono::duration_cast<milliseconds>(t - RouterClock::now()).count()));
}

// Whether the internet reaches `address`: not when the router's own outside
// is private or shared (another router, the provider's NAT, in front of it),
// where a forwarding would help nobody.
bool onTheInternet(const in_addr& address) {
  const std::uint32_t a = ntohl(address.s_addr);
  const auto in = [a](std::uint32_t net, int bits) {
    return (a >> (32 - bits)) == (net >> (32 - bits));
  };
  return !(in(0x00000000, 8) || in(0x0A000000, 8) || in(0x64400000, 10) || in(0x7F000000, 8) ||
           in(0xA9FE0000, 16) || in(0xAC100000, 12) || in(0xC0A80000, 16));
}

// The answer to the request pending on `n`, the library sending it again as
// NAT-PMP asks, until `until`.
bool natpmpAnswer(natpmp_t& n, natpmpresp_t& answer, RouterClock::time_point until) {
  for (;;) {
    timeval retry{};
    getnatpmprequesttimeout(&n, &retry);
    const int left = msUntil(until);
    if (left == 0) return false;
    pollfd fd{n.s, POLLIN, 0};
    poll(&fd, 1,
         std::min<int>(left, static_cast<int>(retry.tv_sec * 1000 + retry.tv_usec / 1000) + 1));
    const int r = readnatpmpresponseorretry(&n, &answer);
    if (r != NATPMP_TRYAGAIN) return r >= 0;
  }
}

std::optional<Forwarding> byNatPmp(int port, int leaseSeconds, RouterClock::time_point until) {
  natpmp_t n{};
  if (initnatpmp(&n, 0, 0) < 0) return std::nullopt;
  std::optional<Forwarding> made;
  natpmpresp_t address{}, mapping{};
  if (sendpublicaddressrequest(&n) >= 0 && natpmpAnswer(n, address, until) &&
      onTheInternet(address.pnu.publicaddress.addr) &&
      sendnewportmappingrequest(&n, NATPMP_PROTOCOL_TCP, static_cast<uint16_t>(port),
                                static_cast<uint16_t>(port),
                                static_cast<uint32_t>(leaseSeconds)) >= 0 &&
      natpmpAnswer(n, mapping, until)) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address.pnu.publicaddress.addr, text, sizeof text);
    made = Forwarding{
        Forwarding::Way::NatPmp, text, mapping.pnu.newportmapping.mappedpublicport, port, {}, {}};
  }
  closenatpmp(&n);
  return made;
}

std::optional<Forwarding> byUpnp(int port, int leaseSeconds, RouterClock::time_point until) {
  const int search = std::min<int>(static_cast<int>(UPNP_SEARCH.count()), msUntil(until));
  if (search < 100) return std::nullopt;
  int error = 0;
  // No MiniSSDPd: the search goes out from this program, as a router expects.
  UPNPDev* devices = upnpDiscover(search, nullptr, "", UPNP_LOCAL_PORT_ANY, 0, 2, &error);
  if (!devices) return std::nullopt;
  UPNPUrls urls{};
  IGDdatas data{};
  char lan[64] = {};
  // A router whose outside is private answers 2, "not connected".
  const int found = UPNP_GetValidIGD(devices, &urls, &data, lan, sizeof lan);
  freeUPNPDevlist(devices);
  std::optional<Forwarding> made;
  char external[40] = {};
  in_addr outside{};
  const std::string inner = std::to_string(port), lease = std::to_string(leaseSeconds);
  const auto add = [&](const char* leaseText) {
    return UPNP_AddPortMapping(urls.controlURL, data.first.servicetype, inner.c_str(),
                               inner.c_str(), lan, DESCRIPTION, "TCP", nullptr, leaseText);
  };
  if (found == 1 &&
      UPNP_GetExternalIPAddress(urls.controlURL, data.first.servicetype, external) == 0 &&
      inet_pton(AF_INET, external, &outside) == 1 && onTheInternet(outside)) {
    int r = add(lease.c_str());
    // Older routers keep only forwardings without an end.
    if (r == 725) r = add("0");
    if (r == 0)
      made = Forwarding{Forwarding::Way::Upnp, external, port, port, urls.controlURL,
                        data.first.servicetype};
  }
  if (found != 0) FreeUPNPUrls(&urls);
  return made;
}

} // namespace

std::optional<Forwarding> forwardPort(int port, int leaseSeconds,
                                      RouterClock::time_point deadline) {
  if (auto made =
          byNatPmp(port, leaseSeconds, std::min(deadline, RouterClock::now() + NATPMP_WAIT)))
    return made;
  return byUpnp(port, leaseSeconds, deadline);
}

void unforwardPort(const Forwarding& f) {
  if (f.way == Forwarding::Way::Upnp) {
    const std::string external = std::to_string(f.publicPort);
    UPNP_DeletePortMapping(f.controlUrl.c_str(), f.serviceType.c_str(), external.c_str(), "TCP",
                           nullptr);
    return;
  }
  // A lifetime of nought takes the forwarding back.
  natpmp_t n{};
  if (initnatpmp(&n, 0, 0) < 0) return;
  natpmpresp_t answer{};
  if (sendnewportmappingrequest(&n, NATPMP_PROTOCOL_TCP, static_cast<uint16_t>(f.port), 0, 0) >= 0)
    natpmpAnswer(n, answer, RouterClock::now() + milliseconds(1000));
  closenatpmp(&n);
}

} // namespace korvanu
