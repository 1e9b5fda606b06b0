// Quitting keeps the game: an unsaved record is written to "前回の対局.棋譜"
// in the records folder however the program ends, never over the player's
// own file by that name, loads back through the file panel, and the next
// start offers to go on with it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <tuple>

#include "play/autosave.h"
#include "play/commands.h"
#include "play/file_panel.h"
#include "play/take_back.h"
#include "record/entry_line.h"
#include "record/record_file.h"
#include "rules/move_list.h"
#include "rules/record.h"
#include "scripted_game.h"
#include "sound/sound.h"
#include "sound_fake.h"

namespace korvanu {
namespace {

namespace fs = std::filesystem;

using testing::bytesOf;

using Session = testing::ScriptedGame;

class Autosave : public ::testing::Test {
protected:
  testing::TempDir dir;
  // Not there yet: the game makes it when it first needs it.
  const fs::path records = dir.path() / "Documents" / "Korvanu";
  const fs::path file = records / "前回の対局.棋譜";
  const fs::path state = dir.path() / "state" / "korvanu";

  // One run of the program, its sounds loaded as the window loads them; a
  // kept game is offered and, unless the answer says otherwise, declined.
  std::unique_ptr<Session> openIn(const std::string& recordsFolder,
                                  Answer toGoOn = Answer::No) const {
    return std::make_unique<Session>(testing::GameOptions()
                                         .soundsLoaded()
                                         .recordsIn(recordsFolder)
                                         .stateIn(state.string())
                                         .answering({toGoOn}));
  }
  std::unique_ptr<Session> open(Answer toGoOn = Answer::No) const {
    return openIn(records.string(), toGoOn);
  }
  // A game between two people of three moves, the last a capture.
  std::unique_ptr<Session> threeMovesBetweenPeople() { return threeMovesIn(records.string()); }
  std::unique_ptr<Session> threeMovesIn(const std::string& recordsFolder) {
    auto s = openIn(recordsFolder);
    s->menu(Menu::START);
    s->bishopsExchange();
    EXPECT_EQ(s->g.RECORD_LAST, 3);
    return s;
  }
  void expectKept(const Game& played, const fs::path& at) const {
    const auto kept = readRecordFile(at.string());
    ASSERT_TRUE(kept) << "no autosave at " << at;
    ASSERT_EQ(kept->entries.size(), static_cast<size_t>(played.RECORD_LAST));
    for (size_t n = 1; n <= kept->entries.size(); ++n)
      EXPECT_EQ(formatEntryLine(kept->entries[n - 1]), formatEntryLine(played.REC[n]))
          << "entry " << n;
  }
};

TEST_F(Autosave, EveryWayOfEndingKeepsTheGame) {
  const std::pair<const char*, std::function<void(Session&)>> endings[] = {
      {"Esc", [](Session& s) { Form_KeyPress(s.g, KEY_ESCAPE); }},
      {"終わり", [](Session& s) { s.menu(Menu::OWARI); }},
      {"closing the window", [](Session& s) { Form_Unload(s.g); }},
      {"no more games after a win",
       [](Session& s) {
         s.ui.answers = {Answer::No};
         s.kingsOnly({testing::on(5, 8, CODE_SITA_KIN), testing::on(5, 4, CODE_UE_SYA)});
         s.move(5, 4, 5, 8); // the second player's rook: its blast takes the lower king
       }},
  };
  for (const auto& [how, end] : endings) {
    SCOPED_TRACE(how);
    fs::remove_all(records);
    auto s = threeMovesBetweenPeople();
    s->ui.messages.clear();
    end(*s);
    EXPECT_TRUE(s->ui.quitRequested);
    EXPECT_TRUE(s->ui.messages.empty() || s->ui.messages.back().title == "再ゲーム")
        << "nothing is asked";
    expectKept(s->g, file);
  }
}

TEST_F(Autosave, TheKeptGameLoadsThroughTheFilePanelAndPlaysOn) {
  auto first = open();
  first->menu(Menu::SENTE);
  first->playSomething();
  first->playSomething();
  ASSERT_EQ(first->g.RECORD_LAST, 4);
  const RecordEntry last = first->g.REC[4];
  first->menu(Menu::OWARI);

  const auto header = readRecordFile(file.string());
  ASSERT_TRUE(header);
  EXPECT_EQ(header->title, "自動保存の対局");
  EXPECT_EQ(header->upperName, "ｺﾝﾋﾟｭｰﾀ");
  EXPECT_EQ(header->lowerName, "あなた");

  auto next = open();
  next->menu(Menu::KIFU_READ);
  EXPECT_EQ(next->ui.fileListPath(), records.string()) << "the panel opens where the game was kept";
  File1_Click(next->g, "前回の対局.棋譜");
  EXPECT_EQ(next->g.RECORD_LAST, 4);
  EXPECT_EQ(next->ui.messages.at(0).text, "前回の対局を続けますか？") << "declined";
  EXPECT_EQ(next->ui.messages.at(1).text, " 読み込みました");
  for (int i = 0; i < 4; ++i) next->menu(Menu::AFTER);
  RecordEntry shown = positionOf(next->g);
  shown.TIME_A = last.TIME_A, shown.TIME_B = last.TIME_B, shown.TIME_C = last.TIME_C,
  shown.TIME_D = last.TIME_D;
  EXPECT_EQ(formatEntryLine(shown), formatEntryLine(last))
      << "stepped to the end: the last position";
  next->menu(Menu::SENTE);
  EXPECT_EQ(next->g.RECORD_MODE, OFF);
  ASSERT_EQ(next->g.TURN, next->g.SIDE_MAN);
  next->playSomething();
  EXPECT_GT(next->g.RECORD_LAST, 5) << "the game goes on from where it was left";
  EXPECT_EQ(formatEntryLine(next->g.REC[4]), formatEntryLine(last));

  // Quitting again keeps the longer game in place of the first.
  Form_Unload(next->g);
  expectKept(next->g, file);
}

TEST_F(Autosave, NamesFollowWhoPlayedWhichSide) {
  {
    auto s = open();
    s->menu(Menu::GOTE); // the computer opens and so heads the file as the upper side
    s->playSomething();
    Form_Unload(s->g);
    const auto kept = readRecordFile(file.string());
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->upperName, "ｺﾝﾋﾟｭｰﾀ");
    EXPECT_EQ(kept->lowerName, "あなた");
  }
  auto s = threeMovesBetweenPeople();
  s->menu(Menu::CANCEL); // a new game set up: the record of the last one stays unsaved
  Form_Unload(s->g);
  const auto kept = readRecordFile(file.string());
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->upperName, "後手");
  EXPECT_EQ(kept->lowerName, "先手");
  EXPECT_EQ(kept->entries.size(), 3u);
}

