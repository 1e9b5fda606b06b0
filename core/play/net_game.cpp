#include "play/net_game.h"
#include "play/panel_shown.h"

#include <charconv>
#include <utility>

#include "computer/survey.h"
#include "language/translate.h"
#include "net/auth.h"
#include "platform/table.h"
#include "play/autosave.h"
#include "play/clock.h"
#include "play/events.h"
#include "play/game_end.h"
#include "play/level4.h"
#include "play/messages.h"
#include "play/opponent.h"
#include "play/resign.h"
#include "play/setup.h"
#include "play/take_back.h"
#include "play/turn.h"
#include "play/view_turn.h"
#include "rules/record.h"
#include "state/handicap_pieces.h"
#include "view/board_view.h"
#include "view/clock_view.h"
#include "view/marks_view.h"

namespace korvanu {

constexpr const char* TITLE = N_("ネット対局");
// What a waiting box says first: the host's for its friend, and the asker's
// of 待った until the answer comes.
constexpr const char* HOST_WAITS = N_("相手を待っています");
constexpr const char* TAKE_BACK_ASKED = N_("相手に待ったを求めました");

struct NetGame : net::Listener, Opponent {
  NetGame(Table& game, NetHooks h) : g(game), hooks(std::move(h)) {}
  // Each of the peer's messages is an event of its own: one that arrives
  // while a box of this window shows waits until the event behind it is done.
  void onEvent(const net::Event& e) override {
    handleEvent(g, [this, e] { handle(e); });
  }
  void handle(const net::Event& e);

  // --- the peer as the opponent ---------------------------------------------
  bool allowsClick(Table& game) override;
  bool allowsChange(Table& game, const char* caption) override {
    sayRefused(game, tr("ネット対局中はできません"), tr(caption));
    return false;
  }
  // The computer's advice is no help against a friend.
  bool allowsHint(const Table&) const override { return false; }
  bool allowsRecordLoad(const Table&) const override { return !on && !waitingFor; }
  bool sendMove(Table&, const Move& m) override { return port->move(m); }
  void movePlayed(Table&, bool goesOn) override {
    if (!goesOn) return;
    takeHostClock();
  }
  bool asksTakeBack(Table& game) override {
    // The request shows until its answer closes it: one box at a time.
    if (!port->askTakeBack())
      sayRefused(game, tr("できません"), tr("待った"));
    else
      wait(TAKE_BACK_ASKED);
    return true;
  }
  bool resign(Table& game, int& side) override {
    if (!port->resign()) return sayRefused(game, tr("できません"), tr("投了")), false;
    on = false;
    side = myTurn();
    return true;
  }
  bool allowsQuit(Table& game) override;
  bool gameOn() const override { return port && on; }
  bool saysWaiting(Table& game) override {
    if (!waitingFor) return false;
    say(game, tr(waitingFor), tr(TITLE));
    return true;
  }
  // Whatever ended it, the game is over for both: nothing after it is the
  // network game's (a game begun again on this board is a local one).
  void gameEnded(Table&) override { on = false; }

  void start(bool restored);
  void open(net::Role role, const std::string& code) {
    // A record chosen in the panel now would load into the network game.
    closeFilePanel(g);
    if (port) port->bye();
    port = hooks.open(role, code, *this);
    confirm = false;
  }
  int myTurn() const { return port->session().mySide() == net::SENTE ? TURN_SENTE : TURN_GOTE; }
  void takeHostClock();
  // The waiting box: what this window waits for, then the details; the
  // host's also says what its router did and counts the strangers it turned
  // away meanwhile.
  void wait(const char* what, std::string details = {}) {
    waitingFor = what;
    waitingDetails = std::move(details);
    showWaiting();
  }
  void showWaiting() {
    if (!waitingFor) return;
    std::string text = tr(waitingFor);
    if (!waitingDetails.empty()) text += "\n\n" + waitingDetails;
    if (waitingFor == HOST_WAITS && !routerLine.empty()) text += "\n" + routerLine;
    if (waitingFor == HOST_WAITS && refused > 0)
      text += "\n" + trFill("断った接続：%s件", std::to_string(refused));
    g.ui.showWaiting(text);
  }
  void stopWaiting() {
    waitingFor = nullptr;
    g.ui.showWaiting({});
  }

