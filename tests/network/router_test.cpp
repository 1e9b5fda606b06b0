// The host's home router asked to forward its port, without leaving the
// machine: the host in a network namespace of its own, made here, the
// tests' own router in another, linked on private addresses and to nothing
// else (fake_router.h). Where no namespace can be made, every test here is
// skipped and says why.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake_router.h"
#include "two_windows.h"

namespace korvanu {
namespace {

std::string noNamespace; // why there is none, when there is none
testing::RouterNetwork* network = nullptr;

// A router on its own thread, for one row.
struct Router {
  std::unique_ptr<testing::FakeRouter> on;
  Router(bool upnp, bool natpmp, const char* outside) {
    network->onRouter([&] { on = std::make_unique<testing::FakeRouter>(upnp, natpmp, outside); });
  }
  ~Router() {
    network->onRouter([&] { on.reset(); });
  }
  testing::FakeRouter* operator->() { return on.get(); }
};

struct RouterCase {
  const char* name;
  bool upnp, natpmp;
  const char* outside;
  bool late;     // the router forwards only after the host gave up on it
  bool forwards; // the waiting box names the router's side
};

TEST(Router, ForwardsTheHostsPortForTheGameOrLeavesTheBoxAsItWas) {
  if (!noNamespace.empty()) GTEST_SKIP() << noNamespace;
  const RouterCase cases[] = {
      {"UPnP IGD", true, false, testing::PUBLIC, false, true},
      {"NAT-PMP", false, true, testing::PUBLIC, false, true},
      {"no router", false, false, testing::PUBLIC, false, false},
      {"a router that answers too late", true, false, testing::PUBLIC, true, false},
      {"a router behind another (UPnP)", true, false, testing::BEHIND_ANOTHER, false, false},
      {"a router behind another (NAT-PMP)", false, true, testing::BEHIND_ANOTHER, false, false},
  };
  for (const RouterCase& c : cases) {
    SCOPED_TRACE(c.name);
    Router router(c.upnp, c.natpmp, c.outside);
    router->holdAdding = c.late;
    NetOptions options = loopback(QHostAddress::LocalHost);
    options.router.enabled = true;
    options.router.budgetMs = 1500;
    TwoWindows w(options);
    ASSERT_TRUE(w.made);
    const auto hosting = hostNetGame(w.host.g, {}, 0);
    ASSERT_TRUE(hosting);
    // The box is up before the router is heard from: the window waits on it
    // for nothing.
    const std::string without = w.host.ui.waitingText;
    EXPECT_EQ(without.find("ルーター"), std::string::npos);
    EXPECT_TRUE(router->mappings().empty());
    ASSERT_TRUE(waitFor([&] {
      return w.host.ui.waitingText.ends_with("\nルーターにポートの転送を頼んでいます…");
    }));
    const std::string port = std::to_string(hosting->port);
    if (c.forwards) {
      ASSERT_TRUE(waitFor([&] {
        return w.host.ui.waitingText ==
               without + "\nインターネットから：" + testing::PUBLIC + ":" + port;
      })) << w.host.ui.waitingText;
      const auto made = router->mappings();
      ASSERT_EQ(made.size(), 1u);
      EXPECT_EQ(made.begin()->first, hosting->port);
      EXPECT_EQ(made.begin()->second.port, hosting->port);
      EXPECT_EQ(made.begin()->second.client, testing::HOST_SIDE);
    } else {
      // Given up on: the box as it was, the port to forward by hand.
      EXPECT_TRUE(waitFor([&] { return w.host.ui.waitingText == without; }, 6000))
          << w.host.ui.waitingText;
    }
    if (c.late) {
      // What the router makes after all is taken back at once.
      router->release();
      EXPECT_TRUE(waitFor([&] { return router->added() == 1 && router->mappings().empty(); }));
      EXPECT_EQ(w.host.ui.waitingText, without);
    }
    // The friend comes and goes; the game over, the forwarding goes too.
    ASSERT_TRUE(w.joinAt(*hosting, false) &&
                waitFor([&] { return netGameOn(w.host.g) && netGameOn(w.join.g); }));
    w.join.menu(Menu::RESIGN);
    ASSERT_TRUE(waitFor([&] { return !netGameOn(w.host.g); }));
    EXPECT_TRUE(waitFor([&] { return router->mappings().empty(); }));
    // Nothing still asking: the next row's router hears from its own host.
    EXPECT_TRUE(finishRouterWork(std::chrono::seconds(5)));
    EXPECT_EQ(router->added(), c.forwards || c.late ? 1 : 0);
  }
}

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  // Before any thread: a user namespace is only made by a process alone.
  korvanu::noNamespace = korvanu::testing::enterOwnNetwork();
  QCoreApplication app(argc, argv);
  korvanu::testing::RouterNetwork network;
  if (korvanu::noNamespace.empty()) korvanu::noNamespace = network.make();
  korvanu::network = &network;
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  korvanu::finishRouterWork(std::chrono::seconds(3));
  return status;
}