TEST_F(Autosave, NothingIsWrittenWhenNothingWouldBeLost) {
  fs::create_directories(records);
  ASSERT_TRUE(writeRecordFile(file.string(), {AUTOSAVE_TITLE, "先手", "後手", {}}));
  std::string earlier = bytesOf(file); // an earlier autosave
  auto earlierKept = [&] { return bytesOf(file) == earlier; };
  // Every move was kept as it was made; quitting then writes nothing more.
  auto quittingWritesNothing = [&](Table& g) {
    const std::string before = bytesOf(file);
    Form_Unload(g);
    return bytesOf(file) == before;
  };

  Form_Unload(open()->g);
  EXPECT_TRUE(earlierKept()) << "no moves";

  {
    // Saved through the panel after the last move.
    auto s = threeMovesBetweenPeople();
    s->menu(Menu::KIFU_WRITE);
    s->ui.fields[0] = "saved";
    Command1_Click(s->g);
    ASSERT_TRUE(fs::exists(fs::path(s->ui.fileListPath()) / "saved.棋譜"));
    EXPECT_TRUE(quittingWritesNothing(s->g)) << "saved";
  }
  {
    // A record loaded for stepping through, even once play is taken up
    // from it: the file holds all of it.
    auto s = threeMovesBetweenPeople();
    s->menu(Menu::KIFU_READ);
    File1_Click(s->g, "saved.棋譜");
    ASSERT_EQ(s->g.RECORD_MODE, ON);
    s->menu(Menu::AFTER);
    s->menu(Menu::AFTER);
    s->menu(Menu::SENTE); // the human, who played first, is to move
    ASSERT_EQ(s->g.RECORD_MODE, OFF);
    ASSERT_EQ(s->g.RECORD_LAST, 2);
    EXPECT_TRUE(quittingWritesNothing(s->g)) << "loaded";
  }
  {
    // The file panel cannot save a handicapped or a turned game; neither do
    // its moves nor quitting.
    auto s = open();
    earlier = bytesOf(file);
    s->menu(Menu::LBEL_UP);
    s->menu(Menu::START);
    s->move(7, 7, 7, 6);
    Form_Unload(s->g);
    EXPECT_TRUE(earlierKept()) << "handicapped";
    s = threeMovesBetweenPeople();
    earlier = bytesOf(file);
    s->menu(Menu::REVERSE);
    s->playSomething();
    Form_Unload(s->g);
    EXPECT_TRUE(earlierKept()) << "turned";
  }
  // A move taken back after saving is a change that would be lost.
  auto s = threeMovesBetweenPeople();
  s->menu(Menu::KIFU_WRITE);
  s->ui.fields[0] = "saved";
  Command1_Click(s->g);
  s->menu(Menu::MATTA);
  Form_Unload(s->g);
  EXPECT_FALSE(earlierKept());
  expectKept(s->g, file);
  for (const auto& f : fs::directory_iterator(records))
    EXPECT_NE(f.path().extension(), ".tmp") << "no temporary file is left: " << f.path();
}