  Table& g;
  NetHooks hooks;
  std::unique_ptr<NetPort> port;
  bool confirm = false;             // the joiner is asked before agreeing
  bool on = false;                  // a game agreed and not ended
  const char* waitingFor = nullptr; // while the waiting box shows
  std::string waitingDetails;
  // The host's: where its friend finds it, what its router said, how many
  // other connections it turned away, and whether a lock on wrong codes has
  // been said.
  std::string hostDetails, routerLine;
  std::size_t refused = 0;
  bool toldLocked = false;
};

namespace {

net::Settings settingsOf(const NetTerms& t) {
  return {t.hostFirst, t.drops, t.handicap, t.mainMinutes * 60, t.byoyomiSeconds};
}

// The terms as the joiner reads them: its own side first.
std::string describe(const net::Settings& s) {
  std::string text = trFill("あなた：%s", s.hostSente ? tr("後手") : tr("先手"));
  text += "\n" + trFill("持駒：%s", s.drops ? tr("可") : tr("不可"));
  if (s.handicap != 0) text += "\n" + trFill(tr("ハンデ：%s"), std::to_string(s.handicap));
  if (s.mainSeconds > 0 || s.byoyomiSeconds > 0)
    text += "\n" + trFill(tr("持ち時間：%s分"), std::to_string(s.mainSeconds / 60)) + "\n" +
            trFill(tr("秒読み：%s秒"), std::to_string(s.byoyomiSeconds));
  return text;
}

// The first position of the agreed terms, the side to move first to play.
void setUpBoard(Table& g, const net::Settings& s) {
  初期設定(g);
  setChecked(g, Menu::MOCHIKOMA, s.drops);
  if (s.handicap != 0) {
    removeHandicapPieces(g.BOARD, s.handicap);
    g.HANDICAP_LEVEL = s.handicap;
    g.HANDICAP_SET = ON;
    画面_再描画(g.ui, g);
    手順保存(g, 0, 0, 0, 0);
  }
  g.GAME_MODE = MODE_MAN_MAN;
  g.RECORD_MODE = OFF;
  g.RECORD_NETWORK = true;
  g.RESUME_PENDING = OFF;
  g.SIDE_MAN = TURN_SENTE;
  g.SIDE_COM = TURN_GOTE;
  g.TURN = TURN_SENTE;
  showTurnMarker(g.ui, g);
  g.CLOCK_MAIN_SECONDS = s.mainSeconds;
  g.CLOCK_BYOYOMI_SECONDS = s.byoyomiSeconds;
  g.TURN_START_TIME = g.ui.clockSeconds();
  if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
}

NetGame* netOf(const Table& g) { return static_cast<NetGame*>(g.NET.get()); }

// "host", "host:port", "[v6]:port" or a bare IPv6 address.
bool splitAddress(const std::string& text, std::string& host, int& port) {
  port = DEFAULT_NET_PORT;
  std::string rest;
  if (text.starts_with('[')) {
    const auto close = text.find(']');
    if (close == std::string::npos) return false;
    host = text.substr(1, close - 1);
    rest = text.substr(close + 1);
    if (!rest.empty() && !rest.starts_with(':')) return false;
  } else if (const auto colon = text.find(':');
             colon != std::string::npos && text.find(':', colon + 1) == std::string::npos) {
    host = text.substr(0, colon);
    rest = text.substr(colon);
  } else {
    host = text;
  }
  if (!rest.empty()) {
    const char* first = rest.data() + 1;
    const char* last = rest.data() + rest.size();
    const auto [end, err] = std::from_chars(first, last, port);
    if (err != std::errc() || end != last || first == last || port < 1 || port > 65535)
      return false;
  }
  return !host.empty();
}

} // namespace

// Each side's total is the host's record, never this window's own timing
// (which counts animations and the line's delay to whoever is to move next);
// the side to move's figure runs on from it until the next record comes.
void NetGame::takeHostClock() {
  const net::GameClock& c = port->session().clock();
  g.MAN_TIME = static_cast<double>(c.used(net::SENTE)) / 1000; // 先手 is SIDE_MAN here
  g.COM_TIME = static_cast<double>(c.used(net::GOTE)) / 1000;
  g.TURN_START_TIME = g.ui.clockSeconds();
  g.TURN_ELAPSED = 0;
  g.SHOWN_SECOND = 0;
  描画_所有時間(g.ui, g, g.SIDE_MAN, g.MAN_TIME);
  描画_所有時間(g.ui, g, g.SIDE_COM, g.COM_TIME);
}

void NetGame::start(bool restored) {
  const net::Session& s = port->session();
  stopWaiting();
  const auto& moves = s.game().moves();
  // A reconnect whose record is ours goes on as it stands; otherwise the
  // host's record is played again from the first position.
  if (!restored || static_cast<std::size_t>(g.GAME_MOVES) != moves.size() ||
      g.GAME_MODE != MODE_MAN_MAN) {
    setUpBoard(g, s.settings());
    // Caught up at once, as a loaded record is: no explosion is played again.
    g.REPLAYING = true;
    for (const Move& m : moves) playTurnMove(g, Mover::Person, m.fx, m.fy, m.tx, m.ty, m.code);
    g.REPLAYING = false;
    autosaveRecord(g);
  }
  setViewTurned(g, myTurn() == TURN_GOTE);
  on = s.game().ending() == net::Ending::None;
  takeHostClock();
  if (restored) say(g, tr("相手とつながりました"), tr(TITLE));
}

void NetGame::handle(const net::Event& e) {
  using K = net::Event::Kind;
  switch (e.kind) {
  case K::WrongCode:
    // Strangers' tries are counted in the waiting box; the lock is said once.
    if (e.yes && !std::exchange(toldLocked, true))
      say(g, tr("違う合言葉が続いたので、しばらく受け付けません"), tr(TITLE));
    return;
  case K::Refused: refused = e.length; return showWaiting();
  case K::RouterAsked:
    routerLine = tr("ルーターにポートの転送を頼んでいます…");
    return showWaiting();
  case K::RouterMapped:
    routerLine = trFill("インターネットから：%s", e.detail);
    return showWaiting();
  case K::RouterSilent:
    // No router: the box is as it was, the port to forward by hand.
    routerLine.clear();
    return showWaiting();
  case K::Offered:
    if (confirm && g.ui.messageBox(describe(port->session().settings()) + "\n\n" +
                                       tr("この条件で対局しますか？"),
                                   tr(TITLE), Buttons::YesNo, Icon::Question) != Answer::Yes) {
      stopWaiting();
      return port->bye();
    }
    port->agree();
    return;
  case K::Started: return start(e.yes);
  case K::PeerMove:
    if (on && g.TURN != myTurn())
      movePlayed(g, playTurnMove(g, Mover::Person, e.move.fx, e.move.fy, e.move.tx, e.move.ty,
                                 e.move.code));
    return;
  case K::TakeBackAsked: {
    const bool yes = g.ui.messageBox(tr("相手が待ったを求めています。受けますか？"), tr("待った"),
                                     Buttons::YesNo, Icon::Question) == Answer::Yes;
    port->answerTakeBack(yes);
    return;
  }
  case K::TakeBackAnswer:
    if (waitingFor == TAKE_BACK_ASKED) stopWaiting();
    if (!e.yes) say(g, tr("相手は待ったを受けませんでした"), tr("待った"));
    return;
  case K::TookBack:
    takeBackMoves(g, g.GAME_MOVES - static_cast<int>(e.length));
    takeHostClock();
    return;
  case K::Resigned:
    on = false;
    resignSide(g, e.side == net::SENTE ? TURN_SENTE : TURN_GOTE);
    return;
  case K::TimeUp: {
    on = false;
    const bool senteLost = e.side == net::SENTE;
    stopClocks(g, g.MAN_TIME, g.COM_TIME);
    drawTimeGone(g.ui, g, senteLost ? TURN_SENTE : TURN_GOTE);
    終了(g, sideName(senteLost ? TURN_GOTE : TURN_SENTE));
    return;
  }
  case K::Clock:
    // A game over keeps the figures it ended with; a board set up afresh
    // after it starts from nothing.
    if (on) takeHostClock();
    return;
  case K::Lost:
    stopWaiting();
    if (!on) return say(g, net::reasonText(e.reason, e.detail), tr(TITLE));
    say(g, net::reasonText(e.reason, e.detail) + "\n" + tr("対局は残してあります。"), tr(TITLE));
    // The host waits for its friend again, where it is found shown anew.
    if (port->session().role() == net::Role::Host) wait(HOST_WAITS, hostDetails);
    return;
  }
}

void enableNetwork(Table& g, NetHooks hooks) {
  g.NET = std::make_shared<NetGame>(g, std::move(hooks));
}

std::optional<Hosting> hostNetGame(Table& g, const NetTerms& terms, int port) {
  NetGame* n = netOf(g);
  if (!n) return std::nullopt;
  const std::string code = n->hooks.newCode();
  n->open(net::Role::Host, code);
  n->on = false;
  n->routerLine.clear();
  n->refused = 0;
  n->toldLocked = false;
  if (!n->port->host(settingsOf(terms), port, terms.askRouter)) return std::nullopt;
  std::string text;
  for (const std::string& a : n->port->addresses()) text += a + "\n";
  text += trFill("ポート：%s", std::to_string(n->port->port())) + "\n" + trFill("合言葉：%s", code);
  n->hostDetails = text;
  n->wait(HOST_WAITS, text);
  return Hosting{n->port->port(), code};
}

bool joinNetGame(Table& g, const std::string& address, const std::string& code, bool confirm) {
  NetGame* n = netOf(g);
  std::string host;
  int port = 0;
  const auto normal = net::normaliseJoinCode(code);
  if (!n || !normal || !splitAddress(address, host, port)) return false;
  n->open(net::Role::Join, *normal);
  n->on = false;
  n->confirm = confirm;
  if (!n->port->join(host, port)) return false;
  n->wait(N_("相手につないでいます"), address);
  return true;
}

void cancelHosting(Table& g) {
  NetGame* n = netOf(g);
  if (!n) return;
  n->stopWaiting();
  // A game kept for the friend stays open to them, the box put away.
  if (n->on) return;
  if (n->port && !n->port->session().authenticated()) {
    n->port->bye();
    n->port.reset();
  }
}

void NET_HOST_Click(Table& g) {
  if (!netOf(g)) return sayRefused(g, tr("ネット対局はできません"), tr(TITLE));
  if (netGameOn(g)) return sayRefused(g, tr("ネット対局中です"), tr(TITLE));
  NetTerms terms;
  terms.hostFirst = true;
  terms.drops = isChecked(g, Menu::MOCHIKOMA);
  terms.handicap = g.MOVE_NO == 0 ? g.HANDICAP_LEVEL : 0;
  if (!g.ui.askHostTerms(terms)) return;
  if (!hostNetGame(g, terms)) sayRefused(g, tr("ポートを開けませんでした"), tr(TITLE));
}

void NET_JOIN_Click(Table& g) {
  NetGame* n = netOf(g);
  if (!n) return sayRefused(g, tr("ネット対局はできません"), tr(TITLE));
  // A game cut off goes on with the same host and code.
  if (n->on && n->port->session().role() == net::Role::Join) {
    if (n->port->session().playing()) return sayRefused(g, tr("ネット対局中です"), tr(TITLE));
    return n->port->reconnect();
  }
  std::string address, code;
  if (!g.ui.askJoin(address, code)) return;
  if (!joinNetGame(g, address, code, true))
    sayRefused(g, tr("アドレスか合言葉が正しくありません"), tr(TITLE));
}

bool netGameOn(const Table& g) {
  const NetGame* n = netOf(g);
  return n && n->port && n->on;
}

bool NetGame::allowsClick(Table& game) {
  if (!port->session().playing()) {
    sayRefused(game, tr("相手とつながっていません"), tr(TITLE));
    return false;
  }
  if (game.TURN != myTurn()) {
    sayRefused(game, tr("相手の番です"), tr(TITLE));
    return false;
  }
  return true;
}

bool NetGame::allowsQuit(Table& game) {
  if (!port) return true;
  if (on && game.ui.messageBox(tr("ネット対局中です。終わりますか？"), tr(TITLE), Buttons::YesNo,
                               Icon::Question) != Answer::Yes)
    return false;
  port->bye();
  return true;
}

} // namespace korvanu
