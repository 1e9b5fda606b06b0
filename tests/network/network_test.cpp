// Two network games' ends, and hostile peers, over the loopback interface
// only: every connection goes to 127.0.0.1 or ::1, and each wait is bounded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <filesystem>
#include <functional>
#include <memory>
#include <tuple>

#include "net_link.h"
#include "net_port.h"
#include "platform/headless.h"
#include "play/commands.h"
#include "play/net_game.h"
#include "play/record_list.h"
#include "play/view_turn.h"
#include "qt_crypto.h"
#include "rules/moves.h"
#include "scripted_game.h"
#include "sound_fake.h"
#include "state/game.h"
#include "state/new_game.h"
#include "two_windows.h"
#include "view/board_view.h"
#include "view/clock_view.h"

namespace korvanu {
namespace {

using net::Event;
using Kind = net::Event::Kind;

struct Recorder : net::Listener {
  std::vector<Event> events;
  std::function<void(const Event&)> then;
  void onEvent(const Event& e) override {
    events.push_back(e);
    if (then) then(e);
  }
  int count(Kind k) const {
    return static_cast<int>(
        std::count_if(events.begin(), events.end(), [k](const Event& e) { return e.kind == k; }));
  }
  const Event* last(Kind k) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it)
      if (it->kind == k) return &*it;
    return nullptr;
  }
};

// Host (先手, drops on) and joiner, connected and agreed.
struct Pair {
  Recorder hostSeen, joinSeen;
  NetLink host, join;
  Pair(const QHostAddress& address, const std::string& joinCode = CODE, net::Settings settings = {})
      : host(net::Role::Host, crypto, CODE, hostSeen, loopback(address)),
        join(net::Role::Join, crypto, joinCode, joinSeen, loopback(address)) {
    joinSeen.then = [this](const Event& e) {
      if (e.kind == Kind::Offered) join.agree();
    };
    EXPECT_TRUE(host.host(settings));
    join.join(address, host.port());
  }
  bool started(int times = 1) {
    return waitFor([&] {
      return hostSeen.count(Kind::Started) == times && joinSeen.count(Kind::Started) == times;
    });
  }
};

class TwoEnds : public ::testing::TestWithParam<const char*> {};