TEST_F(Autosave, WithoutARecordsFolderTheGameFolderKeepsIt) {
  auto s = openIn("");
  s->menu(Menu::START);
  s->move(7, 7, 7, 6);
  s->menu(Menu::OWARI);
  EXPECT_TRUE(fs::exists(dir.path() / "前回の対局.棋譜"));
}

TEST_F(Autosave, AFolderThatCannotBeMadeStillQuitsAtOnce) {
  fs::create_directories(records.parent_path());
  std::ofstream(records) << "a file where the folder would go";
  auto s = threeMovesBetweenPeople();
  s->ui.messages.clear();
  Form_Unload(s->g);
  EXPECT_TRUE(s->ui.quitRequested);
  EXPECT_TRUE(s->ui.messages.empty());
  EXPECT_EQ(fake::calls.back(), "terminate 7") << "the sounds are freed as always";
}

TEST_F(Autosave, OnlyItsOwnFileIsReplacedAndAnyOtherByTheNameIsKept) {
  const fs::path beside = records / "前回の対局(2).棋譜";
  const auto recordTitled = [&](const char* title) {
    return [&, title] { writeRecordFile(file.string(), {title, "上手", "下手", {}}); };
  };
  const std::tuple<const char*, std::function<void()>, fs::path> rows[] = {
      {"a record the player saved by the name", recordTitled("名局"), beside},
      {"a record titled as older autosaves were", recordTitled("前回の対局"), beside},
      {"no record at all", [&] { std::ofstream(file) << "notes"; }, beside},
      {"a folder", [&] { fs::create_directory(file); }, beside},
      {"the autosave's own", [&] { Form_Unload(threeMovesBetweenPeople()->g); }, file},
  };
  for (const auto& [what, place, keptAt] : rows) {
    SCOPED_TRACE(what);
    fs::remove_all(records);
    fs::create_directories(records);
    place();
    const std::string before = bytesOf(file);
    // A second game replaces the first where it went, and goes no further.
    for (int extra = 0; extra < 2; ++extra) {
      auto s = threeMovesBetweenPeople();
      for (int i = 0; i < extra; ++i) s->playSomething();
      Form_Unload(s->g);
      expectKept(s->g, keptAt);
      EXPECT_EQ(lastKeptGame(s->g), keptAt.string());
    }
    if (keptAt != file) {
      EXPECT_EQ(bytesOf(file), before) << "the file by the name is untouched";
    }
    EXPECT_FALSE(fs::exists(records / "前回の対局(3).棋譜"));
  }
}

