// Plays one network game's session, host or joiner, against a peer the input
// writes: connections opened and closed, raw bytes, greetings with the right
// code or a wrong one, lines sealed as a peer that knows the code seals them
// (moves the rules allow, chosen by number, or any numbers), clock ticks and
// the local player's calls. After every step:
// - every move the session holds is one the rules allowed where it was made;
// - nothing of a game reaches the player from a connection that did not
//   prove the code, nor from the clock but the host's time running out, and
//   nothing of play before the game has started;
// - what the session holds stays bounded, and each greeting it keeps is one
//   of a few;
// - every line it writes is short printable text, a bare message or a
//   sealed one.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "net/line_reader.h"
#include "net/session.h"
#include "rules/move_gen.h"

using namespace korvanu;
using namespace korvanu::net;

namespace {

// Cheap and deterministic: both ends agree, and the fuzzer can forge nothing
// it was not given the code for.
struct FakeCrypto : Crypto {
  std::uint64_t drawn = 0;
  std::string random(std::size_t bytes) override {
    std::string out(bytes, '\0');
    for (char& c : out) c = static_cast<char>((++drawn * 0x9E3779B97F4A7C15ull) >> 56);
    return out;
  }
  std::string hmac(std::string_view key, std::string_view data) override {
    std::string out;
    for (std::uint64_t round = 0; round < 4; ++round) {
      std::uint64_t h = 0xcbf29ce484222325ull ^ round;
      for (const std::string_view part : {key, std::string_view("|"), data})
        for (const char c : part) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
      for (int i = 0; i < 8; ++i) out += static_cast<char>(h >> (8 * i));
    }
    return out;
  }
  std::string stretch(std::string_view code, std::string_view salt) override {
    return hmac(code, salt);
  }
};

struct Input {
  const std::uint8_t* at;
  const std::uint8_t* end;
  bool more() const { return at < end; }
  std::uint8_t byte() { return at < end ? *at++ : 0; }
  std::string bytes(std::size_t most) {
    const std::size_t n = std::min<std::size_t>(byte() % (most + 1), end - at);
    std::string out(reinterpret_cast<const char*>(at), n);
    at += n;
    return out;
  }
};

// Who a step came from: a connection (which), the clock or the player.
struct Source {
  enum { Connection, Clock, Player } kind;
  ConnectionId c = 0;
};

struct Events : Listener {
  std::vector<Event> seen;
  void onEvent(const Event& e) override { seen.push_back(e); }
};

// The peer's end of one connection.
struct Peer {
  bool open = true;
  std::string heard; // what the session said on it, the last few lines
  std::string hostNonce, key;
  bool proven = false; // it greeted with the right code and was let in
  std::uint64_t seq = 0;
};

const std::string CODE = "K7M2X9QP", WRONG = "22222222";
constexpr std::size_t MAX_PEERS = 32;

struct Run {
  FakeCrypto crypto;
  Events events;
  Session session;
  Role role;
  std::map<ConnectionId, Peer> peers;
  ConnectionId lastId = 0;
  std::int64_t now = 0;

  Run(Role r, const Timing& timing)
      : session(r, crypto, CODE, events, timing, AttemptLimiter(3, 5000)), role(r) {}

  Peer* peer(std::uint8_t pick) {
    if (peers.empty()) return nullptr;
    auto it = peers.begin();
    std::advance(it, pick % peers.size());
    return it->second.open ? &it->second : nullptr;
  }
  ConnectionId idOf(const Peer* p) const {
    for (const auto& [id, q] : peers)
      if (&q == p) return id;
    return 0;
  }

  void send(ConnectionId c, const std::string& bytes) { session.received(c, bytes, now); }