TEST_P(TwoEnds, PlayAWholeGameAndKeepOneRecord) {
  const QHostAddress address(GetParam());
  Pair p(address);
  ASSERT_TRUE(p.started());
  EXPECT_TRUE(p.host.listening()); // the port stays the host's for the whole game
  // Each end moves only on its turn; the other end sees the move.
  auto play = [&](NetLink& mover, Recorder& other, const Move& m) {
    const int before = other.count(Kind::PeerMove);
    ASSERT_TRUE(mover.move(m));
    ASSERT_TRUE(waitFor([&] { return other.count(Kind::PeerMove) == before + 1; }));
    EXPECT_EQ(other.last(Kind::PeerMove)->move, m);
  };
  EXPECT_FALSE(p.join.move(UPPER_OPENS)); // not its turn
  play(p.host, p.joinSeen, OPEN_BISHOP);
  play(p.join, p.hostSeen, UPPER_OPENS);
  play(p.host, p.joinSeen, BISHOP_TAKES); // the upper corner blows up
  play(p.join, p.hostSeen, DROP_BISHOP);  // the lower bishop, blown up, dropped by the upper side
  play(p.host, p.joinSeen, EDGE_PAWN);

  // 待った refused, then agreed: the joiner's drop and the reply go back.
  ASSERT_TRUE(p.join.askTakeBack());
  ASSERT_TRUE(waitFor([&] { return p.hostSeen.count(Kind::TakeBackAsked) == 1; }));
  EXPECT_FALSE(p.host.move(OTHER_EDGE)); // an ask waits for its answer
  ASSERT_TRUE(p.host.answerTakeBack(false));
  ASSERT_TRUE(waitFor([&] { return p.joinSeen.count(Kind::TakeBackAnswer) == 1; }));
  EXPECT_FALSE(p.joinSeen.last(Kind::TakeBackAnswer)->yes);
  EXPECT_EQ(p.host.session().game().moves().size(), 5u);
  ASSERT_TRUE(p.join.askTakeBack());
  ASSERT_TRUE(waitFor([&] { return p.hostSeen.count(Kind::TakeBackAsked) == 2; }));
  ASSERT_TRUE(p.host.answerTakeBack(true));
  ASSERT_TRUE(waitFor([&] { return p.joinSeen.count(Kind::TookBack) == 1; }));
  EXPECT_EQ(p.join.session().game().moves().size(), 3u);
  EXPECT_EQ(p.host.session().game().moves().size(), 3u);

  play(p.join, p.hostSeen, UPPER_PAWN);
  // The line breaks: both say so, the host listens again, the joiner comes
  // back with the same code and the host's record.
  p.join.bye();
  ASSERT_TRUE(waitFor([&] { return p.hostSeen.count(Kind::Lost) == 1 && p.host.listening(); }));
  p.join.reconnect();
  ASSERT_TRUE(p.started(2));
  EXPECT_TRUE(p.joinSeen.last(Kind::Started)->yes);
  play(p.host, p.joinSeen, OTHER_EDGE);

  ASSERT_TRUE(p.join.resign());
  ASSERT_TRUE(waitFor([&] { return p.hostSeen.count(Kind::Resigned) == 1; }));
  EXPECT_EQ(p.hostSeen.last(Kind::Resigned)->side, net::GOTE);
  EXPECT_EQ(p.host.session().game().winner(), net::SENTE);
  EXPECT_EQ(p.join.session().game().winner(), net::SENTE);

  const std::vector<Move> expected{OPEN_BISHOP, UPPER_OPENS, BISHOP_TAKES, UPPER_PAWN, OTHER_EDGE};
  EXPECT_EQ(p.host.session().game().moves(), expected);
  EXPECT_EQ(p.join.session().game().moves(), expected);
  // The same game at one mouse reaches the same board and hands.
  HeadlessPlatform ui;
  Table g{ui};
  newGame(g);
  for (const Move& m : expected) playMove(g, m.fx, m.fy, m.tx, m.ty, m.code);
  for (const net::Session* s : {&p.host.session(), &p.join.session()}) {
    const Position& q = s->game().position();
    EXPECT_TRUE(std::equal(&q.BOARD[0][0], &q.BOARD[0][0] + 100, &g.BOARD[0][0]));
    EXPECT_TRUE(std::equal(q.HAND_SITA, q.HAND_SITA + 8, g.HAND_SITA));
    EXPECT_TRUE(std::equal(q.HAND_UE, q.HAND_UE + 8, g.HAND_UE));
  }
  EXPECT_GT(g.HAND_SITA_TOTAL, 0);
  EXPECT_FALSE(p.host.listening()); // the game is over: nobody to wait for
}

TEST(TwoEndsClock, TheHostsClockEndsTheGameForBoth) {
  // No main time, a second a move: the joiner, 先手, lets its second pass.
  Pair p(QHostAddress::LocalHost, CODE, {false, true, 0, 0, 1});
  ASSERT_TRUE(p.started());
  ASSERT_TRUE(p.join.move(OPEN_BISHOP));
  ASSERT_TRUE(waitFor([&] { return p.joinSeen.count(Kind::Clock) >= 2; }));
  ASSERT_TRUE(p.host.move(UPPER_OPENS));
  ASSERT_TRUE(waitFor([&] { return p.joinSeen.count(Kind::TimeUp) == 1; }, 4000));
  EXPECT_EQ(p.joinSeen.last(Kind::TimeUp)->side, net::SENTE);
  EXPECT_EQ(p.hostSeen.last(Kind::TimeUp)->side, net::SENTE);
  EXPECT_FALSE(p.join.move(BISHOP_TAKES));
  EXPECT_EQ(p.join.session().game().winner(), net::GOTE);
}

INSTANTIATE_TEST_SUITE_P(Loopback, TwoEnds, ::testing::Values("127.0.0.1", "::1"));

struct HostileCase {
  const char* name;
  std::function<void(Hostile&)> act;
  net::Reason reason;
  int kept = 0; // the peer's legal moves before its bad one
};

