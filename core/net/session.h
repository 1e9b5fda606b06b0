// One end of a network game, without sockets: bytes in, bytes out, and the
// game's events for the player. The host greets, checks the joiner's proof,
// offers its settings, referees every move and keeps the clock; the joiner
// proves it knows the code, agrees, and checks every move too. A line that
// breaks the protocol ends the connection, never the game: both ends keep
// their record, and a reconnect with the same code restores the host's.
//
// The host greets several connections at once, so that one that says nothing
// keeps nobody out; the first to prove the code becomes the game's line, and
// whoever comes while it is up hears "busy". Every other connection is
// counted and refused without troubling the player.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "net/auth.h"
#include "net/line_reader.h"
#include "net/referee.h"

namespace korvanu::net {

enum class Role { Host, Join };

// Why a connection ended, as the player is told.
enum class Reason {
  None,
  BadLine,     // unreadable, unknown, unsealed or altered, replayed
  IllegalMove, // a move the rules do not allow
  OutOfTurn,   // a message the game's state does not expect
  Silence,     // nothing heard for too long
  WrongCode,   // the host refused the code (joiner) / a wrong code came (host)
  Busy,        // the host already has its player
  Wait,        // the host refuses for a while after wrong codes
  Version,     // the other program speaks another version
  Impostor,    // the host did not know the code
  Settings,    // the host's settings changed between two connections
  PeerError,   // the peer ended it, saying why
  Bye,         // the peer left
  Dropped,     // the connection broke
};
// The player's words for a reason (the peer's own in `detail` where it gave them).
std::string reasonText(Reason r, std::string_view detail = {});

struct Event {
  enum class Kind {
    WrongCode,      // host: a wrong code; `yes` when it starts a lock
    Refused,        // host: a connection refused or come to nothing, `length` so far
    Offered,        // joiner: the host's settings, to agree to
    Started,        // the game runs: `yes` when restored after a reconnect
    PeerMove,       // `move` from the other player
    TakeBackAsked,  // the other player asks 待った
    TakeBackAnswer, // the answer to ours: `yes`
    TookBack,       // the record went back to `length` moves
    Resigned,       // `side` resigned
    TimeUp,         // `side` ran out of time
    Clock,          // the host's clock: `used` of each side
    Lost,           // the connection ended: `reason`, `detail` (a host says so once it has a game)
    // The host's home router, as the transport asks it (never the session):
    RouterAsked,  // it is asked to forward the port
    RouterMapped, // it does, from `detail` ("address:port") on the internet
    RouterSilent, // it does not, or not in time
  };
  Kind kind;
  Move move{};
  int side = 0;
  bool yes = false;
  std::size_t length = 0;
  std::int64_t used[2] = {0, 0};
  Reason reason = Reason::None;
  std::string detail = {};
};

class Listener {
public:
  virtual ~Listener() = default;
  virtual void onEvent(const Event& e) = 0;
};

// A connection, as the transport numbers it (from 1).
using ConnectionId = std::uint64_t;

// The host's greetings at once, and from one address (a friend behind the
// same router as a stranger still gets in): a newcomer past either bound
// takes the place of the oldest.
constexpr std::size_t MAX_GREETINGS = 8, GREETINGS_PER_ADDRESS = 3;

struct Timing {
  std::int64_t greetingMs = 10'000; // the whole greeting
  std::int64_t silenceMs = 30'000;  // a connected peer heard from at least this often
  std::int64_t pingMs = 10'000;     // sent after this long with nothing else to say
};

class Session {
public:
  Session(Role role, Crypto& crypto, std::string code, Listener& listener, Timing timing = {},
          AttemptLimiter limiter = AttemptLimiter());

  // --- the transport ------------------------------------------------------
  // A connection opened: the joiner's, or one the host took from `from` (an
  // address, or the part of one that a single peer holds), which the host
  // greets or refuses.
  void opened(ConnectionId c, std::string_view from, std::int64_t nowMs);
  void received(ConnectionId c, std::string_view bytes, std::int64_t nowMs);
  // The connection is gone (whoever closed it).
  void closed(ConnectionId c, std::int64_t nowMs);
  // Timeouts, pings and the host's clock.
  void tick(std::int64_t nowMs);
  // What to send on the connection, taken once.
  std::string takeOutput(ConnectionId c);
  // The transport should send what is left and close the connection: one
  // refused, ended or never known.
  bool closing(ConnectionId c) const;
  // The game's line is open and proven.
  bool authenticated() const { return phase_ >= Phase::Settling && phase_ <= Phase::Playing; }
  // Host: connections being greeted.
  std::size_t greetings() const { return greetings_.size(); }
  // Bytes held for the connections, what they sent and what they are to hear.
  std::size_t buffered() const;