  void greet(ConnectionId c, Peer& p, bool right) {
    const std::string& code = right ? CODE : WRONG;
    if (role == Role::Host) {
      const auto hello = p.heard.find(" hello ");
      if (hello == std::string::npos) return send(c, "KORVANU 1 join x\n");
      p.hostNonce = p.heard.substr(hello + 7, HEX_LENGTH);
      const std::string nonce = toHex(crypto.random(32));
      const SessionKeys keys = deriveKeys(crypto, code, p.hostNonce, nonce);
      p.key = keys.key;
      p.proven = right;
      return send(c, "KORVANU 1 join " + nonce + " " + keys.joinProof + "\n");
    }
    // The peer is the host: hello first, welcome once the joiner has answered.
    const auto join = p.heard.find(" join ");
    if (p.hostNonce.empty() || join == std::string::npos) {
      p.hostNonce = toHex(crypto.random(32));
      return send(c, "KORVANU 1 hello " + p.hostNonce + "\n");
    }
    const SessionKeys keys =
        deriveKeys(crypto, code, p.hostNonce, p.heard.substr(join + 6, HEX_LENGTH));
    p.key = keys.key;
    p.proven = right;
    send(c, "welcome " + keys.hostProof + "\n");
  }

  // A body the protocol knows, with numbers from the input, or a move the
  // rules allow the peer now, chosen by number.
  std::string body(Input& in) {
    static constexpr const char* VERBS[] = {
        "settings",     "agree",        "move",        "resync",  "past", "clock", "resign", "ping",
        "takeback-ask", "takeback-yes", "takeback-no", "timeout", "bye",  "error", "welcome"};
    const std::uint8_t pick = in.byte();
    if (pick % 4 == 0) {
      static MoveList list;
      const int peerSide = 1 - session.mySide();
      generateAllMoves(session.game().position(), peerSide == GOTE, session.game().settings().drops,
                       list);
      if (list.count > 0) {
        const Move m = list.moves[in.byte() % list.count];
        return (pick % 8 == 0 ? "past " : "move ") + std::to_string(m.fx) + " " +
               std::to_string(m.fy) + " " + std::to_string(m.tx) + " " + std::to_string(m.ty) +
               " " + std::to_string(m.code);
      }
    }
    std::string out = VERBS[pick % std::size(VERBS)];
    const int numbers = in.byte() % 6;
    for (int i = 0; i < numbers; ++i)
      out += " " + std::to_string(static_cast<int>(static_cast<std::int8_t>(in.byte())));
    return out;
  }

  void seal(ConnectionId c, Peer& p, const std::string& text, bool wrongSeq) {
    p.seq += wrongSeq ? 2 : 1;
    const bool fromHost = role == Role::Join;
    send(c, formatSealed({p.seq, sealMac(crypto, p.key, fromHost, p.seq, text), text}) + "\n");
  }

  Source step(Input& in) {
    const std::uint8_t op = in.byte();
    Peer* p = peer(in.byte());
    const ConnectionId c = idOf(p);
    const Source connection{Source::Connection, c};
    switch (op % 12) {
    case 0: {
      if (peers.size() >= MAX_PEERS) return connection;
      if (role == Role::Join)
        for (auto& [id, q] : peers)
          if (q.open) q.open = false, session.closed(id, now);
      const ConnectionId id = ++lastId;
      peers[id];
      static constexpr const char* FROM[] = {"10.0.0.1", "10.0.0.2", "2001:db8::/64", "10.0.0.3"};
      session.opened(id, role == Role::Host ? FROM[in.byte() % 4] : "", now);
      return {Source::Connection, id};
    }
    case 1:
      if (p) p->open = false, session.closed(c, now);
      return connection;
    case 2:
      if (p) send(c, in.bytes(80));
      return connection;
    case 3:
    case 4:
      if (p) greet(c, *p, op % 12 == 3 || in.byte() % 8 != 0);
      return connection;
    case 5:
    case 6: {
      if (!p) return connection;
      const std::string text = body(in);
      seal(c, *p, text, in.byte() % 16 == 0);
      return connection;
    }
    case 7:
      if (p) seal(c, *p, in.bytes(40), false);
      return connection;
    case 8: {
      const int high = in.byte(), low = in.byte();
      now += (high << 8 | low) * (in.byte() % 2 ? 1 : 40);
      return {Source::Clock};
    }
    case 9: {
      static MoveList list;
      generateAllMoves(session.game().position(), session.mySide() == GOTE,
                       session.game().settings().drops, list);
      if (list.count > 0) session.move(list.moves[in.byte() % list.count], now);
      return {Source::Player};
    }
    case 10:
      switch (in.byte() % 5) {
      case 0: session.askTakeBack(); break;
      case 1: session.answerTakeBack(in.byte() % 2, now); break;
      case 2: session.resign(); break;
      case 3: session.agree(); break;
      default: session.bye(); break;
      }
      return {Source::Player};
    default: session.tick(now); return {Source::Clock};
    }
  }

