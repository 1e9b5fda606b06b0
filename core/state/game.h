// Everything the game knows: the position and the influence maps (each a
// struct of its own, so a procedure can take just what it reads), whose turn
// it is, the play flags, the move record, the options and the sound ids.
// Board-sized arrays are indexed [x][y] with 1..9 used; index 0 names no
// square.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "files/paths.h"
#include "platform/platform.h"
#include "state/constants.h"
#include "state/menu.h"
#include "state/position.h"
#include "state/square_marks.h"

namespace korvanu {

struct SoundApi;
// The network peer, when the window can play over the network (play/opponent.h).
class Opponent;

// One position of the move record: the board, both hands and four clock
// values, as stored after each move.
struct RecordEntry {
  int BOARD[10][10] = {};
  int HAND_SITA[8] = {};
  int HAND_UE[8] = {};
  double TIME_A = 0, TIME_B = 0, TIME_C = 0, TIME_D = 0;

  bool operator==(const RecordEntry&) const = default;
};

// Slots the record holds from the start: moves 0..500. It grows past that.
constexpr int RECORD_SLOTS = 501;

// What the survey finds about the position: the influence maps, rebuilt by
// every survey, and the lower king's escape squares, marked by its escape
// count. Evaluations read these; only the survey and the count write them.
struct InfluenceMaps {
  // Counts of the pieces of each side that reach a square; on occupied
  // squares the cheapest (for DEFENDER_SITA the dearest) defender or attacker
  // value and, for some, its square; the check marks (9 on a checking piece,
  // 1 between a checking slider and the king). The *_UE_X/_Y square maps are
  // not reset between surveys.
  int INFLUENCE_SITA[10][10] = {};
  int INFLUENCE_UE[10][10] = {};
  int DEFENDER_SITA[10][10] = {};
  int DEFENDER_UE[10][10] = {};
  int DEFENDER_UE_X[10][10] = {};
  int DEFENDER_UE_Y[10][10] = {};
  int ATTACKER_SITA[10][10] = {};
  int ATTACKER_SITA_X[10][10] = {};
  int ATTACKER_SITA_Y[10][10] = {};
  int ATTACKER_UE[10][10] = {};
  int ATTACKER_UE_X[10][10] = {};
  int ATTACKER_UE_Y[10][10] = {};
  int CHECK_BY_SITA[10][10] = {};
  int CHECK_BY_UE[10][10] = {};
  int ESCAPE_MAP[10][10] = {}; // escape squares of the lower king, left for the computer
};

// The game is its position and its maps, plus everything else it keeps.
struct Game : Position, InfluenceMaps {
  explicit Game(Platform& platform) : ui(platform), REC(RECORD_SLOTS) {
    // The window opens with 畳 checked; the options then choose the background.
    MENU_CHECKED[static_cast<int>(Menu::TATAMI)] = true;
    // The desktop's language unless the player has chosen one.
    MENU_CHECKED[static_cast<int>(Menu::LANG_DESKTOP)] = true;
  }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  Platform& ui;
  // Set once the program is ending: no further event reaches the game.
  bool QUITTING = false;
  // Moves replayed from another window's record: no pauses and no sounds.
  bool REPLAYING = false;
  // Where the sound library, the sounds, the settings and the records live.
  Locations LOCATIONS;

  // --- turn, sides and mode ---------------------------------------------
  int TURN = NO_GAME;
  int SIDE_MAN = TURN_GOTE;
  int SIDE_COM = TURN_SENTE;
  int GAME_MODE = NO_GAME;
  int COM_LEVEL = 3;
  int WINNER = NO_GAME;

  // --- play flags --------------------------------------------------------
  int SELECT_STATE = 0;
  int RECORD_MODE = OFF;
  int RESUME_PENDING = OFF;
  int GAME_MOVES = 0;
  int REVERSED = OFF;
  int HANDICAP_SET = OFF;
  int HANDICAP_LEVEL = 0;

  // --- input and search work space ---------------------------------------
  // [3], [4] from-square, [5], [6] to-square, [8] the code that will stand
  // on the destination; the computer keeps its best score in BEST_SCORE.
  int MOVE_BUF[9] = {};
  double BEST_SCORE = 0;
  int CLICK_X = 0, CLICK_Y = 0;
  // The keyboard's cursor: its cell (a board square, or a hand cell in
  // column 11 or -1, as a click would name it), and whether it shows. It
  // shows once the keyboard has been used to play.
  bool CURSOR_SHOWN = false;
  int CURSOR_X = 5, CURSOR_Y = 5;
  int EXPLODE_MAP[10][10] = {};

