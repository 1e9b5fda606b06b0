#include "play/resume.h"

#include <optional>
#include <string>

#include "language/translate.h"
#include "platform/table.h"
#include "play/autosave.h"
#include "play/file_panel.h"
#include "play/game_modes.h"
#include "play/navigation.h"
#include "play/opponent.h"
#include "record/record_file.h"

namespace korvanu {

namespace {

constexpr const char* OFFER_TITLE = N_("前回の対局");
constexpr const char* OFFER_TEXT = N_("前回の対局を続けますか？");

bool onBoard(const RecordEntry& e, int code) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (e.BOARD[x][y] == code) return true;
  return false;
}

// A game that was won or resigned has nothing left to play.
bool worthContinuing(const RecordFile& file) {
  return !file.entries.empty() && !keptGameIsOver(file.title) &&
         onBoard(file.entries.back(), CODE_SITA_OU) && onBoard(file.entries.back(), CODE_UE_OU);
}

} // namespace

void offerToContinue(Table& g) {
  // A window started to host or join a network game is for that game: the
  // kept one stays as it is for the next start on its own.
  if (!recordMayLoad(g)) return;
  const std::optional<std::string> path = lastKeptGame(g);
  if (!path) return;
  const auto kept = readRecordFile(*path);
  if (!kept || !worthContinuing(*kept)) return;
  if (g.ui.messageBox(tr(OFFER_TEXT), tr(OFFER_TITLE), Buttons::YesNo, Icon::None) != Answer::Yes)
    return;

  const auto file = loadRecord(g, *path);
  if (!file || file->entries.empty()) return;
  stepTo(g, g.RECORD_LAST);
  // The sides were taken from the first move: the human, below, is 先手
  // when they began.
  if (file->upperName == COMPUTER_NAME) {
    // At the level it was played at, when that is known.
    constexpr void (*LEVEL_CLICKS[])(Table&) = {LEVEL1_Click, LEVEL2_Click, LEVEL3_Click,
                                                LEVEL4_Click};
    if (const int level = keptGameLevel(*path); level != 0) LEVEL_CLICKS[level - 1](g);
    g.SIDE_MAN == TURN_SENTE ? SENTE_Click(g) : GOTE_Click(g);
  } else
    START_Click(g);
}

} // namespace korvanu