TEST(HostilePeer, NeverMovesTheGameAndKeepsTheRecord) {
  const std::string junk = [] {
    std::string s(4096, '\0');
    for (char& c : s) c = static_cast<char>(QRandomGenerator::global()->generate());
    return s;
  }();
  const HostileCase cases[] = {
      {"replayed line",
       [](Hostile& h) {
         const std::string line = h.seal("ping");
         h.write(line + line);
       },
       net::Reason::BadLine},
      {"altered move",
       [](Hostile& h) {
         std::string line = h.seal("move 7 3 7 4 10");
         line.replace(line.find("7 4"), 3, "7 5");
         h.write(line);
       },
       net::Reason::BadLine},
      {"unsealed move", [](Hostile& h) { h.write("move 7 3 7 4 10\n"); }, net::Reason::BadLine},
      {"illegal move", [](Hostile& h) { h.write(h.seal("move 7 3 7 5 10")); },
       net::Reason::IllegalMove},
      {"the host's piece", [](Hostile& h) { h.write(h.seal("move 7 6 7 5 -10")); },
       net::Reason::IllegalMove},
      {"moves twice",
       [](Hostile& h) {
         const std::string first = h.seal("move 7 3 7 4 10");
         h.write(first + h.seal("move 3 3 3 4 10"));
       },
       net::Reason::OutOfTurn, 1},
      {"host's message", [](Hostile& h) { h.write(h.seal("timeout 0")); }, net::Reason::OutOfTurn},
      {"take-back of nothing", [](Hostile& h) { h.write(h.seal("takeback-ask 1 0")); },
       net::Reason::OutOfTurn},
      {"megabyte line", [](Hostile& h) { h.write(std::string(1 << 20, 'x')); },
       net::Reason::BadLine},
      {"half a line, then silence", [](Hostile& h) { h.write("1 abc"); }, net::Reason::Silence},
      {"random bytes", [&](Hostile& h) { h.write(junk); }, net::Reason::BadLine},
  };
  for (const HostileCase& c : cases) {
    SCOPED_TRACE(c.name);
    Recorder seen;
    NetLink host(net::Role::Host, crypto, CODE, seen, loopback(QHostAddress::LocalHost));
    ASSERT_TRUE(host.host({}));
    Hostile h(host.port());
    ASSERT_TRUE(h.greet(CODE));
    h.write(h.seal("agree"));
    ASSERT_TRUE(waitFor([&] { return seen.count(Kind::Started) == 1; }));
    ASSERT_TRUE(host.move({7, 7, 7, 6, -10}));
    // A second connection meanwhile hears that the host is busy, and goes.
    Hostile second(host.port());
    EXPECT_TRUE(second.closedByHost());
    EXPECT_TRUE(second.heard.startsWith("refused busy"));
    c.act(h);
    ASSERT_TRUE(h.closedByHost());
    ASSERT_TRUE(seen.last(Kind::Lost));
    EXPECT_EQ(seen.last(Kind::Lost)->reason, c.reason);
    std::vector<Move> record{{7, 7, 7, 6, -10}, {7, 3, 7, 4, 10}};
    record.resize(1 + c.kept);
    EXPECT_EQ(seen.count(Kind::PeerMove), c.kept);
    EXPECT_EQ(host.session().game().moves(), record);
    EXPECT_TRUE(waitFor([&] { return host.listening(); })); // the friend may come back
  }
}

