#include "play/autosave.h"

#include <filesystem>
#include <sstream>

#include "files/paths.h"
#include "files/regular_file.h"
#include "files/text_file.h"
#include "language/translate.h"
#include "platform/table.h"
#include "play/messages.h"
#include "record/record_file.h"

namespace korvanu {

namespace {

namespace fs = std::filesystem;

constexpr int MAX_COPIES = 99;
constexpr const char* KEPT_ASIDE_TITLE = N_("前回の対局");
constexpr const char* KEPT_ASIDE_TEXT =
    N_("前回の対局を棋譜ﾌｫﾙﾀﾞに書き込めなかったので、次の場所に残しました。\n\n");

bool worthKeeping(const Table& g) {
  return g.RECORD_UNSAVED && g.RECORD_LAST >= 1 && g.RECORD_MODE == OFF && g.REVERSED == OFF &&
         (g.HANDICAP_SET == OFF || g.RECORD_NETWORK);
}

std::string copyPath(const std::string& folder, int n) {
  const std::string name = n == 1 ? AUTOSAVE_NAME : AUTOSAVE_NAME + ("(" + std::to_string(n) + ")");
  return (fs::path(folder) / (name + RECORD_EXTENSION)).string();
}

bool isOurs(const std::string& path) {
  const auto file = readRecordFile(path);
  return file && (file->title == AUTOSAVE_TITLE || keptGameIsOver(file->title));
}

// Written in `folder` under the first name that is free or the autosave's own.
std::optional<std::string> keepIn(const std::string& folder, const RecordFile& file) {
  if (!folder.empty() && !makeFolder(folder)) return std::nullopt;
  for (int n = 1; n <= MAX_COPIES; ++n) {
    const std::string path = copyPath(folder, n);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(path, ec)) && !isOurs(path)) continue;
    if (writeRecordFile(path, file)) return path;
    return std::nullopt;
  }
  return std::nullopt;
}

// A game kept anywhere but the usual place is noted in the state folder: the
// next start looks there (and says where when it was kept aside).
struct Note {
  std::string path;
  bool notYetSaid = false;
};
constexpr const char* NOT_YET_SAID = "not yet said";

std::string notePath(const Table& g) {
  return (fs::path(g.LOCATIONS.stateFolder) / "last-game").string();
}

std::optional<Note> readNote(const Table& g) {
  std::string bytes;
  if (g.LOCATIONS.stateFolder.empty() || readRegularFile(notePath(g), bytes, 1 << 16) != 0)
    return std::nullopt;
  std::istringstream lines(bytes);
  Note note;
  std::string flag;
  if (!std::getline(lines, note.path) || note.path.empty()) return std::nullopt;
  note.notYetSaid = std::getline(lines, flag) && flag == NOT_YET_SAID;
  return note;
}

void writeNote(const Table& g, const Note& note) {
  makeFolder(g.LOCATIONS.stateFolder) &&
      writeWholeFile(notePath(g),
                     note.path + "\n" + (note.notYetSaid ? NOT_YET_SAID + std::string("\n") : ""));
}

void noteWhereKept(const Table& g, const std::string& path, bool aside) {
  if (g.LOCATIONS.stateFolder.empty()) return;
  std::error_code ec;
  // Kept in the usual place, the game needs no note and an older one is wrong.
  if (path == copyPath(g.LOCATIONS.recordsFolder, 1)) {
    fs::remove(notePath(g), ec);
    return;
  }
  // The next start may be in another current directory.
  const fs::path absolute = fs::absolute(path, ec);
  writeNote(g, {ec ? path : absolute.string(), aside});
}

// The level goes beside the record; a game between people leaves none.
void keepLevel(const std::string& path, int level) {
  const std::string levelPath = path + AUTOSAVE_LEVEL_SUFFIX;
  if (level == 0) {
    std::error_code ec;
    fs::remove(levelPath, ec);
    return;
  }
  writeWholeFile(levelPath, std::to_string(level) + "\n");
}

} // namespace

bool autosaveRecord(Table& g) {
  if (!worthKeeping(g)) return false;
  // The players are named as the game names them.
  const bool againstComputer = g.RECORD_PLAYED_MODE == MODE_MAN_COM;
  const bool humanFirst = g.SIDE_MAN == TURN_SENTE;
  const char* first = againstComputer ? (humanFirst ? HUMAN_NAME : COMPUTER_NAME) : "先手";
  const char* second = againstComputer ? (humanFirst ? COMPUTER_NAME : HUMAN_NAME) : "後手";
  const char* title = g.RECORD_RESIGNED ? AUTOSAVE_RESIGNED_TITLE
                      : g.RECORD_ENDED  ? AUTOSAVE_ENDED_TITLE
                                        : AUTOSAVE_TITLE;
  const RecordFile file = recordFileOf(g, title, first, second);
  std::optional<std::string> kept = keepIn(g.LOCATIONS.recordsFolder, file);
  const bool aside = !kept && !g.LOCATIONS.stateFolder.empty();
  if (aside) kept = keepIn(g.LOCATIONS.stateFolder, file);
  if (!kept) return false;
  noteWhereKept(g, *kept, aside);
  keepLevel(*kept, againstComputer ? g.COM_LEVEL : 0);
  g.RECORD_UNSAVED = false;
  return true;
}

bool keptGameIsOver(const std::string& title) {
  return title == AUTOSAVE_RESIGNED_TITLE || title == AUTOSAVE_ENDED_TITLE;
}

int keptGameLevel(const std::string& path) {
  std::string bytes;
  if (readRegularFile(path + AUTOSAVE_LEVEL_SUFFIX, bytes, 16) != 0) return 0;
  const int level = bytes.empty() ? 0 : bytes[0] - '0';
  return level >= 1 && level <= 4 && (bytes.size() == 1 || bytes[1] == '\n') ? level : 0;
}

std::optional<std::string> lastKeptGame(const Table& g) {
  const std::optional<Note> note = readNote(g);
  const std::string path = note ? note->path : copyPath(g.LOCATIONS.recordsFolder, 1);
  if (!isOurs(path)) return std::nullopt;
  return path;
}

void sayWhereTheLastGameWasKept(Table& g) {
  std::optional<Note> note = readNote(g);
  if (!note || !note->notYetSaid) return;
  note->notYetSaid = false;
  writeNote(g, *note);
  if (isOurs(note->path)) say(g, tr(KEPT_ASIDE_TEXT) + note->path, tr(KEPT_ASIDE_TITLE));
}

} // namespace korvanu
