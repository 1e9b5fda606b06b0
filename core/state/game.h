// Everything the game knows, in named parts, so that a procedure can take just
// what it reads: the position and the influence maps, the computer's scratch,
// the turn, the record, the marks, the clocks, the options, the events and
// the sound ids.
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

// Who plays which side, and how strong the computer plays.
struct Sides {
  int SIDE_MAN = TURN_GOTE;
  int SIDE_COM = TURN_SENTE;
  int COM_LEVEL = 3;
};

// The computer's scratch while it chooses a move at levels 1 to 3: the
// position before its trial moves and what it found out about it.
struct ComScratch {
  double BEST_SCORE = 0; // the best candidate's score so far
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
};

// All that levels 1 to 3 read and write while choosing a move; the engine
// and the tests ask them for a move with this alone.
struct ComputerBoard : Position, InfluenceMaps, Sides, ComScratch {};

// Whose turn it is, the mode and the play flags, and the input being made.
struct TurnState {
  int TURN = NO_GAME;
  int GAME_MODE = NO_GAME;
  int WINNER = NO_GAME;

  int SELECT_STATE = 0;
  int RECORD_MODE = OFF;
  int RESUME_PENDING = OFF;
  int GAME_MOVES = 0;
  int REVERSED = OFF;
  int HANDICAP_SET = OFF;
  int HANDICAP_LEVEL = 0;

  // [3], [4] from-square, [5], [6] to-square, [8] the code that will stand
  // on the destination.
  int MOVE_BUF[9] = {};
  int CLICK_X = 0, CLICK_Y = 0;
  // The keyboard's cursor: its cell (a board square, or a hand cell in
  // column 11 or -1, as a click would name it), and whether it shows. It
  // shows once the keyboard has been used to play.
  bool CURSOR_SHOWN = false;
  int CURSOR_X = 5, CURSOR_Y = 5;
  // The squares a capture blows up, marked by the move that makes it.
  int EXPLODE_MAP[10][10] = {};
};

// The move record and what is known of its keeping.
struct MoveRecord {
  MoveRecord() : REC(RECORD_SLOTS) {}

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
};

// What the board marks besides the pieces.
struct BoardMarks {
  // The last move of the position shown.
  MoveMarks MOVE_MARKS;
  // The hint's move while it shows.
  HintMarks HINT;
  // The king the side to move could take or blow up now.
  DangerMark DANGER;
  // The capture square whose explosion is shown before the click, and the
  // square of the piece that would take; 0 while none is shown.
  int PREVIEW_X = 0, PREVIEW_Y = 0, PREVIEW_FROM_X = 0, PREVIEW_FROM_Y = 0;
};

// The clocks, in seconds.
struct Clocks {
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
};

// The options and how the window draws.
struct Options {
  Options() {
    // The window opens with 畳 checked; the options then choose the background.
    MENU_CHECKED[static_cast<int>(Menu::TATAMI)] = true;
    // The desktop's language unless the player has chosen one.
    MENU_CHECKED[static_cast<int>(Menu::LANG_DESKTOP)] = true;
  }

  int BACKGROUND = 0; // 0 until a background is chosen
  int GUIDE_ON = OFF;
  int COLOR_GUIDE = COLOR_GRID;
  bool FONT_BOLD = false; // the window font turns bold for good once the labels are drawn
  bool SETTINGS_UNSAVED_SHOWN = false; // the player was told the options cannot be saved
  bool RECORDS_FOLDER_OPENED = false;  // the file panel has been to the records folder
  std::array<bool, MENU_COUNT> MENU_CHECKED = {};
};

// The events from outside and the work done aside for the game.
struct Events {
  // Set once the program is ending: no further event reaches the game.
  bool QUITTING = false;
  // Moves replayed from another window's record: no pauses and no sounds.
  bool REPLAYING = false;
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
  // The network game: null where there is no network.
  std::shared_ptr<Opponent> NET;
};

// The sound library and the sounds loaded from it.
struct SoundIds {
  const SoundApi* SOUND_LIB = nullptr; // null: no library, a silent game
  int SOUND_DEVICE = 0;
  int SOUND_OTHER = 0;
  int SOUND_FORBIDDEN = 0;
  int SOUND_PIECE = 0;
  int SOUND_EXPLOSION = 0;
  int SOUND_BGM = 0;
};

// The game: its board for the computer, the turn, the record, the marks,
// the clocks, the options, the events and the sounds. It draws nothing and
// knows no window; the play layer's Table joins it to one.
struct Game : ComputerBoard, TurnState, MoveRecord, BoardMarks, Clocks, Options, Events, SoundIds {
  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Where the sound library, the sounds, the settings and the records live.
  Locations LOCATIONS;
};

// The menu check marks are the live state of the options (set through the
// window: platform/table.h).
bool isChecked(const Game& g, Menu item);

} // namespace korvanu