  // --- the computer's turn: the position before its trial moves -------------
  int BOARD_BEFORE[10][10] = {};
  int INFLUENCE_SITA_BEFORE[10][10] = {};
  int INFLUENCE_UE_BEFORE[10][10] = {};
  int ATTACKER_UE_X_BEFORE[10][10] = {};
  int ATTACKER_UE_Y_BEFORE[10][10] = {};
  int ESCAPE_COUNT = 0;       // escape squares of the lower king before the move
  int HAND_KINDS_COM = 0;     // kinds the computer holds in hand
  int MOVING_PIECE = 0;       // the candidate's piece (unpromoted code for a drop)
  int FROM_KING_DISTANCE = 0; // king steps from the square left to the lower king; kept over drops
  // Lower pieces whose removal would let an upper slider reach the lower king.
  int PINNED_SITA[10][10] = {};
  // ON when some upper piece is so pinned against its own king.
  int PINNED_UE_ANY = OFF;
  // Empty squares from which a lower bishop would hit the upper king.
  int BISHOP_TARGET[10][10] = {};

  // --- the move record -----------------------------------------------------
  int MOVE_NO = 0;
  int RECORD_LAST = 0;
  std::vector<RecordEntry> REC;
  // The record holds moves that are in no file yet, and the mode the last of
  // them was played in: what the program keeps when it ends.
  bool RECORD_UNSAVED = false;
  int RECORD_PLAYED_MODE = NO_GAME;
  // The game of the record ended by 投了, or otherwise (a king lost, time up,
  // no move left): the autosave's title says so, and it is not offered for
  // going on with.
  bool RECORD_RESIGNED = false;
  bool RECORD_ENDED = false;
  // The record is a network game's, kept after every move whatever its terms.
  bool RECORD_NETWORK = false;
  // The last move of the position shown, as the board marks it.
  MoveMarks MOVE_MARKS;
  // The hint's move while it shows.
  HintMarks HINT;
  // The king the side to move could take or blow up now.
  DangerMark DANGER;

  // --- clock (seconds) -----------------------------------------------------
  bool TIMER1_ENABLED = false;
  double TURN_START_TIME = 0;
  double TURN_ELAPSED = 0;
  double MAN_TIME = 0;
  double COM_TIME = 0;
  int SHOWN_SECOND = 0;
  // A network game's time control: the figures show the time left, the main
  // time and then the 秒読み of the move. Both 0: they show the time used.
  int CLOCK_MAIN_SECONDS = 0;
  int CLOCK_BYOYOMI_SECONDS = 0;

  // --- options and drawing -------------------------------------------------
  int BACKGROUND = 0; // 0 until a background is chosen
  int GUIDE_ON = OFF;
  int COLOR_GUIDE = COLOR_GRID;
  bool FONT_BOLD = false; // the window font turns bold for good once the labels are drawn
  bool SETTINGS_UNSAVED_SHOWN = false; // the player was told the options cannot be saved
  bool RECORDS_FOLDER_OPENED = false;  // the file panel has been to the records folder
  std::array<bool, MENU_COUNT> MENU_CHECKED = {};
  // The capture square whose explosion is shown before the click, and the
  // square of the piece that would take; 0 while none is shown.
  int PREVIEW_X = 0, PREVIEW_Y = 0, PREVIEW_FROM_X = 0, PREVIEW_FROM_Y = 0;

  // --- events and work aside ------------------------------------------------
  // Events being handled, one inside another while a box shows; an event
  // that arrives meanwhile from outside (a peer's message, a finished think)
  // waits here until the one before has been handled whole.
  int EVENT_DEPTH = 0;
  std::deque<std::function<void()>> EVENTS_WAITING;
  // Level 4 thinking aside for the game (play/level4.h): which think is
  // awaited, and for which position and side, so that a move that comes back
  // for any other is dropped.
  struct Think {
    bool pending = false;
    unsigned ticket = 0;
    std::uint64_t key = 0;
    int turn = 0;
    int mode = 0;
  } THINK;

  // --- the network game: null where there is no network ------------------
  std::shared_ptr<Opponent> NET;

  // --- sound ---------------------------------------------------------------
  const SoundApi* SOUND_LIB = nullptr; // null: no library, a silent game
  int SOUND_DEVICE = 0;
  int SOUND_OTHER = 0;
  int SOUND_FORBIDDEN = 0;
  int SOUND_PIECE = 0;
  int SOUND_EXPLOSION = 0;
  int SOUND_BGM = 0;
};

// The menu check marks are the live state of the options.
bool isChecked(const Game& g, Menu item);
void setChecked(Game& g, Menu item, bool checked);

} // namespace korvanu