TEST_F(Autosave, AFolderThatTakesNothingSendsItToTheStateFolderAndTheNextStartSaysWhere) {
  const fs::path aside = state / "前回の対局.棋譜";
  const fs::path portable = dir.path() / "前回の対局.棋譜";
  const std::pair<const char*, std::function<std::string()>> rows[] = {
      {"a file where the records folder would go",
       [&] {
         fs::create_directories(records.parent_path());
         std::ofstream(records) << "a file";
         return records.string();
       }},
      {"the portable game's folder, its autosave there marked read-only",
       [&] {
         Form_Unload(threeMovesIn("")->g);
         fs::permissions(portable, fs::perms::owner_read | fs::perms::group_read);
         return std::string();
       }},
  };
  for (const auto& [what, recordsFolder] : rows) {
    SCOPED_TRACE(what);
    fs::remove_all(state);
    const std::string folder = recordsFolder();
    const std::string before = bytesOf(folder.empty() ? portable : records);
    auto s = threeMovesIn(folder);
    Form_Unload(s->g);
    expectKept(s->g, aside);
    EXPECT_EQ(bytesOf(folder.empty() ? portable : records), before);

    auto next = openIn(folder);
    ASSERT_EQ(next->ui.messages.size(), 2u) << "where, then the offer to go on";
    EXPECT_EQ(next->ui.messages[0].title, "前回の対局");
    EXPECT_EQ(
        next->ui.messages[0].text,
        "前回の対局を棋譜ﾌｫﾙﾀﾞに書き込めなかったので、次の場所に残しました。\n\n" + aside.string());
    EXPECT_EQ(lastKeptGame(next->g), aside.string());
    next = openIn(folder);
    ASSERT_EQ(next->ui.messages.size(), 1u) << "said once";
    EXPECT_EQ(next->ui.messages[0].title, "前回の対局");
    EXPECT_EQ(next->ui.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(lastKeptGame(next->g), aside.string());
  }
}

// Entries compared as positions: the clocks differ between runs.
std::string positionLine(RecordEntry e) {
  e.TIME_A = e.TIME_B = e.TIME_C = e.TIME_D = 0;
  return formatEntryLine(e);
}

TEST_F(Autosave, TheNextStartGoesOnWithTheKeptGameAsItWasPlayed) {
  struct Row {
    const char* what;
    std::function<void(Session&)> play;
    int mode;
    int humanSide; // against the computer
    bool lowerToMove;
  };
  const auto people = [](int moves) {
    return [moves](Session& s) {
      s.menu(Menu::START);
      for (int i = 0; i < moves; ++i) s.playSomething();
    };
  };
  const Row rows[] = {
      {"against the computer as 後手",
       [](Session& s) {
         s.menu(Menu::GOTE);
         s.playSomething();
       },
       MODE_MAN_COM, TURN_GOTE, true},
      {"against the computer as 先手",
       [](Session& s) {
         s.menu(Menu::SENTE);
         s.playSomething();
         s.playSomething();
       },
       MODE_MAN_COM, TURN_SENTE, true},
      {"after 待った against the computer",
       [](Session& s) {
         s.menu(Menu::SENTE);
         s.playSomething();
         s.playSomething();
         s.menu(Menu::MATTA);
         ASSERT_EQ(s.g.RECORD_LAST, 2);
       },
       MODE_MAN_COM, TURN_SENTE, true},
      {"between two people, the upper side to move", people(3), MODE_MAN_MAN, 0, false},
      {"between two people, the lower side to move", people(4), MODE_MAN_MAN, 0, true},
      {"after 待った between two people",
       [&](Session& s) {
         people(3)(s);
         s.menu(Menu::MATTA);
         ASSERT_EQ(s.g.RECORD_LAST, 2);
       },
       MODE_MAN_MAN, 0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    fs::remove_all(records);
    int kept = 0;
    RecordEntry last;
    {
      auto s = open();
      r.play(*s);
      kept = s->g.RECORD_LAST;
      last = s->g.REC[static_cast<size_t>(kept)];
      Form_Unload(s->g);
    }
    auto next = open(Answer::Yes);
    Game& g = next->g;
    ASSERT_FALSE(next->ui.messages.empty());
    const auto& offer = next->ui.messages[0];
    EXPECT_EQ(offer.title, "前回の対局");
    EXPECT_EQ(offer.text, "前回の対局を続けますか？");
    EXPECT_EQ(offer.buttons, Buttons::YesNo);
    EXPECT_EQ(offer.icon, Icon::None);

    EXPECT_EQ(g.GAME_MODE, r.mode);
    EXPECT_EQ(g.RECORD_MODE, OFF);
    if (r.mode == MODE_MAN_COM) {
      EXPECT_EQ(g.SIDE_MAN, r.humanSide);
    }
    EXPECT_EQ(g.RECORD_LAST, kept);
    EXPECT_EQ(g.MOVE_NO, kept) << "nobody moved on the start";
    EXPECT_EQ(positionLine(positionOf(g)), positionLine(last));
    EXPECT_EQ(g.TURN, r.lowerToMove ? g.SIDE_MAN : g.SIDE_COM);
    // The side to move, and only it, picks up its king.
    next->click(5, r.lowerToMove ? 1 : 9);
    EXPECT_EQ(g.SELECT_STATE, 0);
    next->click(5, r.lowerToMove ? 9 : 1);
    EXPECT_EQ(g.SELECT_STATE, 1);
  }
}

TEST_F(Autosave, DeclinedOrWonTheKeptGameStaysAsItIs) {
  Form_Unload(threeMovesBetweenPeople()->g);
  const std::string kept = bytesOf(file);
  auto s = open(Answer::No);
  EXPECT_EQ(s->ui.messages.size(), 1u);
  EXPECT_EQ(s->g.TURN, NO_GAME);
  EXPECT_EQ(s->g.RECORD_LAST, 0);
  Form_Unload(s->g);
  EXPECT_EQ(bytesOf(file), kept) << "byte for byte";

  // A game won to the end, or resigned, has nothing to go on with.
  const std::pair<const char*, std::function<void(Session&)>> endings[] = {
      {"won",
       [](Session& game) {
         game.ui.answers = {Answer::No}; // no more games
         game.kingsOnly({testing::on(5, 8, CODE_SITA_KIN), testing::on(5, 4, CODE_UE_SYA)});
         game.move(5, 4, 5, 8);
       }},
      {"resigned",
       [](Session& game) {
         game.ui.answers = {Answer::Yes, Answer::No}; // resigned, no more games
         game.menu(Menu::RESIGN);
       }},
  };
  for (const auto& [how, end] : endings) {
    SCOPED_TRACE(how);
    s = threeMovesBetweenPeople();
    end(*s);
    ASSERT_TRUE(s->ui.quitRequested);
    ASSERT_NE(bytesOf(file), kept);
    EXPECT_TRUE(open(Answer::Yes)->ui.messages.empty());
  }
}

} // namespace
} // namespace korvanu