  // --- the player ---------------------------------------------------------
  // Host, before anyone joins.
  void offer(const Settings& s);
  // Joiner: plays on the settings offered.
  bool agree();
  // The local player's move: false when it is refused (not this side's turn,
  // not legal, not connected, a take-back pending).
  bool move(const Move& m, std::int64_t nowMs);
  bool askTakeBack();
  bool answerTakeBack(bool yes, std::int64_t nowMs);
  bool resign();
  // Leaves: the peer is told and the connection closes; the game is kept.
  void bye();

  Role role() const { return role_; }
  int mySide() const;
  bool playing() const { return phase_ == Phase::Playing; }
  const Referee& game() const { return game_; }
  const GameClock& clock() const { return clock_; }
  bool hasGame() const { return hasGame_; }
  // The host's settings: its own, or on the joiner those offered.
  const Settings& settings() const { return settings_; }
  // Host: its port stays its own, listening, from the offer until the game
  // ends, so that no other program can take it while the friend is away.
  bool holdsPort() const;

private:
  enum class Phase { Idle, Greeting, Welcoming, Settling, Syncing, Playing, Closing };
  // A connection the host is greeting.
  struct Greeting {
    ConnectionId id;
    std::string from;
    LineReader reader;
    std::string nonce, output;
    std::int64_t openedAt;
  };
  void greet(ConnectionId c, std::string from, std::int64_t nowMs);
  void greetingSaid(std::size_t i, std::int64_t nowMs);
  // The greeting proved the code: its connection becomes the game's line.
  void adopt(std::size_t i, const std::string& key, std::int64_t nowMs);
  // The host turns a connection away: it hears `words` (when not empty).
  void refuse(ConnectionId c, std::string_view words);
  void countRefused();
  void readLines(std::int64_t nowMs);
  void handleLine(const std::string& line, std::int64_t nowMs);
  void handleBare(const Message& m);
  void handleSealed(const Message& m, std::int64_t nowMs);
  void handleMove(const Message& m, std::int64_t nowMs);
  void handleTakeBack(const Message& m);
  void sendBare(const Message& m);
  void send(const Message& m);
  void sendClock();
  void startPlaying(bool restored, std::int64_t nowMs);
  void tookBack(std::size_t length, std::int64_t nowMs);
  void endsOnTime(int side);
  // Ends the connection: the peer hears `wire` (when not empty) and the
  // player `reason`.
  void fail(Reason reason, std::string_view wire, std::string detail = {});
  void report(Event e) { listener_.onEvent(e); }
  void lost(Reason reason, std::string detail = {});

  Role role_;
  Crypto& crypto_;
  std::string code_;
  Listener& listener_;
  Timing timing_;
  AttemptLimiter limiter_;

  Phase phase_ = Phase::Idle;
  ConnectionId line_ = 0; // the game's connection: 0 when there is none
  std::vector<Greeting> greetings_;
  // Refused connections' last words, until the transport takes them.
  std::vector<std::pair<ConnectionId, std::string>> parting_;
  std::size_t refused_ = 0;
  LineReader reader_;
  std::string output_;
  std::string nonce_, key_, hostProof_; // the joiner's greeting
  std::int64_t now_ = 0;
  std::uint64_t sentSeq_ = 0, receivedSeq_ = 0;
  std::int64_t openedAt_ = 0, heardAt_ = 0, sentAt_ = 0;

  Settings settings_;
  bool offered_ = false;   // host: settings set; joiner: settings received
  bool hasGame_ = false;   // a game was agreed on: reconnects restore it
  bool resyncing_ = false; // joiner: the host's record is coming
  Referee game_;
  Referee incoming_; // joiner: the host's record while it comes
  std::size_t pastLeft_ = 0;
  GameClock clock_;
  std::optional<std::size_t> myAsk_, peerAsk_; // pending take-backs' target lengths
};

} // namespace korvanu::net
