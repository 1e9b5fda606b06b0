#include "play/file_panel.h"

#include <unistd.h>
#include <filesystem>

#include "files/cp932.h"
#include "files/paths.h"
#include "language/translate.h"
#include "platform/table.h"
#include "play/messages.h"
#include "play/opponent.h"
#include "play/panel_shown.h"
#include "play/record_list.h"
#include "play/setup.h"
#include "record/record_file.h"
#include "rules/move_marks.h"
#include "sound/sound.h"
#include "view/board_view.h"
#include "view/status_view.h"
#include "view/text_view.h"

namespace korvanu {

namespace {

// A name typed for a file stays in the chosen folder.
bool plainFileName(const std::string& name) {
  return name.find('/') == std::string::npos && name.find('\0') == std::string::npos &&
         name != "." && name != "..";
}

// Header lines are one line each, whatever was typed or pasted.
std::string oneLine(std::string text) {
  for (char& c : text)
    if (c == '\r' || c == '\n') c = ' ';
  return text;
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return (std::filesystem::path(folder) / name).string();
}

// A field's name in a message: its label without the spacing and the colon.
std::string fieldName(int field) {
  static constexpr const char* NAMES[] = {N_("ﾌｧｲﾙ名"), N_("対局名"), N_("先手"), N_("後手")};
  return field >= 1 && field <= 4 ? tr(NAMES[field - 1]) : "";
}

// A record already saved under that name is replaced only when the player
// says so; a folder in its place is left for the write to refuse.
bool askToReplace(Table& g, const std::string& path, const std::string& fileName) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return true;
  return g.ui.messageBox(fileName + tr(" は既にあります。置き換えますか？"), tr("棋譜保存"),
                         Buttons::YesNo, Icon::None) == Answer::Yes;
}

size_t characters(const std::string& utf8) {
  size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

// The names stand above and below the board, within its width; the title
// left of the lower name, from the window's edge. A gap of a character's
// step keeps the title off the name.
constexpr double HEADER_POINTS = 12;
constexpr double TITLE_LEFT = BOARD_LEFT - 2 * SQUARE_WIDTH;
constexpr double NAMES_LEFT = BOARD_LEFT + SQUARE_WIDTH,
                 NAMES_RIGHT = BOARD_LEFT + 10 * SQUARE_WIDTH;
constexpr double TITLE_GAP = SQUARE_WIDTH / 5.0;
constexpr double UPPER_NAME_TOP = 100, LOWER_ROW_TOP = 6350;

// The first time the panel opens it shows the player's records folder, made
// then if need be; after that it stays wherever the player took it. Without
// a records folder (the portable game) it opens in the current directory.
void openRecordsFolder(Table& g) {
  const std::string& folder = g.LOCATIONS.recordsFolder;
  if (folder.empty() || g.RECORDS_FOLDER_OPENED) return;
  g.RECORDS_FOLDER_OPENED = true;
  if (!makeFolder(folder)) return;
  g.ui.setFolderPath(folder);
  Dir1_Change(g);
}

// A record does not say who began: its first move does. That side is 先手,
// so TURN_SENTE at entry 0, turned over by every step, names the side to
// move at every entry, and play taken up anywhere goes on with it. A first
// move that cannot be read (a file made by hand) is taken as the lower
// side's, as between two people.
void takeSidesFromRecord(Table& g) {
  const bool upperBegan = moverBetween(g.REC[0], g.REC[1]) == 1;
  g.SIDE_MAN = upperBegan ? TURN_GOTE : TURN_SENTE;
  g.SIDE_COM = -g.SIDE_MAN;
  g.TURN = TURN_SENTE;
}

} // namespace

const char* recordFieldLabel(int field) {
  static constexpr const char* LABELS[] = {N_("ﾌｧｲﾙ名 ："), N_("対 局 名："), N_("先    手 ："),
                                           N_("後    手 ：")};
  return field >= 1 && field <= 4 ? tr(LABELS[field - 1]) : "";
}

void 描画_棋譜読込み部分消去(Table& g) {
  // The column numbers above the board cover the upper player's name.
  描画_桝_数値(g.ui, g);
  // The row below the board from the window's left edge: the title and
  // the lower player's name.
  for (int x = -3; x <= 9; ++x) {
    描画_絵(g.ui, g.BACKGROUND, x, 10);
    if (x >= 1) repairOutline(g.ui, g, x, 9);
  }
}

double 取得_棋譜のX座標(const std::string& text) {
  return BOARD_LEFT + SQUARE_WIDTH * (3 + (13.0 - static_cast<double>(characters(text))) / 5);
}

void KIFU_READ_Click(Table& g) {
  openRecordsFolder(g);
  描画_可視(g, true, true, true);
  描画_棋譜_IO(g, 1);
}

void KIFU_WRITE_Click(Table& g) {
  if (g.REVERSED == ON) return say(g, tr("反転後は書き込みできません"), tr("棋譜書込"));
  if (g.HANDICAP_SET == ON)
    return say(g, tr("ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません"), tr("棋譜書込"));
  openRecordsFolder(g);
  描画_可視(g, true, true, false);
  描画_棋譜_IO(g, 0);
}

void Drive1_Change(Table& g, const std::string& drive) {
  std::error_code ec;
  const bool readable =
      std::filesystem::is_directory(drive, ec) && ::access(drive.c_str(), R_OK | X_OK) == 0;
  if (!readable) return say(g, tr("ﾃﾞﾊﾞｲｽが準備できていません"), tr("ｴﾗｰ"));
  g.ui.setFolderPath(drive);
  Dir1_Change(g);
}

void Dir1_Change(Table& g) { g.ui.setFileListPath(g.ui.folderPath()); }

void Command1_Click(Table& g) {
  const std::string name = g.ui.recordField(1);
  if (name.empty()) return say(g, tr("ﾌｧｲﾙ名が入力されていません"), "  ");
  if (g.RECORD_LAST < 1) return say(g, tr("保存するデータがありません"), tr("棋譜保存"));
  if (!plainFileName(name)) return say(g, tr("ﾌｧｲﾙ名が正しくありません"), "  ");

  const std::string title = oneLine(g.ui.recordField(2));
  const std::string first = oneLine(g.ui.recordField(3)), second = oneLine(g.ui.recordField(4));
  // Checked before anything touches the disk, top to bottom as the panel shows them.
  const std::string* headers[] = {&title, &first, &second}; // fields 2, 3, 4
  for (int field = 2; field <= 4; ++field)
    if (!toCp932(*headers[field - 2]))
      return say(g, trFill("%sに書き込めない文字があります", fieldName(field)), tr("棋譜保存"));
  const RecordFile file = recordFileOf(g, title, first, second);

  const std::string folder = g.ui.fileListPath();
  const std::string path = joinPath(folder, name + RECORD_EXTENSION);
  if (!askToReplace(g, path, name + RECORD_EXTENSION)) return;
  if (!writeRecordFile(path, file))
    return say(g, tr("棋譜ﾌｧｲﾙを書き込めませんでした"), tr("棋譜保存"));
  g.RECORD_UNSAVED = false;
  closeFilePanel(g);
  g.ui.setFileListPath(folder); // shows the new file
  say(g, tr("棋譜を書き込みました"), "  ");
}

std::optional<RecordFile> loadRecord(Table& g, const std::string& path) {
  描画_可視(g, false, false, false);
  // A record put on the board now would part this window's game from the peer's.
  if (!recordMayLoad(g)) {
    sayRefused(g, tr("ネット対局中はできません"), tr("棋譜"));
    return std::nullopt;
  }
  size_t badLine = 0;
  auto file = readRecordFile(path, nullptr, &badLine);
  if (!file) {
    // Nothing of the game shown so far changes.
    if (badLine == 0)
      say(g, tr("棋譜ﾌｧｲﾙを読み込めませんでした"), tr("棋譜"));
    else
      say(g, tr("棋譜ﾌｧｲﾙの ") + std::to_string(badLine) + tr(" 行目が正しくありません"),
          tr("棋譜"));
    return std::nullopt;
  }
  初期設定(g);
  g.RECORD_MODE = ON;
  const auto header = [&](const std::string& text, double left, double top, double areaLeft,
                          double areaRight, int colour) {
    return printWithin(g.ui, g, text, left, top, areaLeft, areaRight, colour, HEADER_POINTS);
  };
  header(file->upperName, 取得_棋譜のX座標(file->upperName), UPPER_NAME_TOP, NAMES_LEFT,
         NAMES_RIGHT, COLOR_WHITE);
  const double nameLeft = header(file->lowerName, 取得_棋譜のX座標(file->lowerName), LOWER_ROW_TOP,
                                 NAMES_LEFT, NAMES_RIGHT, COLOR_WHITE);
  header(file->title, 取得_棋譜のX座標(file->title) - 3000, LOWER_ROW_TOP, TITLE_LEFT,
         nameLeft - TITLE_GAP, COLOR_LIGHT_RED);
  const size_t n = file->entries.size();
  if (g.REC.size() < n + 1) g.REC.resize(n + 1);
  for (size_t i = 0; i < n; ++i) g.REC[i + 1] = file->entries[i];
  g.MOVE_NO = 0;
  g.GAME_MOVES = 0;
  g.RECORD_LAST = static_cast<int>(n);
  g.RECORD_UNSAVED = false; // the game shown is the file's
  if (n > 0) takeSidesFromRecord(g);
  updateMoveList(g);
  return file;
}

void File1_Click(Table& g, const std::string& fileName) {
  const auto file = loadRecord(g, joinPath(g.ui.fileListPath(), fileName));
  if (!file) return;
  if (file->entries.empty()) return say(g, tr("棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません"), tr("棋譜"));
  say(g, tr(" 読み込みました"), tr("棋譜"));
  say(g, tr("棋譜を '進 'で進めて下さい"), tr("棋譜"));
}

} // namespace korvanu
