#include "computer/com_turn.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "computer/evaluate.h"
#include "computer/examine.h"
#include "computer/survey.h"
#include "rules/legality.h"
#include "rules/mate.h"
#include "rules/move_gen.h"
#include "rules/moves.h"
#include "state/game.h"

namespace korvanu {

namespace {

struct Search {
  ComputerBoard& g;
  ComMove& best;
  const SearchHooks& hooks;
  bool found = false;

  // Now and then, so that a clock on screen keeps running.
  void progress() {
    if (hooks.onProgress) hooks.onProgress(hooks.context);
  }

  // Keeps the candidate if it is strictly better; answers whether it was.
  bool offer(const ComMove& m) {
    found = true;
    if (hooks.onCandidate) hooks.onCandidate(hooks.context, m);
    if (!(m.score > g.BEST_SCORE)) return false;
    g.BEST_SCORE = m.score;
    best = m;
    return true;
  }

  double tryPlaced(int captured, int place, int fx, int fy, int tx, int ty) {
    g.BOARD[tx][ty] = place;
    勢力調査(g);
    return 盤評価(g, captured, place, fx, fy, tx, ty);
  }

  // One board move made on the board and taken back, promoted or not as the
  // rules allow. True when it took the human's king as the new best.
  bool boardMove(int fx, int fy, int tx, int ty) {
    const int moving = g.BOARD[fx][fy];
    g.MOVING_PIECE = moving;
    g.FROM_KING_DISTANCE = std::max(std::abs(fx - g.OU_SITA_X), std::abs(fy - g.OU_SITA_Y));
    const int captured = g.BOARD[tx][ty];
    g.BOARD[fx][fy] = EMPTY;
    ComMove m{fx, fy, tx, ty, moving, 0};
    const int promoted = 調査_駒成(fx, fy, tx, ty, moving);
    if (promoted == OFF) {
      m.score = tryPlaced(captured, moving, fx, fy, tx, ty);
    } else {
      if (移動後チェック(ty, moving) == OFF) {
        m.place = promoted;
        m.score = tryPlaced(captured, promoted, fx, fy, tx, ty);
      } else {
        m.score = tryPlaced(captured, moving, fx, fy, tx, ty);
        const double promotedScore = tryPlaced(captured, promoted, fx, fy, tx, ty);
        if (promotedScore > m.score) {
          m.score = promotedScore;
          m.place = promoted;
        }
        // Pawn, bishop and rook always promote, whichever scored higher.
        if (moving == CODE_UE_HU || moving == CODE_UE_KAKU || moving == CODE_UE_SYA)
          m.place = promoted;
      }
    }
    g.BOARD[tx][ty] = captured;
    g.BOARD[fx][fy] = moving;
    return offer(m) && captured == CODE_SITA_OU;
  }

  // The board moves of `list` from `i` on, each (origin, destination) once:
  // boardMove weighs promotion itself. Progress once a column. True when the
  // search ended early on a king capture.
  bool boardMoves(const MoveList& list, int& i) {
    int column = 0;
    while (i < list.count && !isDropColumn(list.moves[i].fx)) {
      const Move m = list.moves[i];
      for (; column < m.fx; ++column) progress();
      if (boardMove(m.fx, m.fy, m.tx, m.ty)) return true;
      while (i < list.count && list.moves[i].fx == m.fx && list.moves[i].fy == m.fy &&
             list.moves[i].tx == m.tx && list.moves[i].ty == m.ty)
        ++i;
    }
    for (; column < 9; ++column) progress();
    return false;
  }

  // The drops of `list` from `i` on, by kind; progress once a kind.
  void drops(const MoveList& list, int i) {
    for (int k = HU; k <= SYA; ++k) {
      progress();
      if (g.HAND_UE[k] <= 0) continue;
      const int piece = 10 * k;
      g.MOVING_PIECE = piece;
      for (; i < list.count && list.moves[i].fy == k; ++i) {
        const int tx = list.moves[i].tx, ty = list.moves[i].ty;
        const double score = tryPlaced(EMPTY, piece, -1, k, tx, ty);
        g.BOARD[tx][ty] = EMPTY;
        if (offer({-1, k, tx, ty, piece, score}) && g.BEST_SCORE >= SCORE_WINS) return;
      }
    }
  }
};

void copyMap(int (&to)[10][10], const int (&from)[10][10]) { std::memcpy(to, from, sizeof to); }

} // namespace

void prepareComTurn(ComputerBoard& g) {
  copyMap(g.BOARD_BEFORE, g.BOARD);
  std::memset(g.ESCAPE_MAP, 0, sizeof g.ESCAPE_MAP);
  g.ESCAPE_COUNT = 調査_自王逃道(g);
  勢力調査(g);
  調査_持角狙座標(g);
  調査_移動不可駒(g);
  g.HAND_KINDS_COM = 調査_持駒数(g, g.SIDE_COM);
  copyMap(g.INFLUENCE_SITA_BEFORE, g.INFLUENCE_SITA);
  copyMap(g.INFLUENCE_UE_BEFORE, g.INFLUENCE_UE);
  copyMap(g.ATTACKER_UE_X_BEFORE, g.ATTACKER_UE_X);
  copyMap(g.ATTACKER_UE_Y_BEFORE, g.ATTACKER_UE_Y);
}

bool searchComMove(ComputerBoard& g, bool drops, ComMove& best, const SearchHooks& hooks) {
  g.BEST_SCORE = NO_SCORE;
  Search s{g, best, hooks};
  const bool withDrops = drops && g.HAND_KINDS_COM > 0;
  MoveList list;
  generateAllMoves(g, true, withDrops, list);
  int i = 0;
  const bool tookKing = s.boardMoves(list, i);
  if (!tookKing && withDrops) s.drops(list, i);
  return s.found;
}

} // namespace korvanu