  // What the session wrote, to the peers, and the connections it let go.
  void carry() {
    for (auto& [id, p] : peers) {
      if (!p.open) continue;
      const std::string out = session.takeOutput(id);
      for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find('\n', start);
        if (end == std::string::npos) __builtin_trap(); // a line without its end
        const std::string_view line(out.data() + start, end - start);
        if (line.size() > MAX_LINE || !isPrintableUtf8(line)) __builtin_trap();
        const auto sealed = parseSealed(line);
        if (!parseMessage(line) && !(sealed && parseMessage(sealed->body))) __builtin_trap();
        start = end + 1;
      }
      p.heard =
          (p.heard + out).substr(std::max<std::size_t>(p.heard.size() + out.size(), 2048) - 2048);
      if (session.closing(id)) p.open = false, session.closed(id, now);
    }
  }
};

// Every move the session holds was allowed where it was made.
void checkMoves(const Session& s) {
  Referee replay;
  replay.start(s.game().settings());
  for (const Move& m : s.game().moves()) {
    if (!replay.allows(replay.sideToMove(), m)) __builtin_trap();
    replay.play(m);
  }
}

bool gameEvent(Event::Kind k) {
  using K = Event::Kind;
  return k != K::Refused && k != K::WrongCode && k != K::Lost;
}

// What only a game being played brings.
bool playEvent(Event::Kind k) {
  using K = Event::Kind;
  return k == K::PeerMove || k == K::TakeBackAsked || k == K::TakeBackAnswer || k == K::TookBack ||
         k == K::Resigned || k == K::TimeUp || k == K::Clock;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, data + size};
  const std::uint8_t first = in.byte();
  const Role role = first & 1 ? Role::Join : Role::Host;
  Run run(role, Timing{2000, 6000, 1000});
  if (role == Role::Host) {
    const std::uint8_t terms = in.byte();
    run.session.offer({(terms & 1) != 0, (terms & 2) != 0, (terms >> 2) % 5 - 2,
                       (terms & 32) ? 60 : 0, (terms & 64) ? 5 : 0});
  }
  std::size_t movesBefore = 0;
  bool started = false; // from Started until the connection is lost
  for (int steps = 0; steps < 400 && in.more(); ++steps) {
    const std::size_t eventsBefore = run.events.seen.size();
    const Source from = run.step(in);
    // Whose doing the step's game events were: a peer's that knows the code,
    // the host's clock (its own moves too) running out, the local player
    // answering 待った.
    for (std::size_t i = eventsBefore; i < run.events.seen.size(); ++i) {
      const Event::Kind k = run.events.seen[i].kind;
      if (k == Event::Kind::Started || k == Event::Kind::Lost) started = k == Event::Kind::Started;
      if (playEvent(k) && !started) __builtin_trap();
      if (!gameEvent(k)) continue;
      const bool hostsTime = k == Event::Kind::TimeUp && role == Role::Host;
      const bool allowed = from.kind == Source::Connection ? run.peers[from.c].proven
                           : from.kind == Source::Clock    ? hostsTime
                                                        : hostsTime || k == Event::Kind::TookBack;
      if (!allowed) __builtin_trap();
    }
    run.carry();
    if (run.session.game().moves().size() != movesBefore) {
      checkMoves(run.session);
      movesBefore = run.session.game().moves().size();
    }
    if (run.session.greetings() > MAX_GREETINGS ||
        run.session.buffered() > 16384 + 128 * run.session.game().moves().size())
      __builtin_trap();
  }
  return 0;
}
