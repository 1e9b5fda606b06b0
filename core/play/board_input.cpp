#include "play/board_input.h"
#include "play/panel_shown.h"

#include <cmath>

#include "language/translate.h"
#include "platform/table.h"
#include "play/clock.h"
#include "play/explosion_preview.h"
#include "play/hint.h"
#include "play/level4.h"
#include "play/messages.h"
#include "play/move_guide.h"
#include "play/opponent.h"
#include "play/setup.h"
#include "play/turn.h"
#include "rules/king_danger.h"
#include "rules/legality.h"
#include "rules/make_move.h"
#include "rules/moves.h"
#include "sound/sound.h"
#include "view/board_view.h"
#include "view/marks_view.h"

namespace korvanu {

namespace {

void refuse(Table& g) { playSound(g, g.SOUND_FORBIDDEN); }

void restartClock(Table& g) {
  g.TURN_START_TIME = g.ui.clockSeconds();
  if (isChecked(g, Menu::KEIKA)) setTimer1(g, true);
}

bool ownsPieceToMove(const Table& g, int code) {
  return (g.TURN == g.SIDE_MAN && isSita(code)) || (g.TURN == g.SIDE_COM && isUe(code));
}

// Refuses the click (false) or resumes interrupted play first.
bool startOfClick(Table& g) {
  closeFilePanel(g);
  if (g.RECORD_MODE == ON) {
    if (g.ui.messageBox(tr("棋譜を '進 'で進めて下さい"), tr("棋譜"), Buttons::YesNo, Icon::None) ==
        Answer::No) {
      refuse(g);
      初期設定(g);
    }
    return false;
  }
  return true;
}

void announceResume(Table& g) {
  if (g.TURN == NO_GAME) {
    refuse(g);
    // A window waiting for its friend is told so, not to start a game here.
    if (!peerSaysWaiting(g)) say(g, tr("「対局」で始めて下さい"), tr("開始"));
  } else if (g.GAME_MODE == MODE_MAN_MAN) {
    if (g.RESUME_PENDING != ON) return;
    g.RESUME_PENDING = OFF;
    restartClock(g);
    say(g, g.TURN == TURN_SENTE ? tr("先手の番です") : tr("後手の番です"), tr("対局"));
  } else if (g.TURN == g.SIDE_COM) {
    g.RESUME_PENDING = OFF;
    say(g, tr("OKですか？"), tr("再開(COM)"));
    com_ban(g);
  } else if (g.TURN == g.SIDE_MAN && g.RESUME_PENDING == ON) {
    g.RESUME_PENDING = OFF;
    restartClock(g);
    say(g, tr("MANの番です"), tr("対局"));
  }
}

void pickUp(Table& g, int x, int y, int code) {
  g.MOVE_BUF[3] = x;
  g.MOVE_BUF[4] = y;
  g.MOVE_BUF[8] = code;
}

} // namespace

namespace {

// A piece is picked up: the click on (x, y) is its destination.
void putDown(Table& g, int button, int x, int y) {
  g.MOVE_BUF[5] = x;
  g.MOVE_BUF[6] = y;
  int fromX = g.MOVE_BUF[3], fromY = g.MOVE_BUF[4], piece = g.MOVE_BUF[8];
  const int target = g.BOARD[x][y];
  if (ownsPieceToMove(g, target)) {
    描画_桝輪郭(g.ui, g, COLOR_GRID, fromX, fromY);
    pickUp(g, x, y, target);
    描画_移動可能桝色(g, x, y, g.COLOR_GUIDE, target);
    描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, x, y);
    return;
  }
  if (!stillPickedUp(g, fromX, fromY, piece) || 移動チェック(g, fromX, fromY, x, y, piece) != ON) {
    refuse(g);
    g.SELECT_STATE = 0;
    描画_将棋盤桝(g.ui, g);
    return;
  }
  if (移動後チェック(y, piece) == OFF && button == BUTTON_LEFT) {
    refuse(g);
    say(g, tr("マウスの右をクリックして下さい"), tr("成り"));
    return;
  }
  if (const int promoted = 調査_駒成(fromX, fromY, x, y, piece);
      promoted != OFF && button == BUTTON_RIGHT)
    piece = promoted;
  g.SELECT_STATE = 0;
  描画_桝輪郭(g.ui, g, COLOR_GRID, fromX, fromY);
  描画_桝輪郭(g.ui, g, COLOR_GRID, x, y);
  描画_移動可能桝色(g, fromX, fromY, COLOR_GRID, piece);
  // The upper hand is picked up by its screen row but dropped by kind.
  if (fromX < 0) fromY = 8 - fromY;
  Opponent& opponent = opponentOf(g);
  if (!opponent.sendMove(g, {fromX, fromY, x, y, piece})) return refuse(g);
  opponent.movePlayed(g, playTurnMove(g, g.GAME_MODE == MODE_MAN_COM ? Mover::Human : Mover::Person,
                                      fromX, fromY, x, y, piece));
}

void boardClick(Table& g, int button, int x, int y) {
  if (g.SELECT_STATE == 1) return putDown(g, button, x, y);
  const int code = g.BOARD[x][y];
  if (code == EMPTY) return;
  pickUp(g, x, y, code);
  g.CLICK_X = x;
  g.CLICK_Y = y;
  描画_移動可能桝色(g, x, y, g.COLOR_GUIDE, code);
  if (ownsPieceToMove(g, code)) {
    g.SELECT_STATE = 1;
    描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, x, y);
  } else if (g.TURN != NO_GAME) {
    描画_桝輪郭(g.ui, g, g.COLOR_GUIDE, x, y);
  }
}