TEST(HostilePeer, WrongCodesAreLockedOut) {
  Recorder seen;
  NetOptions o = loopback(QHostAddress::LocalHost);
  o.limiter = net::AttemptLimiter(3, 60'000);
  NetLink host(net::Role::Host, crypto, CODE, seen, o);
  ASSERT_TRUE(host.host({}));
  for (int i = 0; i < 3; ++i) {
    Hostile h(host.port());
    EXPECT_FALSE(h.greet("22222222"));
    EXPECT_TRUE(h.heard.contains(i < 2 ? "refused code" : "refused wait"));
    ASSERT_TRUE(h.closedByHost());
  }
  EXPECT_EQ(seen.count(Kind::WrongCode), 3);
  EXPECT_TRUE(seen.last(Kind::WrongCode)->yes);
  // Locked: even the right code is refused before any greeting.
  Recorder joinSeen;
  NetLink join(net::Role::Join, crypto, CODE, joinSeen, loopback(QHostAddress::LocalHost));
  join.join(QHostAddress::LocalHost, host.port());
  ASSERT_TRUE(waitFor([&] { return joinSeen.count(Kind::Lost) == 1; }));
  EXPECT_EQ(joinSeen.last(Kind::Lost)->reason, net::Reason::Wait);
  EXPECT_EQ(seen.count(Kind::Started), 0);
}

TEST(HostilePeer, AJoinerWithTheWrongCodeIsToldSo) {
  Pair p(QHostAddress::LocalHost, "22222222");
  ASSERT_TRUE(waitFor([&] { return p.joinSeen.count(Kind::Lost) == 1; }));
  EXPECT_EQ(p.joinSeen.last(Kind::Lost)->reason, net::Reason::WrongCode);
  EXPECT_EQ(p.hostSeen.count(Kind::WrongCode), 1);
  EXPECT_EQ(p.hostSeen.count(Kind::Started), 0);
}

TEST(TwoWindows, PlayByClicksAskTakeBackAndResign) {
  TwoWindows w;
  ASSERT_TRUE(w.made);
  // The record file panels open on both close as the game is hosted and joined.
  for (testing::ScriptedGame* s : {&w.host, &w.join}) s->menu(Menu::KIFU_READ);
  ASSERT_TRUE(w.host.ui.fileList && w.join.ui.fileList);
  ASSERT_TRUE(w.start()); // the host is 先手 and sits at the lower side
  EXPECT_FALSE(w.host.ui.fileList || w.join.ui.fileList);

  struct Row {
    bool byHost;
    Move m;
    bool refused; // out of turn: refused where it was clicked, nothing sent
  };
  const Row rows[] = {{false, UPPER_OPENS, true},  {true, OPEN_BISHOP, false},
                      {false, UPPER_OPENS, false}, {true, BISHOP_TAKES, false},
                      {false, DROP_BISHOP, false}, {true, EDGE_PAWN, false}};
  for (const Row& r : rows) {
    testing::ScriptedGame& mover = r.byHost ? w.host : w.join;
    const int before = mover.g.GAME_MOVES;
    mover.play(r.m);
    if (r.refused) {
      EXPECT_TRUE(mover.said("相手の番です", "ネット対局"));
      EXPECT_EQ(mover.g.GAME_MOVES, before);
      continue;
    }
    ASSERT_EQ(mover.g.GAME_MOVES, before + 1);
    ASSERT_TRUE(waitFor([&] { return w.samePosition(); })) << "after " << r.m.tx << r.m.ty;
  }

  // 待った: the host refuses once, then agrees; the joiner's drop and the
  // host's reply go back on both.
  w.host.ui.answers = {Answer::No};
  w.join.menu(Menu::MATTA);
  ASSERT_TRUE(waitFor([&] { return w.join.said("相手は待ったを受けませんでした", "待った"); }));
  EXPECT_EQ(w.join.g.GAME_MOVES, 5);
  w.join.menu(Menu::MATTA);
  ASSERT_TRUE(waitFor([&] { return w.host.g.GAME_MOVES == 3 && w.samePosition(); }));

  // 投了 ends the game for both; each has kept its record in its folder.
  w.join.menu(Menu::RESIGN);
  ASSERT_TRUE(waitFor([&] { return w.host.said("先手の勝ちです", "終了"); }));
  EXPECT_TRUE(w.join.said("先手の勝ちです", "終了"));
  EXPECT_FALSE(netGameOn(w.host.g) || netGameOn(w.join.g));
  for (const auto& f : {w.hostFolder, w.joinFolder})
    EXPECT_TRUE(std::filesystem::exists(f / "前回の対局.棋譜")) << f;
}

TEST(TwoWindows, CommandsThatWouldPartTheRecordsWaitForTheGameToEnd) {
  TwoWindows w;
  ASSERT_TRUE(w.made && w.start());
  w.host.play(OPEN_BISHOP);
  ASSERT_TRUE(waitFor([&] { return w.samePosition(); }));
  const auto recordOf = [](const Game& g) {
    return std::tuple(g.REC, g.MOVE_NO, g.GAME_MOVES, g.TURN, g.HANDICAP_LEVEL, g.REVERSED,
                      g.GAME_MODE, g.MENU_CHECKED[static_cast<int>(Menu::MOCHIKOMA)]);
  };
  const auto hostBefore = recordOf(w.host.g), joinBefore = recordOf(w.join.g);
  const Menu refused[] = {Menu::REPLAY,    Menu::AFTER,      Menu::CANCEL,   Menu::REVERSE,
                          Menu::KIFU_READ, Menu::START,      Menu::SENTE,    Menu::GOTE,
                          Menu::LBEL_UP,   Menu::LEBEL_DOWN, Menu::MOCHIKOMA};
  for (Menu item : refused)
    for (testing::ScriptedGame* s : {&w.host, &w.join}) {
      s->ui.messages.clear();
      s->menu(item);
      EXPECT_TRUE(s->said("ネット対局中はできません", std::string(menuItem(item).caption)))
          << menuItem(item).name;
    }
  moveListRowClicked(w.join.g, 0);
  EXPECT_TRUE(w.join.said("ネット対局中はできません", "棋譜一覧"));
  EXPECT_EQ(recordOf(w.host.g), hostBefore);
  EXPECT_EQ(recordOf(w.join.g), joinBefore);
  // The session goes on where it was: the joiner's reply reaches the host.
  w.join.play(UPPER_OPENS);
  ASSERT_TRUE(waitFor([&] { return w.samePosition() && w.host.g.GAME_MOVES == 2; }));

  // Over, everything works as before.
  w.join.ui.answers = {Answer::Yes};
  w.join.menu(Menu::RESIGN);
  ASSERT_TRUE(waitFor([&] { return !netGameOn(w.host.g) && !netGameOn(w.join.g); }));
  w.host.ui.messages.clear();
  w.host.menu(Menu::LBEL_UP);
  EXPECT_EQ(w.host.g.HANDICAP_LEVEL, 1);
  EXPECT_TRUE(w.host.ui.messages.empty());
}

// Either waiting box's ｷｬﾝｾﾙ closes that end: a joiner that gave up starts
// no game and the host goes on waiting; a host that gave up lets nobody in.
TEST(TwoWindows, CancellingTheWaitingBoxClosesThatEnd) {
  TwoWindows w;
  ASSERT_TRUE(w.made);
  auto hosting = hostNetGame(w.host.g, {}, 0);
  ASSERT_TRUE(hosting);
  ASSERT_TRUE(w.joinAt(*hosting, false));
  w.join.click(5, 5); // a click on the board says what the window waits for
  EXPECT_TRUE(w.join.said("相手につないでいます", "ネット対局"));
  cancelHosting(w.join.g); // before the greeting could be answered
  EXPECT_FALSE(waitFor([&] { return netGameOn(w.host.g); }, 500));
  EXPECT_FALSE(w.host.ui.waitingText.empty());
  ASSERT_TRUE(w.joinAt(*hosting, false) &&
              waitFor([&] { return netGameOn(w.host.g) && netGameOn(w.join.g); }));

  TwoWindows v;
  ASSERT_TRUE(v.made);
  hosting = hostNetGame(v.host.g, {}, 0);
  ASSERT_TRUE(hosting);
  v.host.click(5, 5);
  EXPECT_TRUE(v.host.said("相手を待っています", "ネット対局"));
  cancelHosting(v.host.g);
  v.host.click(5, 5);
  EXPECT_TRUE(v.host.said("「対局」で始めて下さい", "開始"));
  ASSERT_TRUE(v.joinAt(*hosting, false));
  ASSERT_TRUE(waitFor([&] { return v.join.ui.waitingText.empty(); }));
  EXPECT_FALSE(netGameOn(v.join.g) || netGameOn(v.host.g));
}

TEST(TwoWindows, ACutConnectionIsSaidAndTheJoinerComesBackWithTheGame) {
  TwoWindows w;
  ASSERT_TRUE(w.made && w.start());
  w.host.play(OPEN_BISHOP);
  ASSERT_TRUE(waitFor([&] { return w.samePosition(); }));
  TwoWindows::cut(w.hostPort);
  ASSERT_TRUE(
      waitFor([&] { return TwoWindows::toldKept(w.join) && TwoWindows::toldKept(w.host); }));
  EXPECT_TRUE(netGameOn(w.host.g) && netGameOn(w.join.g));
  EXPECT_EQ(w.join.g.GAME_MOVES, 1);

  w.join.menu(Menu::NET_JOIN); // the same host and code
  ASSERT_TRUE(waitFor([&] {
    return w.join.said("相手とつながりました", "ネット対局") &&
           w.host.said("相手とつながりました", "ネット対局");
  }));
  EXPECT_TRUE(w.samePosition());
  EXPECT_TRUE(viewTurned(w.join.g));
  setViewTurned(w.join.g, false);
  w.join.play(UPPER_OPENS);
  ASSERT_TRUE(waitFor([&] { return w.samePosition() && w.host.g.GAME_MOVES == 2; }));
}

// A joiner whose program started again is given the game at once: the host's
// record is caught up without its pauses and sounds.
TEST(TwoWindows, AJoinerStartedAgainCatchesUpWithoutPlayingTheExplosionAgain) {
  TwoWindows w;
  ASSERT_TRUE(w.made && w.start());
  for (const auto& [byHost, m] :
       {std::pair{true, OPEN_BISHOP}, {false, UPPER_OPENS}, {true, BISHOP_TAKES}}) {
    (byHost ? w.host : w.join).play(m);
    ASSERT_TRUE(waitFor([&] { return w.samePosition(); }));
  }
  TwoWindows::cut(w.joinPort);
  ASSERT_TRUE(waitFor([&] { return TwoWindows::toldKept(w.host); }));

  testing::ScriptedGame again{testing::GameOptions().recordsIn(w.joinFolder.string())};
  NetPort* againPort = nullptr;
  TwoWindows::wire(again.g, &againPort);
  fake::calls.clear();
  ASSERT_TRUE(w.joinAt(*w.hosting, false, &again.g));
  ASSERT_TRUE(waitFor([&] { return netGameOn(again.g) && again.g.GAME_MOVES == 3; }));
  EXPECT_TRUE(std::equal(&w.host.g.BOARD[0][0], &w.host.g.BOARD[0][0] + 100, &again.g.BOARD[0][0]));
  EXPECT_TRUE(again.ui.waits.empty());
  EXPECT_TRUE(std::none_of(fake::calls.begin(), fake::calls.end(),
                           [](const std::string& c) { return c.starts_with("play"); }));
}

TEST(TwoWindows, TimeUpEndsTheGameForBothWithTheWinnerNamed) {
  TwoWindows w;
  NetTerms oneSecond;
  oneSecond.byoyomiSeconds = 1;
  ASSERT_TRUE(w.made && w.start(oneSecond));
  w.host.ui.answers = w.join.ui.answers = {Answer::No}; // no new game: the figures stay
  w.host.play(OPEN_BISHOP); // then the joiner, 後手, lets its second run out
  ASSERT_TRUE(waitFor([&] {
    return w.host.said("先手の勝ちです", "終了") && w.join.said("先手の勝ちです", "終了");
  }));
  EXPECT_FALSE(netGameOn(w.host.g) || netGameOn(w.join.g));
  // 後手's figure shows its time gone, not a fresh second.
  EXPECT_EQ(TwoWindows::clockTexts(w.host).second, "秒読み 0");
  EXPECT_EQ(TwoWindows::clockTexts(w.join).second, "秒読み 0");
}

TEST(TwoWindows, BothWindowsShowTheHostsClockAndTheTimeLeftUnderATimeControl) {
  struct Row {
    int mainMinutes, byoyomi;
    // Both sides' figures at a move (the host's record is under a second
    // each), then 後手's after 7 s of its turn.
    std::string atMove, running;
  };
  const Row rows[] = {
      {0, 0, "", "00:00:07"}, {10, 30, "00:10:00", "00:09:53"}, {0, 30, "秒読み 30", "秒読み 23"}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.running);
    TwoWindows w;
    NetTerms terms;
    terms.mainMinutes = r.mainMinutes;
    terms.byoyomiSeconds = r.byoyomi;
    ASSERT_TRUE(w.made && w.start(terms));
    // Each window's own seconds pass differently: only the host's record counts.
    w.host.play(OPEN_BISHOP, 5);
    ASSERT_TRUE(waitFor([&] { return w.samePosition() && w.sameClock(); }));
    w.join.play(UPPER_OPENS, 3);
    ASSERT_TRUE(waitFor([&] { return w.samePosition() && w.sameClock(); }));
    w.host.play(BISHOP_TAKES, 4);
    ASSERT_TRUE(
        waitFor([&] { return w.samePosition() && w.sameClock() && w.join.g.TURN == TURN_GOTE; }));
    const auto& record = w.hostPort->session().clock();
    ASSERT_LT(std::max(record.used(net::SENTE), record.used(net::GOTE)), 1000);
    const std::pair<std::string, std::string> expected =
        r.atMove.empty() ? std::pair(調査_時間秒追加結果(record.used(net::SENTE) / 1000.0),
                                     調査_時間秒追加結果(record.used(net::GOTE) / 1000.0))
                         : std::pair(r.atMove, r.atMove);
    EXPECT_EQ(TwoWindows::clockTexts(w.host), expected);
    EXPECT_EQ(TwoWindows::clockTexts(w.join), expected);
    w.join.tick(7);
    EXPECT_EQ(TwoWindows::clockTexts(w.join).second, r.running);
  }
}

} // namespace
} // namespace korvanu

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
