// The game's fixed numbers: flags, sides, piece and picture codes, colours and
// the screen grid. Every procedure names them through these constants.
#pragma once

namespace korvanu {

// Flags answered by every test procedure.
constexpr int ON = 1;
constexpr int OFF = 0;

constexpr int EMPTY = 0;
constexpr int BOARD_SIZE = 9;

// Whose turn: who moved first, never which pieces.
constexpr int NO_GAME = 0;
constexpr int TURN_SENTE = 1;
constexpr int TURN_GOTE = -1;

constexpr int MODE_MAN_MAN = 0;
constexpr int MODE_MAN_COM = 1;

// Piece codes: sign = side (negative SITA, the human at the bottom; positive
// UE at the top), tens = kind, units = promoted.
constexpr int HU = 1, KYOU = 2, KEI = 3, GIN = 4, KIN = 5, KAKU = 6, SYA = 7, OU = 8;

constexpr int CODE_UE_HU = 10, CODE_UE_HU_NARI = 11;
constexpr int CODE_UE_KYOU = 20, CODE_UE_KYOU_NARI = 21;
constexpr int CODE_UE_KEI = 30, CODE_UE_KEI_NARI = 31;
constexpr int CODE_UE_GIN = 40, CODE_UE_GIN_NARI = 41;
constexpr int CODE_UE_KIN = 50;
constexpr int CODE_UE_KAKU = 60, CODE_UE_KAKU_NARI = 61;
constexpr int CODE_UE_SYA = 70, CODE_UE_SYA_NARI = 71;
constexpr int CODE_UE_OU = 80;

constexpr int CODE_SITA_HU = -10, CODE_SITA_HU_NARI = -11;
constexpr int CODE_SITA_KYOU = -20, CODE_SITA_KYOU_NARI = -21;
constexpr int CODE_SITA_KEI = -30, CODE_SITA_KEI_NARI = -31;
constexpr int CODE_SITA_GIN = -40, CODE_SITA_GIN_NARI = -41;
constexpr int CODE_SITA_KIN = -50;
constexpr int CODE_SITA_KAKU = -60, CODE_SITA_KAKU_NARI = -61;
constexpr int CODE_SITA_SYA = -70, CODE_SITA_SYA_NARI = -71;
constexpr int CODE_SITA_OU = -80;

// Codes 描画_絵 understands besides the pieces and EMPTY.
constexpr int PIC_TITLE = 1;
constexpr int PIC_BAKU1 = 7;
constexpr int PIC_BAKU2 = 8;
constexpr int PIC_BOMB = 9;

// Background pictures (also the ids of the background options).
constexpr int BG_MIDORI = 2;
constexpr int BG_TATAMI = 3;
constexpr int BG_TAKE = 4;
constexpr int BG_UCHU = 5;
constexpr int BG_RENGA = 6;

// Indexes of the 16-colour palette.
constexpr int COLOR_BLACK = 0;
constexpr int COLOR_GREEN = 2;
constexpr int COLOR_MAGENTA = 5;
constexpr int COLOR_YELLOW = 6;
constexpr int COLOR_LIGHT_BLUE = 9;
constexpr int COLOR_LIGHT_GREEN = 10;
constexpr int COLOR_LIGHT_CYAN = 11;
constexpr int COLOR_LIGHT_RED = 12;
constexpr int COLOR_LIGHT_MAGENTA = 13;
constexpr int COLOR_LIGHT_YELLOW = 14;
constexpr int COLOR_WHITE = 15;
constexpr int COLOR_BOARD = 2;   // window background; an outline in it is invisible
constexpr int COLOR_GRID = 2;    // resting outline of a square
constexpr int COLOR_RESULT = 15; // move-result text

// The screen grid, in twips (15 to a pixel). Cell (x, y) has its top-left
// corner at BOARD_LEFT + x * SQUARE_WIDTH, BOARD_TOP + y * SQUARE_HEIGHT.
constexpr int TWIPS_PER_PIXEL = 15;
constexpr int BOARD_LEFT = 1050;
constexpr int BOARD_TOP = 100;
constexpr int SQUARE_WIDTH = 495;
constexpr int SQUARE_HEIGHT = 615;

// The window's size when it is placed at start-up.
constexpr int WINDOW_WIDTH_TWIPS = 9400;
constexpr int WINDOW_HEIGHT_TWIPS = 8000;

constexpr int BUTTON_LEFT = 1;
constexpr int BUTTON_RIGHT = 2;

constexpr int KEY_ESCAPE = 27;

// Load flags handed to the sound library.
constexpr int SOUND_FLAGS_EFFECT = 3;
constexpr int SOUND_FLAGS_MUSIC = 1;

} // namespace korvanu
