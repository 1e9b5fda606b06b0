// Around the protocol: strangers at the host's port while two friends play,
// one row each. Every row begins with the game and its first two moves and
// ends with the next move reaching the other window: whatever the strangers
// did, the friends play on. Loopback only; every loop is bounded.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <functional>
#include <memory>
#include <vector>

#include "two_windows.h"

namespace korvanu {
namespace {

constexpr const char* BACK = "相手とつながりました";

// The friend's window comes back with the same host and code.
bool rejoins(TwoWindows& w) {
  const auto before = [](const testing::ScriptedGame& s) {
    return std::count_if(s.ui.messages.begin(), s.ui.messages.end(),
                         [](const auto& m) { return m.text == BACK; });
  };
  const auto hostBefore = before(w.host), joinBefore = before(w.join);
  w.join.menu(Menu::NET_JOIN);
  return waitFor([&] { return before(w.host) > hostBefore && before(w.join) > joinBefore; });
}

// The friend's connection breaks and the host says so.
bool friendAway(TwoWindows& w) {
  TwoWindows::cut(w.joinPort);
  return waitFor([&] { return TwoWindows::toldKept(w.host) && TwoWindows::toldKept(w.join); });
}

struct StrangerCase {
  const char* name;
  net::AttemptLimiter limiter;
  std::function<void(TwoWindows&, quint16 port)> act;
};

TEST(HostilePeer, StrangersNeitherTroubleTheHostNorKeepTheFriendOut) {
  const StrangerCase cases[] = {
      {"strangers come and go while the friend is away: counted, not a box each",
       net::AttemptLimiter(3, 200),
       [](TwoWindows& w, quint16 port) {
         ASSERT_TRUE(friendAway(w));
         const std::size_t boxes = w.host.ui.messages.size();
         for (int i = 0; i < 100; ++i) {
           QTcpSocket s;
           s.connectToHost(QHostAddress::LocalHost, port);
           ASSERT_TRUE(s.waitForConnected(2000));
           s.disconnectFromHost();
           QCoreApplication::processEvents();
         }
         // Six wrong codes lock the door twice: said once.
         for (int lock = 0; lock < 2; ++lock) {
           for (int i = 0; i < 3; ++i) EXPECT_FALSE(Hostile(port).greet("22222222"));
           waitFor([] { return false; }, 250); // the lock runs out
         }
         EXPECT_TRUE(waitFor([&] {
           return w.host.ui.waitingText.find("相手を待っています") == 0 &&
                  w.host.ui.waitingText.find("断った接続：106件") != std::string::npos;
         })) << w.host.ui.waitingText;
         ASSERT_EQ(w.host.ui.messages.size(), boxes + 1);
         EXPECT_TRUE(w.host.said("違う合言葉が続いたので、しばらく受け付けません", "ネット対局"));
         ASSERT_TRUE(rejoins(w));
         EXPECT_TRUE(w.host.ui.waitingText.empty());
       }},
      {"strangers who say nothing keep no door shut, and busy means a game",
       {},
       [](TwoWindows& w, quint16 port) {
         ASSERT_TRUE(friendAway(w));
         std::vector<std::unique_ptr<Hostile>> silent;
         for (int i = 0; i < 4; ++i) {
           silent.push_back(std::make_unique<Hostile>(port));
           ASSERT_TRUE(silent.back()->hears("hello"));
         }
         ASSERT_TRUE(rejoins(w));
         Hostile late(port);
         EXPECT_TRUE(late.closedByHost());
         EXPECT_TRUE(late.heard.startsWith("refused busy"));
       }},
      {"no other program takes the port while the friend plays or is away",
       {},
       [](TwoWindows& w, quint16 port) {
         QTcpServer other;
         EXPECT_FALSE(other.listen(QHostAddress::LocalHost, port));
         ASSERT_TRUE(friendAway(w));
         EXPECT_FALSE(other.listen(QHostAddress::LocalHost, port));
         ASSERT_TRUE(rejoins(w));
       }},
      {"a refused 待った: the request's box gives way to the answer",
       {},
       [](TwoWindows& w, quint16) {
         w.host.ui.answers = {Answer::No};
         const std::size_t boxes = w.join.ui.messages.size();
         w.join.menu(Menu::MATTA);
         EXPECT_EQ(w.join.ui.waitingText, "相手に待ったを求めました");
         ASSERT_TRUE(
             waitFor([&] { return w.join.said("相手は待ったを受けませんでした", "待った"); }));
         EXPECT_TRUE(w.join.ui.waitingText.empty());
         EXPECT_EQ(w.join.ui.messages.size(), boxes + 1);
       }},
  };
  for (const StrangerCase& c : cases) {
    SCOPED_TRACE(c.name);
    NetOptions options = loopback(QHostAddress::LocalHost);
    options.limiter = c.limiter;
    TwoWindows w(options);
    ASSERT_TRUE(w.made && w.start());
    w.host.play(OPEN_BISHOP);
    ASSERT_TRUE(waitFor([&] { return w.samePosition(); }));
    w.join.play(UPPER_OPENS);
    ASSERT_TRUE(waitFor([&] { return w.samePosition() && w.host.g.GAME_MOVES == 2; }));
    c.act(w, static_cast<quint16>(w.hosting->port));
    w.host.play(BISHOP_TAKES);
    EXPECT_TRUE(waitFor([&] { return w.samePosition() && w.join.g.GAME_MOVES == 3; }));
  }
}

} // namespace
} // namespace korvanu
