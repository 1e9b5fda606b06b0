#include "net/session.h"

#include <utility>

#include "language/translate.h"

namespace korvanu::net {

namespace {

constexpr std::size_t NONCE_BYTES = 32;

Message text(Verb v, std::string words) { return {v, {}, std::move(words), {}}; }

Reason refusal(const std::string& why) {
  if (why == "code") return Reason::WrongCode;
  if (why == "busy") return Reason::Busy;
  if (why == "wait") return Reason::Wait;
  return Reason::Version;
}

bool isBare(Verb v) {
  return v == Verb::Hello || v == Verb::Join || v == Verb::Welcome || v == Verb::Refused;
}

} // namespace

std::string reasonText(Reason r, std::string_view detail) {
  switch (r) {
  case Reason::None: return {};
  case Reason::BadLine: return tr("相手から読めない通信が届いたので、接続を切りました");
  case Reason::IllegalMove: return tr("相手から指せない手が届いたので、接続を切りました");
  case Reason::OutOfTurn: return tr("相手から順番でない通信が届いたので、接続を切りました");
  case Reason::Silence: return tr("相手からの応答が途絶えたので、接続を切りました");
  case Reason::WrongCode: return tr("合言葉が違います");
  case Reason::Busy: return tr("相手はすでに対局中です");
  case Reason::Wait: return tr("合言葉の誤りが続いたので、しばらく接続できません");
  case Reason::Version: return tr("相手の版が違うので対局できません");
  case Reason::Impostor: return tr("相手が合言葉を知らないので、接続を切りました");
  case Reason::Settings: return tr("対局の設定が前と違うので、接続を切りました");
  case Reason::PeerError: return trFill("相手が接続を切りました（%s）", std::string(detail));
  case Reason::Bye: return tr("相手が退出しました");
  case Reason::Dropped: return tr("接続が切れました");
  }
  return {};
}

Session::Session(Role role, Crypto& crypto, std::string code, Listener& listener, Timing timing,
                 AttemptLimiter limiter)
    : role_(role),
      crypto_(crypto),
      code_(std::move(code)),
      listener_(listener),
      timing_(timing),
      limiter_(limiter) {}

std::string Session::busyLine() { return formatMessage(text(Verb::Refused, "busy")) + "\n"; }

int Session::mySide() const { return (role_ == Role::Host) == settings_.hostSente ? SENTE : GOTE; }

bool Session::waitingForPeer() const {
  return role_ == Role::Host && offered_ && !authenticated() &&
         !(hasGame_ && game_.ending() != Ending::None);
}

void Session::offer(const Settings& s) {
  if (role_ != Role::Host || hasGame_) return;
  settings_ = s;
  offered_ = true;
}

std::string Session::takeOutput() { return std::exchange(output_, {}); }

void Session::opened(std::int64_t nowMs) {
  now_ = openedAt_ = heardAt_ = sentAt_ = nowMs;
  reader_.reset();
  output_.clear();
  key_.clear();
  sentSeq_ = receivedSeq_ = 0;
  myAsk_.reset();
  peerAsk_.reset();
  resyncing_ = false;
  phase_ = Phase::Greeting;
  if (role_ != Role::Host) {
    // The settings come again on every connection.
    offered_ = false;
    return;
  }
  if (!offered_ || limiter_.locked(nowMs)) {
    sendBare(text(Verb::Refused, offered_ ? "wait" : "busy"));
    phase_ = Phase::Closing;
    return;
  }
  nonce_ = toHex(crypto_.random(NONCE_BYTES));
  sendBare({Verb::Hello, {VERSION}, nonce_, {}});
}

void Session::closed(std::int64_t nowMs) {
  now_ = nowMs;
  if (phase_ == Phase::Idle) return;
  const bool expected = phase_ == Phase::Closing;
  phase_ = Phase::Idle;
  reader_.reset();
  myAsk_.reset();
  peerAsk_.reset();
  if (!expected) lost(Reason::Dropped);
}

void Session::received(std::string_view bytes, std::int64_t nowMs) {
  now_ = nowMs;
  if (phase_ == Phase::Idle || phase_ == Phase::Closing) return;
  reader_.feed(bytes);
  std::string line;
  while (phase_ != Phase::Idle && phase_ != Phase::Closing && reader_.next(line)) {
    heardAt_ = nowMs;
    handleLine(line, nowMs);
  }
  if (reader_.failed()) fail(Reason::BadLine, "unreadable line", reader_.error());
}

void Session::tick(std::int64_t nowMs) {
  now_ = nowMs;
  if (phase_ == Phase::Greeting || phase_ == Phase::Welcoming) {
    if (nowMs - openedAt_ > timing_.greetingMs) fail(Reason::Silence, "too slow");
    return;
  }
  if (!authenticated()) return;
  if (nowMs - heardAt_ > timing_.silenceMs) return fail(Reason::Silence, "silence");
  if (role_ == Role::Host && phase_ == Phase::Playing && game_.ending() == Ending::None &&
      clock_.outOfTime(game_.sideToMove(), nowMs))
    endsOnTime(game_.sideToMove());
  if (nowMs - sentAt_ >= timing_.pingMs) send(message(Verb::Ping));
}

void Session::handleLine(const std::string& line, std::int64_t nowMs) {
  if (phase_ == Phase::Greeting || phase_ == Phase::Welcoming) {
    const auto m = parseMessage(line);
    if (!m) return fail(Reason::BadLine, "unknown message");
    return handleBare(*m, nowMs);
  }
  const auto s = parseSealed(line);
  if (!s) return fail(Reason::BadLine, "unsealed line");
  if (s->seq != receivedSeq_ + 1) return fail(Reason::BadLine, "out of sequence");
  if (!sameDigest(s->mac, sealMac(crypto_, key_, role_ == Role::Join, s->seq, s->body)))
    return fail(Reason::BadLine, "bad seal");
  receivedSeq_ = s->seq;
  const auto m = parseMessage(s->body);
  if (!m || isBare(m->verb)) return fail(Reason::BadLine, "unknown message");
  handleSealed(*m, nowMs);
}

void Session::handleBare(const Message& m, std::int64_t nowMs) {
  if (role_ == Role::Join && m.verb == Verb::Refused) {
    phase_ = Phase::Closing;
    return lost(refusal(m.text));
  }
  if (role_ == Role::Host && phase_ == Phase::Greeting && m.verb == Verb::Join) {
    if (m.n[0] != VERSION) {
      sendBare(text(Verb::Refused, "version"));
      return fail(Reason::Version, {});
    }
    if (m.text == nonce_) return fail(Reason::BadLine, "nonce reflected");
    const SessionKeys keys = deriveKeys(crypto_, code_, nonce_, m.text);
    if (!sameDigest(m.proof, keys.joinProof)) {
      const bool locks = limiter_.failed(nowMs);
      sendBare(text(Verb::Refused, locks ? "wait" : "code"));
      phase_ = Phase::Closing;
      return report({.kind = Event::Kind::WrongCode, .yes = locks});
    }
    limiter_.succeeded();
    key_ = keys.key;
    sendBare({Verb::Welcome, {}, {}, keys.hostProof});
    phase_ = Phase::Settling;
    return send(settingsMessage(settings_));
  }
  if (role_ == Role::Join && phase_ == Phase::Greeting && m.verb == Verb::Hello) {
    if (m.n[0] != VERSION) return fail(Reason::Version, {});
    nonce_ = toHex(crypto_.random(NONCE_BYTES));
    const SessionKeys keys = deriveKeys(crypto_, code_, m.text, nonce_);
    key_ = keys.key;
    hostProof_ = keys.hostProof;
    sendBare({Verb::Join, {VERSION}, nonce_, keys.joinProof});
    phase_ = Phase::Welcoming;
    return;
  }
  if (role_ == Role::Join && phase_ == Phase::Welcoming && m.verb == Verb::Welcome) {
    if (!sameDigest(m.proof, hostProof_)) return fail(Reason::Impostor, {});
    phase_ = Phase::Settling;
    return;
  }
  fail(Reason::OutOfTurn, "unexpected message");
}

void Session::handleSealed(const Message& m, std::int64_t nowMs) {
  switch (m.verb) {
  case Verb::Error: return fail(Reason::PeerError, {}, m.text);
  case Verb::Bye: phase_ = Phase::Closing; return lost(Reason::Bye);
  case Verb::Ping: return;
  default: break;
  }
  const bool host = role_ == Role::Host;
  const int peer = 1 - mySide();
  if (phase_ == Phase::Settling && host && m.verb == Verb::Agree) {
    const bool restored = hasGame_;
    if (!hasGame_) {
      game_.start(settings_);
      clock_.start(settings_, nowMs);
      hasGame_ = true;
    }
    send(message(Verb::Resync, {static_cast<std::int64_t>(game_.moves().size())}));
    for (const Move& mv : game_.moves())
      send(message(Verb::Past, {mv.fx, mv.fy, mv.tx, mv.ty, mv.code}));
    sendClock();
    return startPlaying(restored, nowMs);
  }
  if (phase_ == Phase::Settling && !host && m.verb == Verb::Settings && !offered_) {
    const auto s = settingsOf(m);
    if (!s) return fail(Reason::BadLine, "bad settings");
    if (hasGame_ && *s != settings_) return fail(Reason::Settings, "settings changed");
    settings_ = *s;
    offered_ = true;
    // A game agreed before goes on without asking again.
    if (hasGame_)
      agree();
    else
      report({.kind = Event::Kind::Offered});
    return;
  }
  if (phase_ == Phase::Syncing && !host) {
    if (m.verb == Verb::Resync && !resyncing_) {
      incoming_.start(settings_);
      pastLeft_ = static_cast<std::size_t>(m.n[0]);
      resyncing_ = true;
      return;
    }
    if (m.verb == Verb::Past && resyncing_ && pastLeft_ > 0) {
      const Move mv{int(m.n[0]), int(m.n[1]), int(m.n[2]), int(m.n[3]), int(m.n[4])};
      if (!incoming_.allows(incoming_.sideToMove(), mv))
        return fail(Reason::IllegalMove, "illegal move");
      incoming_.play(mv);
      --pastLeft_;
      return;
    }
    if (m.verb == Verb::Clock && resyncing_ && pastLeft_ == 0) {
      const bool restored = hasGame_;
      game_ = incoming_;
      hasGame_ = true;
      resyncing_ = false;
      clock_.set(m.n[0], m.n[1]);
      startPlaying(restored, nowMs);
      return report({.kind = Event::Kind::Clock, .used = {m.n[0], m.n[1]}});
    }
    return fail(Reason::OutOfTurn, "unexpected message");
  }
  if (phase_ != Phase::Playing) return fail(Reason::OutOfTurn, "unexpected message");
  switch (m.verb) {
  case Verb::Move: return handleMove(m, nowMs);
  case Verb::TakeBackAsk:
  case Verb::TakeBackYes:
  case Verb::TakeBackNo: return handleTakeBack(m);
  case Verb::Resign:
    if (game_.ending() != Ending::None) break;
    game_.resign(peer);
    return report({.kind = Event::Kind::Resigned, .side = peer});
  case Verb::Clock:
    if (host) break;
    clock_.set(m.n[0], m.n[1]);
    return report({.kind = Event::Kind::Clock, .used = {m.n[0], m.n[1]}});
  case Verb::Timeout:
    if (host || game_.ending() != Ending::None || m.n[0] != game_.sideToMove()) break;
    game_.timeUp(static_cast<int>(m.n[0]));
    return report({.kind = Event::Kind::TimeUp, .side = static_cast<int>(m.n[0])});
  default: break;
  }
  fail(Reason::OutOfTurn, "unexpected message");
}

void Session::handleMove(const Message& m, std::int64_t nowMs) {
  const int peer = 1 - mySide();
  const Move mv{int(m.n[0]), int(m.n[1]), int(m.n[2]), int(m.n[3]), int(m.n[4])};
  if (peerAsk_ || game_.ending() != Ending::None || game_.sideToMove() != peer)
    return fail(Reason::OutOfTurn, "move out of turn");
  if (!game_.allows(peer, mv)) return fail(Reason::IllegalMove, "illegal move");
  if (role_ == Role::Host) {
    // The host's clock decides: a move that comes too late is not played.
    if (clock_.outOfTime(peer, nowMs)) return endsOnTime(peer);
    clock_.charge(peer, nowMs);
  }
  game_.play(mv);
  if (role_ == Role::Host) sendClock();
  report({.kind = Event::Kind::PeerMove, .move = mv, .side = peer});
}

void Session::handleTakeBack(const Message& m) {
  if (m.verb == Verb::TakeBackAsk) {
    if (peerAsk_) return fail(Reason::OutOfTurn, "take-back asked twice");
    // Asked before our last move reached the asker: it no longer fits.
    if (static_cast<std::size_t>(m.n[0]) != game_.moves().size())
      return send(message(Verb::TakeBackNo));
    const auto target = game_.takeBackTarget(1 - mySide());
    if (!target || *target != static_cast<std::size_t>(m.n[1]))
      return fail(Reason::OutOfTurn, "no such take-back");
    peerAsk_ = *target;
    return report({.kind = Event::Kind::TakeBackAsked, .length = *target});
  }
  if (!myAsk_ || (m.verb == Verb::TakeBackYes && static_cast<std::size_t>(m.n[0]) != *myAsk_))
    return fail(Reason::OutOfTurn, "no take-back asked");
  const std::size_t target = *std::exchange(myAsk_, std::nullopt);
  const bool yes = m.verb == Verb::TakeBackYes;
  if (yes) tookBack(target, now_);
  report({.kind = Event::Kind::TakeBackAnswer, .yes = yes, .length = target});
}

bool Session::agree() {
  if (role_ != Role::Join || phase_ != Phase::Settling || !offered_) return false;
  send(message(Verb::Agree));
  phase_ = Phase::Syncing;
  return true;
}

bool Session::move(const Move& m, std::int64_t nowMs) {
  now_ = nowMs;
  if (!playing() || myAsk_ || peerAsk_ || !game_.allows(mySide(), m)) return false;
  if (role_ == Role::Host) {
    if (clock_.outOfTime(mySide(), nowMs)) {
      endsOnTime(mySide());
      return false;
    }
    clock_.charge(mySide(), nowMs);
  }
  game_.play(m);
  send(message(Verb::Move, {m.fx, m.fy, m.tx, m.ty, m.code}));
  if (role_ == Role::Host) sendClock();
  return true;
}

bool Session::askTakeBack() {
  if (!playing() || myAsk_ || peerAsk_) return false;
  const auto target = game_.takeBackTarget(mySide());
  if (!target) return false;
  myAsk_ = target;
  send(message(Verb::TakeBackAsk, {static_cast<std::int64_t>(game_.moves().size()),
                                   static_cast<std::int64_t>(*target)}));
  return true;
}

bool Session::answerTakeBack(bool yes, std::int64_t nowMs) {
  now_ = nowMs;
  if (!playing() || !peerAsk_) return false;
  const std::size_t target = *std::exchange(peerAsk_, std::nullopt);
  if (!yes) {
    send(message(Verb::TakeBackNo));
    return true;
  }
  send(message(Verb::TakeBackYes, {static_cast<std::int64_t>(target)}));
  tookBack(target, nowMs);
  return true;
}

bool Session::resign() {
  if (!playing() || game_.ending() != Ending::None) return false;
  game_.resign(mySide());
  send(message(Verb::Resign));
  return true;
}

void Session::bye() {
  if (phase_ == Phase::Idle || phase_ == Phase::Closing) return;
  if (authenticated()) send(message(Verb::Bye));
  phase_ = Phase::Closing;
}

void Session::startPlaying(bool restored, std::int64_t nowMs) {
  phase_ = Phase::Playing;
  if (role_ == Role::Host) clock_.turnStarts(nowMs);
  report({.kind = Event::Kind::Started, .yes = restored});
}

void Session::tookBack(std::size_t length, std::int64_t nowMs) {
  game_.takeBack(length);
  if (role_ == Role::Host) {
    clock_.turnStarts(nowMs);
    sendClock();
  }
  report({.kind = Event::Kind::TookBack, .length = length});
}

void Session::endsOnTime(int side) {
  game_.timeUp(side);
  send(message(Verb::Timeout, {side}));
  report({.kind = Event::Kind::TimeUp, .side = side});
}

void Session::sendClock() { send(message(Verb::Clock, {clock_.used(SENTE), clock_.used(GOTE)})); }

void Session::sendBare(const Message& m) { output_ += formatMessage(m) + "\n"; }

void Session::send(const Message& m) {
  const std::string body = formatMessage(m);
  ++sentSeq_;
  output_ +=
      formatSealed({sentSeq_, sealMac(crypto_, key_, role_ == Role::Host, sentSeq_, body), body});
  output_ += "\n";
  sentAt_ = now_;
}

void Session::fail(Reason reason, std::string_view wire, std::string detail) {
  if (phase_ == Phase::Idle || phase_ == Phase::Closing) return;
  if (!wire.empty()) {
    const Message m = text(Verb::Error, std::string(wire));
    if (authenticated())
      send(m);
    else
      sendBare(m);
  }
  phase_ = Phase::Closing;
  lost(reason, std::move(detail));
}

void Session::lost(Reason reason, std::string detail) {
  // Before any game the host listens on for its friend: a connection that
  // came to nothing (a friend who gave up, a stranger) is no loss.
  if (role_ == Role::Host && !hasGame_) return;
  report({.kind = Event::Kind::Lost, .reason = reason, .detail = std::move(detail)});
}

} // namespace korvanu::net
