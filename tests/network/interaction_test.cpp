// Where features meet: each thing that starts or changes a game, in each way
// of playing (against the computer, two people at one mouse, the network's
// host and joiner), one row each. After every row the same checks run on
// every window: the board is the record's entry shown, nothing waits on a
// think for a board that moved on, the kept game is the record, and two
// windows of one network game hold one game.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "play/autosave.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/game_end.h"
#include "play/level4.h"
#include "play/setup.h"
#include "play/startup.h"
#include "record/record_file.h"
#include "rules/make_move.h"
#include "rules/record.h"
#include "state/new_game.h"
#include "two_windows.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedGame;

enum class Mode { Computer, Level4, People, Host, Joiner };

const char* nameOf(Mode m) {
  constexpr const char* NAMES[] = {"computer", "level 4", "two people", "host", "joiner"};
  return NAMES[static_cast<int>(m)];
}

// The king walks beside its pawns and the lower bishop takes one of them: the
// blast takes the upper king on the game's third move.
const Move KING_WALKS{5, 1, 6, 2, 80}, BISHOP_BLASTS{2, 8, 7, 3, -60};

// One way of playing: a window of its own, or two on the network, "me" the
// one the row acts on.
struct Scene {
  testing::TempDir folder; // first: the windows' own folders are made and gone inside it
  Mode mode;
  std::unique_ptr<TwoWindows> net;
  std::unique_ptr<ScriptedGame> local;

  explicit Scene(Mode m) : mode(m) {
    if (networked())
      net = std::make_unique<TwoWindows>();
    else
      local = std::make_unique<ScriptedGame>(testing::GameOptions().recordsIn(folder.path()));
  }
  bool networked() const { return mode == Mode::Host || mode == Mode::Joiner; }
  ScriptedGame& me() { return !net ? *local : mode == Mode::Host ? net->host : net->join; }
  ScriptedGame& lower() { return net ? net->host : *local; }
  ScriptedGame& upper() { return net ? net->join : *local; }
  fs::path keptIn(ScriptedGame& s) {
    return (net ? (&s == &net->host ? net->hostFolder : net->joinFolder) : folder.path()) /
           "前回の対局.棋譜";
  }
  std::vector<ScriptedGame*> windows() {
    if (net) return {&net->host, &net->join};
    return {local.get()};
  }

  // The game begun in this mode, the lower side (先手) to move.
  void start(const NetTerms& terms = {}) {
    switch (mode) {
    case Mode::Level4: local->menu(Menu::LEVEL4); [[fallthrough]];
    case Mode::Computer: local->menu(Menu::SENTE); break;
    case Mode::People: local->menu(Menu::START); break;
    case Mode::Host:
    case Mode::Joiner: ASSERT_TRUE(net->start(terms)); break;
    }
  }
  // The game begun and its first two moves played.
  void startAndOpen() {
    start();
    lowerPlays(OPEN_BISHOP);
    upperPlays(UPPER_OPENS);
  }
  // The upper king walks out and the lower bishop's capture blows it up: the
  // game ends on the lower side's move, the third.
  void lowerWinsByBlast() {
    lowerPlays(OPEN_BISHOP);
    upperPlays(KING_WALKS);
    lower().play(BISHOP_BLASTS);
  }
  // A move of the lower side and one of the upper side, whoever makes them.
  void lowerPlays(const Move& m) {
    lower().play(m);
    settle();
  }
  void upperPlays(const Move& m) {
    if (mode == Mode::Computer || mode == Mode::Level4) return; // it has replied
    upper().play(m);
    settle();
  }
  // The two windows agree again after something went over the line.
  void settle() {
    if (net) {
      EXPECT_TRUE(waitFor([&] { return net->samePosition(); }));
    }
  }
  void answer(std::initializer_list<Answer> answers) {
    for (ScriptedGame* s : windows()) s->ui.answers = answers;
  }
};

