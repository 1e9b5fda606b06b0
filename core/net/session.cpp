#include "net/session.h"

#include <algorithm>
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

int Session::mySide() const { return (role_ == Role::Host) == settings_.hostSente ? SENTE : GOTE; }

bool Session::holdsPort() const {
  return role_ == Role::Host && offered_ && !(hasGame_ && game_.ending() != Ending::None);
}

void Session::offer(const Settings& s) {
  if (role_ != Role::Host || hasGame_) return;
  settings_ = s;
  offered_ = true;
}

std::size_t Session::buffered() const {
  std::size_t n = output_.size() + reader_.buffered();
  for (const Greeting& g : greetings_) n += g.output.size() + g.reader.buffered();
  for (const auto& p : parting_) n += p.second.size();
  return n;
}

std::string Session::takeOutput(ConnectionId c) {
  if (c == line_) return std::exchange(output_, {});
  for (Greeting& g : greetings_)
    if (g.id == c) return std::exchange(g.output, {});
  for (auto it = parting_.begin(); it != parting_.end(); ++it)
    if (it->first == c) {
      std::string words = std::move(it->second);
      parting_.erase(it);
      return words;
    }
  return {};
}

bool Session::closing(ConnectionId c) const {
  if (c == line_) return phase_ == Phase::Closing;
  for (const Greeting& g : greetings_)
    if (g.id == c) return false;
  return true;
}

void Session::opened(ConnectionId c, std::string_view from, std::int64_t nowMs) {
  now_ = nowMs;
  if (c == 0) return;
  if (role_ == Role::Host) return greet(c, std::string(from), nowMs);
  line_ = c;
  openedAt_ = heardAt_ = sentAt_ = nowMs;
  reader_.reset();
  output_.clear();
  key_.clear();
  sentSeq_ = receivedSeq_ = 0;
  myAsk_.reset();
  peerAsk_.reset();
  resyncing_ = false;
  phase_ = Phase::Greeting;
  // The settings come again on every connection.
  offered_ = false;
}

void Session::greet(ConnectionId c, std::string from, std::int64_t nowMs) {
  if (!offered_ || authenticated()) return refuse(c, formatMessage(text(Verb::Refused, "busy")));
  if (limiter_.locked(nowMs)) return refuse(c, formatMessage(text(Verb::Refused, "wait")));
  // Whoever comes takes the place of the oldest greeting past the bounds: a
  // peer that keeps its connections open holds no door shut.
  const auto sameFrom = [&](const Greeting& g) { return g.from == from; };
  auto oldest = greetings_.end();
  if (std::count_if(greetings_.begin(), greetings_.end(), sameFrom) >=
      static_cast<std::ptrdiff_t>(GREETINGS_PER_ADDRESS))
    oldest = std::find_if(greetings_.begin(), greetings_.end(), sameFrom);
  else if (greetings_.size() >= MAX_GREETINGS)
    oldest = greetings_.begin();
  if (oldest != greetings_.end()) {
    const ConnectionId gone = oldest->id;
    greetings_.erase(oldest);
    refuse(gone, {});
  }
  const std::string nonce = toHex(crypto_.random(NONCE_BYTES));
  greetings_.push_back({c, std::move(from), LineReader(), nonce,
                        formatMessage({Verb::Hello, {VERSION}, nonce, {}}) + "\n", nowMs});
}

void Session::refuse(ConnectionId c, std::string_view words) {
  // Words for a connection long gone are dropped: someone who never reads
  // holds nothing here.
  constexpr std::size_t MAX_PARTING = 64;
  if (parting_.size() >= MAX_PARTING) parting_.erase(parting_.begin());
  parting_.emplace_back(c, words.empty() ? std::string() : std::string(words) + "\n");
  countRefused();
}

void Session::countRefused() { report({.kind = Event::Kind::Refused, .length = ++refused_}); }

void Session::closed(ConnectionId c, std::int64_t nowMs) {
  now_ = nowMs;
  for (auto it = greetings_.begin(); it != greetings_.end(); ++it)
    if (it->id == c) {
      // Gone before it proved anything.
      greetings_.erase(it);
      return countRefused();
    }
  std::erase_if(parting_, [c](const auto& p) { return p.first == c; });
  if (c != line_ || phase_ == Phase::Idle) return;
  const bool expected = phase_ == Phase::Closing;
  phase_ = Phase::Idle;
  line_ = 0;
  reader_.reset();
  output_.clear();
  myAsk_.reset();
  peerAsk_.reset();
  if (!expected) lost(Reason::Dropped);
}

