#include "play/autosave.h"

#include <filesystem>

#include "files/paths.h"
#include "record/record_file.h"
#include "state/game.h"

namespace korvanu {

namespace {

bool worthKeeping(const Game& g) {
  return g.RECORD_UNSAVED && g.RECORD_LAST >= 1 && g.RECORD_MODE == OFF && g.REVERSED == OFF &&
         g.HANDICAP_SET == OFF;
}

} // namespace

std::string autosavePath(const Game& g) {
  return (std::filesystem::path(g.LOCATIONS.recordsFolder) /
          (std::string(AUTOSAVE_TITLE) + RECORD_EXTENSION))
      .string();
}

bool autosaveRecord(Game& g) {
  if (!worthKeeping(g)) return false;
  const std::string path = autosavePath(g);
  if (!makeFolderFor(path)) return false;
  // The players are named as the game names them.
  const bool againstComputer = g.RECORD_PLAYED_MODE == MODE_MAN_COM;
  const bool humanFirst = g.SIDE_MAN == TURN_SENTE;
  const char* first = againstComputer ? (humanFirst ? "あなた" : "ｺﾝﾋﾟｭｰﾀ") : "先手";
  const char* second = againstComputer ? (humanFirst ? "ｺﾝﾋﾟｭｰﾀ" : "あなた") : "後手";
  if (!writeRecordFile(path, recordFileOf(g, AUTOSAVE_TITLE, first, second))) return false;
  g.RECORD_UNSAVED = false;
  return true;
}

} // namespace korvanu