// The record's entries as the kept file holds them: the board and the hands.
bool samePositions(const RecordEntry& a, const RecordEntry& b) {
  return std::equal(&a.BOARD[0][0], &a.BOARD[0][0] + 100, &b.BOARD[0][0]) &&
         std::equal(a.HAND_SITA, a.HAND_SITA + 8, b.HAND_SITA) &&
         std::equal(a.HAND_UE, a.HAND_UE + 8, b.HAND_UE);
}

void expectWhole(Scene& t, const std::string& row) {
  for (ScriptedGame* s : t.windows()) {
    const Table& g = s->g;
    SCOPED_TRACE(row + (s == &t.me() ? " (acting window)" : " (other window)"));
    ASSERT_LT(g.MOVE_NO, static_cast<int>(g.REC.size()));
    EXPECT_TRUE(samePositions(positionOf(g), g.REC[static_cast<size_t>(g.MOVE_NO)]))
        << "the board is the record's entry shown";
    if (thinking(g)) {
      EXPECT_EQ(g.THINK.key, keyOf(g)) << "a think waits for this board";
    }
    const bool keepable = g.RECORD_MODE == OFF && g.REVERSED == OFF &&
                          (g.HANDICAP_SET == OFF || g.RECORD_NETWORK) && g.GAME_MOVES > 0;
    if (!keepable || g.QUITTING) continue;
    const auto kept = readRecordFile(t.keptIn(*s).string());
    ASSERT_TRUE(kept) << "the game is kept";
    ASSERT_EQ(kept->entries.size(), static_cast<size_t>(g.RECORD_LAST));
    for (size_t i = 0; i < kept->entries.size(); ++i)
      EXPECT_TRUE(samePositions(kept->entries[i], g.REC[i + 1])) << "entry " << i + 1;
  }
  if (t.net) {
    EXPECT_TRUE(t.net->samePosition()) << row;
    EXPECT_EQ(t.net->host.g.RECORD_LAST, t.net->join.g.RECORD_LAST) << row;
  }
}

std::string titleKept(Scene& t, ScriptedGame& s) {
  const auto kept = readRecordFile(t.keptIn(s).string());
  return kept ? kept->title : "(none)";
}

// An unfinished game against the computer kept in `t`'s folder by an earlier
// run, the human 後手 and the computer at level 4 when `level4`.
void keepAnEarlierGame(Scene& t, ScriptedGame& s, bool asGote, bool level4 = false) {
  ScriptedGame earlier(testing::GameOptions().recordsIn(t.keptIn(s).parent_path().string()));
  if (level4) earlier.menu(Menu::LEVEL4);
  earlier.menu(asGote ? Menu::GOTE : Menu::SENTE);
  earlier.playSomething();
  ASSERT_TRUE(fs::exists(t.keptIn(s)));
}

struct Row {
  const char* feature;
  std::vector<Mode> modes;
  std::function<void(Scene&)> act;
};

const std::vector<Mode> LOCAL{Mode::Computer, Mode::People};
const std::vector<Mode> EVERY{Mode::Computer, Mode::People, Mode::Host, Mode::Joiner};
const std::vector<Mode> NETWORK{Mode::Host, Mode::Joiner};

