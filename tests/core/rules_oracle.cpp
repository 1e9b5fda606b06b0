#include "rules_oracle.h"

#include <sstream>

namespace korvanu::oracle {

namespace {

bool onBoard(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// Rows counted from the far edge as `side` sees it: 1 is the last row.
int rowFromFar(Side side, int y) { return side == LOWER ? y : 10 - y; }

bool inZone(Side side, int y) { return rowFromFar(side, y) <= 3; }

Side other(Side s) { return s == LOWER ? UPPER : LOWER; }

bool promotable(Kind k) {
  return k == PAWN || k == LANCE || k == KNIGHT || k == SILVER || k == BISHOP || k == ROOK;
}

// A piece may promote when it moves into, inside or out of the far three rows.
bool mayPromote(const Piece& p, int fy, int ty) {
  return promotable(p.kind) && !p.promoted && (inZone(p.side, fy) || inZone(p.side, ty));
}

// An unpromoted piece that could never move again may not stand there.
bool stuck(const Piece& p, int ty) {
  if (p.promoted) return false;
  const int far = rowFromFar(p.side, ty);
  return ((p.kind == PAWN || p.kind == LANCE) && far == 1) || (p.kind == KNIGHT && far <= 2);
}

// A captured or blown-up piece changes sides, unpromoted; a king goes to no
// hand (losing it ends the game).
void toOpponentsHand(Position& pos, const Piece& p) {
  if (p.kind != KING) ++pos.hand[other(p.side)][p.kind];
}

std::vector<Step> stepsOf(const Piece& p) {
  const std::vector<Step> gold = {{-1, -1, false}, {0, -1, false}, {1, -1, false},
                                  {-1, 0, false},  {1, 0, false},  {0, 1, false}};
  const std::vector<Step> diagonals = {{-1, -1, true}, {1, -1, true}, {-1, 1, true}, {1, 1, true}};
  const std::vector<Step> lines = {{0, -1, true}, {0, 1, true}, {-1, 0, true}, {1, 0, true}};
  auto plus = [](std::vector<Step> a, const std::vector<Step>& b, bool slides) {
    for (Step s : b) {
      s.slides = slides;
      a.push_back(s);
    }
    return a;
  };
  std::vector<Step> out;
  if (p.promoted) {
    switch (p.kind) {
    case PAWN:
    case LANCE:
    case KNIGHT:
    case SILVER: out = gold; break;
    case BISHOP: out = plus(diagonals, lines, false); break; // the horse adds a step each way
    case ROOK: out = plus(lines, diagonals, false); break;   // the dragon likewise
    default: break;                                          // gold and king do not promote
    }
  } else {
    switch (p.kind) {
    case PAWN: out = {{0, -1, false}}; break;
    case LANCE: out = {{0, -1, true}}; break;
    case KNIGHT: out = {{-1, -2, false}, {1, -2, false}}; break;
    case SILVER:
      out = {{-1, -1, false}, {0, -1, false}, {1, -1, false}, {-1, 1, false}, {1, 1, false}};
      break;
    case GOLD: out = gold; break;
    case BISHOP: out = diagonals; break;
    case ROOK: out = lines; break;
    case KING: out = plus(plus({}, diagonals, false), lines, false); break;
    default: break;
    }
  }
  return out;
}

} // namespace

const std::vector<Step>& steps(const Piece& p) {
  // Worked out once: the comparisons ask this for every square of thousands of positions.
  static const auto table = [] {
    std::vector<std::vector<Step>> t(2 * (KING + 1));
    for (int k = NONE; k <= KING; ++k)
      for (bool promoted : {false, true}) t[2 * k + promoted] = stepsOf({Kind(k), LOWER, promoted});
    return t;
  }();
  return table[2 * p.kind + p.promoted];
}

Position startingPosition() {
  Position pos;
  const Kind backRow[10] = {NONE, LANCE, KNIGHT, SILVER, GOLD, KING, GOLD, SILVER, KNIGHT, LANCE};
  for (int x = 1; x <= 9; ++x) {
    pos.at[x][9] = {backRow[x], LOWER, false};
    pos.at[x][7] = {PAWN, LOWER, false};
    pos.at[x][1] = {backRow[x], UPPER, false};
    pos.at[x][3] = {PAWN, UPPER, false};
  }
  // Each side's bishop stands on its own left, the rook on its own right.
  pos.at[2][8] = {BISHOP, LOWER, false};
  pos.at[8][8] = {ROOK, LOWER, false};
  pos.at[8][2] = {BISHOP, UPPER, false};
  pos.at[2][2] = {ROOK, UPPER, false};
  return pos;
}

bool reaches(const Position& pos, int fx, int fy, int tx, int ty) {
  if (!onBoard(fx, fy) || !onBoard(tx, ty)) return false;
  const Piece& p = pos.at[fx][fy];
  const Piece& target = pos.at[tx][ty];
  if (p.kind == NONE || (target.kind != NONE && target.side == p.side)) return false;
  const int forward = p.side == LOWER ? 1 : -1;
  for (const Step& s : steps(p)) {
    int x = fx + s.dx, y = fy + s.dy * forward;
    while (onBoard(x, y)) {
      if (x == tx && y == ty) return true;
      if (!s.slides || pos.at[x][y].kind != NONE) break;
      x += s.dx;
      y += s.dy * forward;
    }
  }
  return false;
}

// This game knows no rule against mating with a dropped pawn; the other drop
// rules are the usual ones.
bool mayDrop(const Position& pos, Side side, Kind kind, int tx, int ty) {
  if (!onBoard(tx, ty) || kind < PAWN || kind > ROOK || pos.at[tx][ty].kind != NONE) return false;
  if (stuck({kind, side, false}, ty)) return false;
  if (kind == PAWN)
    for (int y = 1; y <= 9; ++y) {
      const Piece& p = pos.at[tx][y];
      if (p.kind == PAWN && !p.promoted && p.side == side) return false; // two pawns
    }
  return true;
}

// This game does not look at checks: a move that leaves or puts one's own king
// under attack is legal, and taking the king is a move like any other.
std::vector<Move> legalMoves(const Position& pos, Side side, bool drops) {
  std::vector<Move> out;
  for (int fx = 1; fx <= 9; ++fx)
    for (int fy = 1; fy <= 9; ++fy) {
      const Piece& p = pos.at[fx][fy];
      if (p.kind == NONE || p.side != side) continue;
      for (int tx = 1; tx <= 9; ++tx)
        for (int ty = 1; ty <= 9; ++ty) {
          if (!reaches(pos, fx, fy, tx, ty)) continue;
          if (mayPromote(p, fy, ty)) out.push_back({side, fx, fy, tx, ty, NONE, true});
          if (!stuck(p, ty)) out.push_back({side, fx, fy, tx, ty, NONE, false});
        }
    }
  if (!drops) return out;
  for (int k = PAWN; k <= ROOK; ++k) {
    if (pos.hand[side][k] <= 0) continue;
    for (int tx = 1; tx <= 9; ++tx)
      for (int ty = 1; ty <= 9; ++ty)
        if (mayDrop(pos, side, static_cast<Kind>(k), tx, ty))
          out.push_back({side, 0, 0, tx, ty, static_cast<Kind>(k), false});
  }
  return out;
}

int play(Position& pos, const Move& m) {
  if (m.drop != NONE) {
    --pos.hand[m.side][m.drop];
    pos.at[m.tx][m.ty] = {m.drop, m.side, false};
    return 0;
  }
  Piece moving = pos.at[m.fx][m.fy];
  moving.promoted = moving.promoted || m.promote;
  const Piece taken = pos.at[m.tx][m.ty];
  pos.at[m.fx][m.fy] = {};
  pos.at[m.tx][m.ty] = moving;
  if (taken.kind == NONE) return 0;
  toOpponentsHand(pos, taken);
  // The capture blows up the 3 x 3 block round the square, the capturer
  // included; only unpromoted pawns, of either side, stand.
  int blown = 0;
  for (int x = m.tx - 1; x <= m.tx + 1; ++x)
    for (int y = m.ty - 1; y <= m.ty + 1; ++y) {
      if (!onBoard(x, y)) continue;
      const Piece p = pos.at[x][y];
      if (p.kind == NONE || (p.kind == PAWN && !p.promoted)) continue;
      toOpponentsHand(pos, p);
      pos.at[x][y] = {};
      ++blown;
    }
  return blown;
}

bool kingOnBoard(const Position& pos, Side side) {
  for (int x = 1; x <= 9; ++x)
    for (int y = 1; y <= 9; ++y)
      if (pos.at[x][y].kind == KING && pos.at[x][y].side == side) return true;
  return false;
}

int codeOf(const Piece& p) {
  if (p.kind == NONE) return 0;
  const int code = 10 * p.kind + (p.promoted ? 1 : 0);
  return p.side == LOWER ? -code : code;
}

Piece pieceOf(int code) {
  const int a = code < 0 ? -code : code;
  const Piece p{static_cast<Kind>(a / 10), code < 0 ? LOWER : UPPER, a % 10 == 1};
  const bool real =
      a / 10 >= PAWN && a / 10 <= KING && a % 10 <= 1 && (!p.promoted || promotable(p.kind));
  return real ? p : Piece{};
}

int placedCode(const Position& pos, const Move& m) {
  if (m.drop != NONE) return codeOf({m.drop, m.side, false});
  Piece p = pos.at[m.fx][m.fy];
  p.promoted = p.promoted || m.promote;
  return codeOf(p);
}

std::string describe(const Position& pos) {
  std::ostringstream out;
  for (int y = 1; y <= 9; ++y) {
    for (int x = 1; x <= 9; ++x) out << ' ' << codeOf(pos.at[x][y]);
    out << '\n';
  }
  for (Side s : {LOWER, UPPER}) {
    out << (s == LOWER ? "lower hand" : "upper hand");
    for (int k = PAWN; k <= ROOK; ++k) out << ' ' << pos.hand[s][k];
    out << '\n';
  }
  return out.str();
}

} // namespace korvanu::oracle
