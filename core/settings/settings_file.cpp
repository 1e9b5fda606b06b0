#include "settings/settings_file.h"

#include <optional>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "language/translate.h"
#include "platform/table.h"
#include "settings/options.h"
#include "sound/sound.h"
#include "view/board_view.h"

namespace korvanu {

namespace {

using Line = std::optional<std::string>;

struct BackgroundLine {
  const char* text;
  int id;
};

// In the order the file is written: the first checked of these wins.
constexpr BackgroundLine BACKGROUND_LINES[] = {
    {"背景画=緑", BG_MIDORI}, {"背景画=竹", BG_TAKE},    {"背景画=畳", BG_TATAMI},
    {"背景画=宇宙", BG_UCHU}, {"背景画=煉瓦", BG_RENGA},
};

constexpr const char* DEFAULT_LINES[] = {"背景画=緑", "持駒可=OFF", "移動指導=OFF", "経過時間=ON",
                                         "BGM=ON"};

constexpr const char* UNSAVED_TITLE = "Korvanu.ini";
constexpr const char* UNSAVED_TEXT =
    N_("設定ファイル Korvanu.ini に書き込めません。\n\n変更したｵﾌﾟｼｮﾝは次回に残りません。");

void useBackground(Table& g, int id) {
  チェック設定(g, id);
  描画_背景(g.ui, id);
  g.BACKGROUND = id;
}

void setGuidance(Table& g, bool on, int offColour) {
  setChecked(g, Menu::SIDOU, on);
  g.GUIDE_ON = on ? ON : OFF;
  g.COLOR_GUIDE = on ? COLOR_WHITE : offColour;
}

void setMusic(Table& g, bool on) {
  setChecked(g, Menu::BGM, on);
  if (on) loopSound(g, g.SOUND_BGM);
}

void readBackground(Table& g, const Line& line) {
  for (const BackgroundLine& b : BACKGROUND_LINES)
    if (line == b.text) return useBackground(g, b.id);
  // No background of the player's: the plain green picture, which is the
  // window's own colour, stands in, for picture 0 is the wood of an empty
  // square and would hide the stands. The menu and the file stay as they are.
  g.BACKGROUND = BG_MIDORI;
}

void readPiecesInHand(Table& g, const Line& line) {
  setChecked(g, Menu::MOCHIKOMA, line == "持駒可=ON");
  画面_再描画(g.ui, g);
}

void readGuidance(Table& g, const Line& line) {
  setGuidance(g, line == "移動指導=ON", COLOR_BOARD);
}

void readClock(Table& g, const Line& line) {
  // The timer waits for the first turn.
  setChecked(g, Menu::KEIKA, line == "経過時間=ON");
}

void readMusic(Table& g, const Line& line) { setMusic(g, line == "BGM=ON"); }

using LineStep = void (*)(Table&, const Line&);
constexpr LineStep READ_STEPS[] = {readBackground, readPiecesInHand, readGuidance, readClock,
                                   readMusic};

// The settings folder is made when the file is first written.
bool writeSettings(Table& g, const std::vector<std::string>& lines) {
  return makeFolderFor(settingsPath(g)) && writeTextFile(settingsPath(g), lines);
}

std::string onOff(const char* key, bool on) { return std::string(key) + (on ? "ON" : "OFF"); }

std::vector<std::string> currentLines(const Table& g) {
  std::vector<std::string> lines;
  for (const BackgroundLine& b : BACKGROUND_LINES) {
    if (isChecked(g, backgroundItem(b.id))) {
      lines.emplace_back(b.text);
      break;
    }
  }
  lines.push_back(onOff("持駒可=", isChecked(g, Menu::MOCHIKOMA)));
  lines.push_back(onOff("移動指導=", isChecked(g, Menu::SIDOU)));
  lines.push_back(onOff("経過時間=", isChecked(g, Menu::KEIKA)));
  lines.push_back(onOff("BGM=", isChecked(g, Menu::BGM)));
  return lines;
}

} // namespace

const std::string& settingsPath(const Table& g) { return g.LOCATIONS.settingsFile; }

void 読込_環境設定ファイル(Table& g) {
  const std::optional<TextLines> file = readTextFile(settingsPath(g));
  const size_t count = file ? file->size() : 0;
  for (size_t i = 0; i < std::size(READ_STEPS); ++i) {
    if (i >= count) {
      WriteDefaultSettings(g);
      return;
    }
    READ_STEPS[i](g, (*file)[i]);
  }
}

void 書込_環境設定ファイル(Table& g) {
  if (writeSettings(g, currentLines(g)) || g.SETTINGS_UNSAVED_SHOWN) return;
  // Falling back to the defaults would throw away what the player just chose,
  // and could not be written either; the options stay for this run.
  g.SETTINGS_UNSAVED_SHOWN = true;
  g.ui.messageBox(tr(UNSAVED_TEXT), UNSAVED_TITLE, Buttons::Ok, Icon::Exclamation);
}

void WriteDefaultSettings(Table& g) {
  // A folder that takes no file still gets the defaults on screen.
  writeSettings(g, std::vector<std::string>(std::begin(DEFAULT_LINES), std::end(DEFAULT_LINES)));
  useBackground(g, BG_MIDORI);
  setChecked(g, Menu::MOCHIKOMA, false);
  // Guidance switched on by a line read before the file ran short is
  // switched off with its check mark.
  setGuidance(g, false, COLOR_BOARD);
  setChecked(g, Menu::KEIKA, true);
  setMusic(g, true);
}

} // namespace korvanu