// A hand cell: the piece is picked up only by the side to move.
void handClick(Table& g, int x, int y, int count, int code, int mover, int other) {
  if (count <= 0) return;
  pickUp(g, x, y, code);
  g.CLICK_X = x;
  g.CLICK_Y = y;
  if (g.TURN == mover) {
    g.SELECT_STATE = 1;
    描画_桝輪郭(g.ui, g, COLOR_LIGHT_RED, x, y);
  } else {
    g.SELECT_STATE = 0;
    if (g.TURN == other) 描画_桝輪郭(g.ui, g, g.COLOR_GUIDE, x, y);
  }
  描画_移動可能桝色(g, x, y, g.COLOR_GUIDE, code);
}

void outsideClick(Table& g, int x, int y) {
  if (!isChecked(g, Menu::MOCHIKOMA)) return;
  if (g.MOVE_BUF[8] != EMPTY) {
    描画_移動可能桝色(g, g.MOVE_BUF[3], g.MOVE_BUF[4], COLOR_GRID, g.MOVE_BUF[8]);
    描画_桝輪郭(g.ui, g, COLOR_GRID, g.MOVE_BUF[3], g.MOVE_BUF[4]);
  }
  if (x == LOWER_HAND && y >= LOWER_FIRST && y <= LOWER_LAST) {
    const int k = y - 2;
    handClick(g, x, y, g.HAND_SITA[k], -10 * k, g.SIDE_MAN, g.SIDE_COM);
  } else if (x == UPPER_HAND && y >= UPPER_FIRST && y <= UPPER_LAST) {
    const int k = 8 - y;
    handClick(g, x, y, g.HAND_UE[k], 10 * k, g.SIDE_COM, g.SIDE_MAN);
  }
}

// The game's cell under the point: the picture's cell taken back through
// the view's turn.
Cell cellAt(const Table& g, double X, double Y) {
  return shownCell(g, static_cast<int>(std::floor((X - BOARD_LEFT) / SQUARE_WIDTH)),
                   static_cast<int>(std::floor((Y - BOARD_TOP) / SQUARE_HEIGHT)));
}

} // namespace

void Form_MouseDown(Table& g, int button, int /*shift*/, double X, double Y) {
  if (g.QUITTING) return;
  // Whatever the click does, it does to the board as it really stands.
  hideExplosionPreview(g);
  clearHint(g);
  if (!startOfClick(g)) return;
  const auto [x, y] = cellAt(g, X, Y);
  announceResume(g);
  // The click that set the computer thinking has done its part.
  if (g.QUITTING || thinking(g) || !opponentOf(g).allowsClick(g)) return;
  if (x >= 1 && x <= 9 && y >= 1 && y <= 9)
    boardClick(g, button, x, y);
  else
    outsideClick(g, x, y);
}

void Form_MouseMove(Table& g, double X, double Y) {
  if (g.QUITTING) return;
  const Cell c = cellAt(g, X, Y);
  pointAtCell(g, c.x, c.y);
}

} // namespace korvanu
