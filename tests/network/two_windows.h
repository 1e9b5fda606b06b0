// The network tests' shared fixture: two windows' games, each in a folder of
// its own, wired through the loopback interface only, and what they need.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "net_link.h"
#include "net_port.h"
#include "play/net_game.h"
#include "play/view_turn.h"
#include "qt_crypto.h"
#include "scripted_game.h"
#include "state/game.h"
#include "view/board_view.h"

namespace korvanu {

// Few PBKDF2 rounds: the tests greet dozens of times.
inline QtCrypto crypto(1000);
inline const std::string CODE = "K7M2X9QP";

inline bool waitFor(const std::function<bool()>& done, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

inline NetOptions loopback(const QHostAddress& address) {
  NetOptions o;
  o.listenAddress = address;
  o.timing = {2000, 1500, 300};
  o.tickMs = 20;
  return o;
}

inline const Move OPEN_BISHOP{3, 7, 3, 6, -10}, UPPER_OPENS{7, 3, 7, 4, 10},
    BISHOP_TAKES{2, 8, 8, 2, -60}, DROP_BISHOP{-1, 6, 5, 5, 60}, EDGE_PAWN{9, 7, 9, 6, -10},
    OTHER_EDGE{1, 7, 1, 6, -10}, UPPER_PAWN{5, 3, 5, 4, 10};

// A peer that speaks the protocol by hand: it knows the code (or not) and
// sends whatever a test tells it to, sealed or not.
struct Hostile {
  QTcpSocket socket;
  QByteArray heard;
  std::string key;
  std::uint64_t seq = 0;
  Hostile(quint16 port) {
    QObject::connect(&socket, &QTcpSocket::readyRead, [this] { heard += socket.readAll(); });
    socket.connectToHost(QHostAddress::LocalHost, port);
  }
  bool hears(const char* text) {
    return waitFor([&] { return heard.contains(text); });
  }
  // Greets with `code`; true when the host welcomed it.
  bool greet(const std::string& code) {
    if (!hears("hello ")) return false;
    const std::string hostNonce = heard.mid(heard.indexOf("hello ") + 6, 64).toStdString();
    const std::string nonce = net::toHex(crypto.random(32));
    const net::SessionKeys keys = net::deriveKeys(crypto, code, hostNonce, nonce);
    key = keys.key;
    write("KORVANU 1 join " + nonce + " " + keys.joinProof + "\n");
    return waitFor([&] { return heard.contains("welcome") || heard.contains("refused"); }) &&
           heard.contains("welcome");
  }
  std::string seal(const std::string& body) {
    ++seq;
    return net::formatSealed({seq, net::sealMac(crypto, key, false, seq, body), body}) + "\n";
  }
  void write(const std::string& bytes) {
    socket.write(bytes.data(), static_cast<qint64>(bytes.size()));
    socket.flush();
  }
  bool closedByHost() {
    return waitFor([&] { return socket.state() == QAbstractSocket::UnconnectedState; });
  }
};

// Two windows' games, each in a folder of its own, wired by NetLinks on
// 127.0.0.1 and played by clicks as the players would.
struct TwoWindows {
  testing::TempDir folder;
  std::filesystem::path hostFolder = folder.path() / "host", joinFolder = folder.path() / "join";
  bool made = std::filesystem::create_directory(hostFolder) &&
              std::filesystem::create_directory(joinFolder);
  testing::ScriptedGame host{testing::GameOptions().recordsIn(hostFolder.string())};
  testing::ScriptedGame join{testing::GameOptions().recordsIn(joinFolder.string())};
  NetPort *hostPort = nullptr, *joinPort = nullptr; // each window's, as it opened it
  std::optional<Hosting> hosting;                   // what start() hosted
  // The host's link has `hostOptions` (its lock on wrong codes, its router).
  explicit TwoWindows(const NetOptions& hostOptions = loopback(QHostAddress::LocalHost)) {
    wire(host.g, &hostPort, hostOptions);
    wire(join.g, &joinPort);
  }
  // A window's game on the network through 127.0.0.1, its port kept in `kept`.
  static void wire(Table& g, NetPort** kept,
                   const NetOptions& options = loopback(QHostAddress::LocalHost)) {
    NetHooks hooks = qtNetHooks(options, 1000);
    hooks.open = [open = hooks.open, kept](net::Role role, const std::string& code,
                                           net::Listener& game) {
      auto port = open(role, code, game);
      *kept = port.get();
      return port;
    };
    enableNetwork(g, std::move(hooks));
  }
  // The connection cut with no bye, as a pulled cable leaves it.
  static void cut(NetPort* port) {
    dynamic_cast<QObject&>(*port).findChild<QTcpSocket*>()->abort();
  }
  static bool toldKept(const testing::ScriptedGame& s) {
    return std::any_of(s.ui.messages.begin(), s.ui.messages.end(), [](const auto& m) {
      return m.title == "ネット対局" && m.text.ends_with("\n対局は残してあります。");
    });
  }
  bool joinAt(const Hosting& h, bool confirm = true, Table* g = nullptr) {
    return joinNetGame(g ? *g : join.g, "127.0.0.1:" + std::to_string(h.port), h.code, confirm);
  }
  // Hosted and joined through the window's calls; the joiner's board is
  // turned back so that the tests' clicks name cells as the game does.
  bool start(const NetTerms& terms = {}) {
    hosting = hostNetGame(host.g, terms, 0);
    if (!hosting || host.ui.waitingText.find(hosting->code) == std::string::npos ||
        !joinAt(*hosting) || join.ui.waitingText.empty() ||
        !waitFor([&] { return netGameOn(host.g) && netGameOn(join.g); }))
      return false;
    const bool turned = !viewTurned(host.g) && viewTurned(join.g);
    setViewTurned(join.g, false);
    return turned && host.ui.waitingText.empty() && join.ui.waitingText.empty();
  }
  bool samePosition() const {
    return std::equal(&host.g.BOARD[0][0], &host.g.BOARD[0][0] + 100, &join.g.BOARD[0][0]) &&
           std::equal(host.g.HAND_SITA, host.g.HAND_SITA + 8, join.g.HAND_SITA) &&
           std::equal(host.g.HAND_UE, host.g.HAND_UE + 8, join.g.HAND_UE) &&
           host.g.TURN == join.g.TURN && host.g.GAME_MOVES == join.g.GAME_MOVES;
  }
  // The host's record of each side's time has reached the joiner too.
  bool sameClock() const {
    const auto& a = hostPort->session().clock();
    const auto& b = joinPort->session().clock();
    return a.used(net::SENTE) == b.used(net::SENTE) && a.used(net::GOTE) == b.used(net::GOTE);
  }
  // The figures beside the board: 先手's (lower right), 後手's (lower left).
  static std::pair<std::string, std::string> clockTexts(testing::ScriptedGame& s) {
    const auto last = [&](int x) {
      const auto texts = s.look().at(x, 9).texts;
      return texts.empty() ? std::string() : texts.back();
    };
    return {last(13), last(-2)};
  }
};

} // namespace korvanu