void Session::received(ConnectionId c, std::string_view bytes, std::int64_t nowMs) {
  now_ = nowMs;
  for (std::size_t i = 0; i < greetings_.size(); ++i)
    if (greetings_[i].id == c) {
      greetings_[i].reader.feed(bytes);
      return greetingSaid(i, nowMs);
    }
  if (c != line_ || phase_ == Phase::Idle || phase_ == Phase::Closing) return;
  reader_.feed(bytes);
  readLines(nowMs);
}

void Session::readLines(std::int64_t nowMs) {
  std::string line;
  while (phase_ != Phase::Idle && phase_ != Phase::Closing && reader_.next(line)) {
    heardAt_ = nowMs;
    handleLine(line, nowMs);
  }
  if (reader_.failed()) fail(Reason::BadLine, "unreadable line", reader_.error());
}

void Session::greetingSaid(std::size_t i, std::int64_t nowMs) {
  Greeting& g = greetings_[i];
  const ConnectionId c = g.id;
  const auto turnAway = [&](std::string_view words) {
    greetings_.erase(greetings_.begin() + static_cast<std::ptrdiff_t>(i));
    refuse(c, words);
  };
  std::string line;
  if (!g.reader.next(line)) {
    if (g.reader.failed()) turnAway(formatMessage(text(Verb::Error, "unreadable line")));
    return;
  }
  const auto m = parseMessage(line);
  if (!m) return turnAway(formatMessage(text(Verb::Error, "unknown message")));
  if (m->verb != Verb::Join)
    return turnAway(formatMessage(text(Verb::Error, "unexpected message")));
  if (m->n[0] != VERSION) return turnAway(formatMessage(text(Verb::Refused, "version")));
  if (m->text == g.nonce) return turnAway(formatMessage(text(Verb::Error, "nonce reflected")));
  const SessionKeys keys = deriveKeys(crypto_, code_, g.nonce, m->text);
  if (!sameDigest(m->proof, keys.joinProof)) {
    const bool locks = limiter_.failed(nowMs);
    turnAway(formatMessage(text(Verb::Refused, locks ? "wait" : "code")));
    return report({.kind = Event::Kind::WrongCode, .yes = locks});
  }
  limiter_.succeeded();
  // Two that knew the code at once: the one that came second waits its turn.
  if (authenticated()) return turnAway(formatMessage(text(Verb::Refused, "busy")));
  g.output += formatMessage({Verb::Welcome, {}, {}, keys.hostProof}) + "\n";
  adopt(i, keys.key, nowMs);
}

void Session::adopt(std::size_t i, const std::string& key, std::int64_t nowMs) {
  Greeting g = std::move(greetings_[i]);
  greetings_.erase(greetings_.begin() + static_cast<std::ptrdiff_t>(i));
  // A line that was closing keeps its last words.
  if (line_ != 0 && !output_.empty()) parting_.emplace_back(line_, std::move(output_));
  line_ = g.id;
  reader_ = std::move(g.reader);
  output_ = std::move(g.output);
  key_ = key;
  sentSeq_ = receivedSeq_ = 0;
  openedAt_ = heardAt_ = sentAt_ = now_ = nowMs;
  myAsk_.reset();
  peerAsk_.reset();
  phase_ = Phase::Settling;
  send(settingsMessage(settings_));
  // Whatever came after the proof in the same bytes is read as the line's.
  readLines(nowMs);
}

void Session::tick(std::int64_t nowMs) {
  now_ = nowMs;
  for (std::size_t i = 0; i < greetings_.size();) {
    if (nowMs - greetings_[i].openedAt <= timing_.greetingMs) {
      ++i;
      continue;
    }
    const ConnectionId c = greetings_[i].id;
    greetings_.erase(greetings_.begin() + static_cast<std::ptrdiff_t>(i));
    refuse(c, formatMessage(text(Verb::Error, "too slow")));
  }
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
    return handleBare(*m);
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

void Session::handleBare(const Message& m) {
  if (role_ == Role::Join && m.verb == Verb::Refused) {
    phase_ = Phase::Closing;
    return lost(refusal(m.text));
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