const Row ROWS[] = {
    {"moves, kept after each one", EVERY,
     [](Scene& t) {
       t.startAndOpen();
       for (ScriptedGame* s : t.windows()) EXPECT_FALSE(s->g.RECORD_UNSAVED);
     }},
    {"level 4 thinks, the clock and board waiting",
     {Mode::Level4},
     [](Scene& t) {
       t.start();
       t.lowerPlays(OPEN_BISHOP);
       EXPECT_EQ(t.me().g.MOVE_NO, 2);
       EXPECT_EQ(t.me().g.TURN, t.me().g.SIDE_MAN);
     }},
    {"the start-up offer stays away from a network game", NETWORK,
     [](Scene& t) {
       ScriptedGame& s = t.me();
       keepAnEarlierGame(t, s, false);
       const std::string before = titleKept(t, s);
       const auto keptBytes = fs::file_size(t.keptIn(s));
       // As the program starts with --host or --join: the port open, then the window shown.
       const auto hosting = hostNetGame(t.net->host.g, {}, 0);
       ASSERT_TRUE(hosting);
       ASSERT_TRUE(t.net->joinAt(*hosting, false));
       windowShown(s.g);
       EXPECT_FALSE(s.said("前回の対局を続けますか？", "前回の対局"));
       ASSERT_TRUE(waitFor([&] { return netGameOn(t.net->host.g) && netGameOn(t.net->join.g); }));
       setViewTurned(t.net->join.g, false);
       EXPECT_EQ(s.g.GAME_MOVES, 0);
       EXPECT_EQ(fs::file_size(t.keptIn(s)), keptBytes) << "kept for the next start on its own";
       EXPECT_EQ(titleKept(t, s), before);
       t.lowerPlays(OPEN_BISHOP);
       t.upperPlays(UPPER_OPENS);
     }},
    {"a record cannot be loaded while the network game is set up",
     {Mode::Host},
     [](Scene& t) {
       ScriptedGame& s = t.me();
       keepAnEarlierGame(t, s, false);
       const auto hosting = hostNetGame(t.net->host.g, {}, 0);
       ASSERT_TRUE(hosting);
       s.ui.fileFolder = t.keptIn(s).parent_path().string();
       File1_Click(s.g, "前回の対局.棋譜");
       EXPECT_EQ(t.net->host.g.RECORD_MODE, OFF);
       EXPECT_TRUE(t.net->host.said("ネット対局中はできません", "棋譜"));
       ASSERT_TRUE(t.net->joinAt(*hosting, false));
       ASSERT_TRUE(waitFor([&] { return netGameOn(t.net->host.g) && netGameOn(t.net->join.g); }));
       setViewTurned(t.net->join.g, false);
     }},
    {"a friend joins while level 4 thinks: its move is dropped",
     {Mode::Host},
     [](Scene& t) {
       Table& g = t.net->host.g;
       const auto hosting = hostNetGame(g, {}, 0);
       ASSERT_TRUE(hosting);
       t.net->host.menu(Menu::LEVEL4);
       t.net->host.menu(Menu::SENTE);
       t.net->host.ui.holdAside = true;
       t.net->host.play(OPEN_BISHOP);
       ASSERT_TRUE(thinking(g));
       ASSERT_TRUE(t.net->joinAt(*hosting, false));
       ASSERT_TRUE(waitFor([&] { return netGameOn(g) && netGameOn(t.net->join.g); }));
       setViewTurned(t.net->join.g, false);
       EXPECT_FALSE(thinking(g));
       t.net->host.ui.finishAside();
       EXPECT_EQ(g.GAME_MOVES, 0) << "no reply from the old position";
       EXPECT_EQ(g.TURN, TURN_SENTE);
       t.lowerPlays(OPEN_BISHOP);
     }},
    {"a hint comes back after the board changed: it is dropped",
     {Mode::People},
     [](Scene& t) {
       t.start();
       t.lowerPlays(OPEN_BISHOP);
       t.me().ui.holdAside = true;
       t.me().menu(Menu::HINT);
       ASSERT_TRUE(thinking(t.me().g));
       t.me().ui.holdAside = false;
       t.me().menu(Menu::MATTA);
       t.me().ui.finishAside();
       EXPECT_FALSE(t.me().g.HINT.shown);
     }},
    {"no hint against a friend on the network", NETWORK,
     [](Scene& t) {
       t.start();
       for (ScriptedGame* s : t.windows()) {
         s->menu(Menu::HINT);
         EXPECT_TRUE(s->said("できません", "ヒント"));
         EXPECT_EQ(s->ui.asideRuns, 0);
       }
     }},
    {"待った", EVERY,
     [](Scene& t) {
       t.startAndOpen();
       t.answer({Answer::Yes});
       t.lower().menu(Menu::MATTA);
       t.settle();
       if (t.net) {
         // The asker's move goes, and the reply to it.
         ASSERT_TRUE(waitFor([&] { return t.net->host.g.GAME_MOVES == 0; }));
       }
     }},
    {"投了 after 戻: the game ends on the position shown",
     {Mode::Computer, Mode::People},
     [](Scene& t) {
       t.startAndOpen();
       t.lowerPlays(EDGE_PAWN);
       t.upperPlays(UPPER_PAWN);
       t.me().menu(Menu::REPLAY);
       t.me().menu(Menu::REPLAY);
       t.answer({Answer::Yes, Answer::No}); // resigned; no more games
       t.me().menu(Menu::RESIGN);
       const auto kept = readRecordFile(t.keptIn(t.me()).string());
       ASSERT_TRUE(kept);
       EXPECT_EQ(kept->title, AUTOSAVE_RESIGNED_TITLE);
       EXPECT_EQ(kept->entries.size(), 2u);
     }},
    {"投了 is kept as resigned on both", NETWORK,
     [](Scene& t) {
       t.start();
       t.lowerPlays(OPEN_BISHOP);
       t.answer({Answer::Yes, Answer::Yes}); // resigned; played again
       t.me().menu(Menu::RESIGN);
       ScriptedGame& other = &t.me() == &t.net->host ? t.net->join : t.net->host;
       ASSERT_TRUE(waitFor([&] {
         return other.said(t.mode == Mode::Host ? "後手の勝ちです" : "先手の勝ちです", "終了");
       }));
       for (ScriptedGame* s : t.windows()) EXPECT_EQ(titleKept(t, *s), AUTOSAVE_RESIGNED_TITLE);
     }},
    {"a game won on a move, played again: a fresh game, the finished one kept",
     {Mode::People, Mode::Host, Mode::Joiner},
     [](Scene& t) {
       t.start();
       t.answer({Answer::Yes}); // 再ゲーム
       t.lowerWinsByBlast();
       if (t.net) {
         ASSERT_TRUE(waitFor([&] { return t.net->join.said("先手の勝ちです", "終了"); }));
       }
       for (ScriptedGame* s : t.windows()) {
         EXPECT_TRUE(s->said("先手の勝ちです", "終了"));
         EXPECT_EQ(s->g.TURN, NO_GAME);
         EXPECT_EQ(s->g.MAN_TIME + s->g.COM_TIME, 0) << "no clock carried into the new game";
         EXPECT_EQ(titleKept(t, *s), AUTOSAVE_ENDED_TITLE);
         EXPECT_EQ(readRecordFile(t.keptIn(*s).string())->entries.size(), 3u);
         Form_Unload(s->g);
         EXPECT_EQ(titleKept(t, *s), AUTOSAVE_ENDED_TITLE) << "quitting keeps nothing else";
       }
     }},
    {"a finished game is never offered for going on", LOCAL,
     [](Scene& t) {
       t.start();
       t.answer({Answer::Yes, Answer::Yes}); // resigned; played again
       t.lowerPlays(OPEN_BISHOP);
       t.upperPlays(UPPER_OPENS);
       t.me().menu(Menu::RESIGN);
       Form_Unload(t.me().g);
       EXPECT_EQ(titleKept(t, t.me()), AUTOSAVE_RESIGNED_TITLE);
       ScriptedGame next(testing::GameOptions().recordsIn(t.folder.path().string()).soundsLoaded());
       EXPECT_FALSE(next.said("前回の対局を続けますか？", "前回の対局"));
     }},
    {"a handicapped game is kept only on the network", EVERY,
     [](Scene& t) {
       NetTerms terms;
       terms.handicap = 1;
       if (!t.net) t.me().menu(Menu::LBEL_UP);
       t.start(terms);
       t.answer({Answer::Yes, Answer::Yes});
       t.lowerPlays(OPEN_BISHOP);
       t.upperPlays(UPPER_OPENS);
       for (ScriptedGame* s : t.windows())
         EXPECT_EQ(fs::exists(t.keptIn(*s)), t.networked()) << "kept after the move";
       if (t.net) return;
       t.me().menu(Menu::RESIGN);
       Form_Unload(t.me().g);
       EXPECT_FALSE(fs::exists(t.keptIn(t.me()))) << "nor on quitting after 再ゲーム";
     }},
    {"a kept game goes on as it was played: its level, its clock",
     {Mode::Computer},
     [](Scene& t) {
       for (const bool asGote : {false, true}) {
         keepAnEarlierGame(t, t.me(), asGote, true);
         ScriptedGame next(testing::GameOptions().recordsIn(t.folder.path().string()).unopened());
         next.ui.clock = 3600; // an hour past midnight
         Form_Load(next.g);
         windowShown(next.g);
         ASSERT_TRUE(next.said("前回の対局を続けますか？", "前回の対局"));
         EXPECT_EQ(next.g.COM_LEVEL, LEVEL_SEARCH) << "as gote: " << asGote;
         EXPECT_EQ(next.g.TURN, next.g.SIDE_MAN);
         EXPECT_LT(next.ui.clock - next.g.TURN_START_TIME, 1) << "the player's turn starts now";
         Form_Unload(next.g);
       }
     }},
    {"the language changed mid-game", EVERY,
     [](Scene& t) {
       t.startAndOpen();
       t.me().menu(Menu::LANG_EN);
       t.me().menu(Menu::LANG_JA);
       EXPECT_EQ(t.me().g.GAME_MOVES, 2);
       EXPECT_EQ(t.me().g.TURN, TURN_SENTE);
     }},
    {"戻 and 進: steps here, refused on the network", EVERY,
     [](Scene& t) {
       t.startAndOpen();
       t.me().menu(Menu::REPLAY);
       EXPECT_EQ(t.me().g.MOVE_NO, t.net ? 2 : 1);
       EXPECT_EQ(t.me().said("ネット対局中はできません", "戻"), t.networked());
       t.me().menu(Menu::AFTER);
       EXPECT_EQ(t.me().g.MOVE_NO, 2);
     }},
    {"読込 of the kept game: stepped through here, refused on the network", EVERY,
     [](Scene& t) {
       t.startAndOpen();
       ScriptedGame& s = t.me();
       s.ui.fileFolder = t.keptIn(s).parent_path().string();
       File1_Click(s.g, "前回の対局.棋譜");
       EXPECT_EQ(s.g.RECORD_MODE, t.net ? OFF : ON);
       EXPECT_EQ(s.g.GAME_MOVES, t.net ? 2 : 0);
     }},
    {"a game won on a move, no other game: the program ends, the game kept finished",
     {Mode::People, Mode::Host, Mode::Joiner},
     [](Scene& t) {
       t.start();
       t.answer({Answer::No}); // no 再ゲーム
       t.lowerWinsByBlast();
       for (ScriptedGame* s : t.windows()) {
         ASSERT_TRUE(waitFor([&] { return s->g.QUITTING; }));
         EXPECT_EQ(titleKept(t, *s), AUTOSAVE_ENDED_TITLE);
         EXPECT_EQ(readRecordFile(t.keptIn(*s).string())->entries.size(), 3u);
       }
     }},
};

class Interaction : public ::testing::TestWithParam<std::pair<size_t, Mode>> {};

TEST_P(Interaction, LeavesOneWholeGameEverywhere) {
  const auto [row, mode] = GetParam();
  Scene t(mode);
  if (t.net) {
    ASSERT_TRUE(t.net->made);
  }
  ROWS[row].act(t);
  if (HasFatalFailure()) return;
  expectWhole(t, std::string(ROWS[row].feature) + ", " + nameOf(mode));
}

std::vector<std::pair<size_t, Mode>> cases() {
  std::vector<std::pair<size_t, Mode>> all;
  for (size_t r = 0; r < std::size(ROWS); ++r)
    for (Mode m : ROWS[r].modes) all.emplace_back(r, m);
  return all;
}

INSTANTIATE_TEST_SUITE_P(Scene, Interaction, ::testing::ValuesIn(cases()), [](const auto& param) {
  std::string name = std::to_string(param.param.first) + "_" + nameOf(param.param.second);
  std::replace(name.begin(), name.end(), ' ', '_');
  return name;
});

} // namespace
} // namespace korvanu
