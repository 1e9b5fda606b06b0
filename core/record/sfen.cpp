#include "record/sfen.h"

#include <cctype>
#include <cstring>
#include <vector>

#include "rules/record.h"
#include "state/game.h"
#include "state/pieces.h"

namespace korvanu {

namespace {

// A move number of more digits is no game's.
constexpr size_t MOVE_NUMBER_DIGITS = 5;
// The hands are written in this order, the strongest first.
constexpr int HAND_ORDER[7] = {SYA, KAKU, KIN, GIN, KEI, KYOU, HU};

char letterOf(int code) {
  const char c = PIECE_LETTERS[kindOf(code)];
  return isSita(code) ? c : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// The kind a letter names (0 for none) and the side: upper case the lower side.
int kindOfLetter(char c) {
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const char* at = upper == ' ' ? nullptr : std::strchr(PIECE_LETTERS, upper);
  return at && *at ? static_cast<int>(at - PIECE_LETTERS) : 0;
}

// Upper-case letters are the lower side's pieces.
bool ofLowerSide(char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; }

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (true) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i == line.size()) return fields;
    size_t end = i;
    while (end < line.size() && !std::isspace(static_cast<unsigned char>(line[end]))) ++end;
    fields.push_back(line.substr(i, end - i));
    i = end;
  }
}

bool refuse(Refusal* why, const char* text, std::string value = {}) {
  if (why) *why = {text, std::move(value)};
  return false;
}

// A whole number of at most `digits` digits with no leading zero; 0 for none.
int countOf(std::string_view s, size_t digits) {
  if (s.empty() || s.size() > digits || s[0] == '0') return 0;
  int n = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

bool readBoard(std::string_view field, RecordEntry& e, Refusal* why) {
  const char* wrongRank = N_("盤面の%s段目が9マスではありません");
  int y = 1, x = 1;
  for (size_t i = 0; i <= field.size(); ++i) {
    if (i == field.size() || field[i] == '/') {
      if (x != 10) return refuse(why, wrongRank, std::to_string(y));
      if (i < field.size() && ++y > 9) return refuse(why, N_("盤面が9段ではありません"));
      x = 1;
      continue;
    }
    const char c = field[i];
    if (c >= '1' && c <= '9') {
      x += c - '0';
    } else {
      const bool promoted = c == '+';
      const char l = promoted && i + 1 < field.size() ? field[++i] : c;
      const int kind = kindOfLetter(l);
      if (kind == 0) return refuse(why, N_("盤面に駒を表さない文字があります: %s"), {l});
      int code = (ofLowerSide(l) ? -10 : 10) * kind;
      if (promoted) {
        if (kind == KIN || kind == OU)
          return refuse(why, N_("成れない駒に「+」がついています: %s"), {l});
        code = promotedOf(code);
      }
      if (x <= 9) e.BOARD[x][y] = code;
      ++x;
    }
    if (x > 10) return refuse(why, wrongRank, std::to_string(y));
  }
  return y == 9 || refuse(why, N_("盤面が9段ではありません"));
}

bool readHands(std::string_view field, RecordEntry& e, Refusal* why) {
  if (field == "-") return true;
  bool seen[2][8] = {};
  for (size_t i = 0; i < field.size();) {
    size_t letterAt = i;
    while (letterAt < field.size() && field[letterAt] >= '0' && field[letterAt] <= '9') ++letterAt;
    const std::string_view digits = field.substr(i, letterAt - i);
    const int count = digits.empty() ? 1 : countOf(digits, 2);
    const int kind = letterAt < field.size() ? kindOfLetter(field[letterAt]) : 0;
    if (count == 0 || kind == 0 || kind == OU)
      return refuse(why, N_("持駒が読めません: %s"), std::string(field.substr(i)));
    const bool lower = ofLowerSide(field[letterAt]);
    if (seen[lower][kind])
      return refuse(why, N_("持駒に同じ駒が二度書かれています: %s"), {field[letterAt]});
    seen[lower][kind] = true;
    (lower ? e.HAND_SITA : e.HAND_UE)[kind] = count;
    i = letterAt + 1;
  }
  return true;
}

} // namespace

Refusal faultRefusal(const PositionFault& fault) {
  switch (fault.what) {
  case PositionFault::TooMany:
    return {N_("一局の駒の数より多くあります: %s"), std::string(1, PIECE_LETTERS[fault.kind])};
  case PositionFault::TwoKings:
    return {N_("同じ側の玉が二枚あります: %s"), fault.side < 0 ? "K" : "k"};
  case PositionFault::NeverMoves:
    return {N_("二度と動けない所に駒があります: %s"), squareName(fault.x, fault.y)};
  case PositionFault::SecondPawn: return {N_("二歩があります: %s"), squareName(fault.x, fault.y)};
  case PositionFault::None: break;
  }
  return {};
}

std::string formatSfen(const Position& p, bool upperToMove, int moveNumber) {
  std::string line;
  for (int y = 1; y <= 9; ++y) {
    if (y > 1) line += '/';
    int empty = 0;
    for (int x = 1; x <= 9; ++x) {
      const int code = p.BOARD[x][y];
      if (code == EMPTY) {
        ++empty;
        continue;
      }
      if (empty > 0) line += static_cast<char>('0' + empty);
      empty = 0;
      if (isPromoted(code)) line += '+';
      line += letterOf(code);
    }
    if (empty > 0) line += static_cast<char>('0' + empty);
  }
  line += upperToMove ? " w " : " b ";
  std::string hands;
  for (int side = 0; side < 2; ++side)
    for (int kind : HAND_ORDER) {
      const int count = (side == 0 ? p.HAND_SITA : p.HAND_UE)[kind];
      if (count <= 0) continue;
      if (count > 1) hands += std::to_string(count);
      hands += letterOf(side == 0 ? -10 * kind : 10 * kind);
    }
  line += hands.empty() ? "-" : hands;
  return line + " " + std::to_string(moveNumber);
}

std::optional<SfenPosition> parseSfen(std::string_view line, Refusal* why) {
  const auto refused = [why](const char* text, std::string value = {}) {
    refuse(why, text, std::move(value));
    return std::nullopt;
  };
  std::vector<std::string_view> fields = fieldsOf(line);
  if (!fields.empty() && fields[0] == "sfen") fields.erase(fields.begin());
  if (fields.empty()) return refused(N_("SFENの行が空です"));
  if (fields.size() < 3 || fields.size() > 4)
    return refused(N_("SFENは盤面、手番、持駒、手数の欄からなります（この行は%s欄）"),
                   std::to_string(fields.size()));
  SfenPosition read;
  RecordEntry e;
  if (!readBoard(fields[0], e, why)) return std::nullopt;
  if (fields[1] != "b" && fields[1] != "w")
    return refused(N_("手番は b（下側）か w（上側）です: %s"), std::string(fields[1]));
  read.upperToMove = fields[1] == "w";
  if (!readHands(fields[2], e, why)) return std::nullopt;
  if (fields.size() == 4 && (read.moveNumber = countOf(fields[3], MOVE_NUMBER_DIGITS)) == 0)
    return refused(N_("手数が読めません: %s"), std::string(fields[3]));
  if (const PositionFault fault = positionFault(e.BOARD, e.HAND_SITA, e.HAND_UE)) {
    if (why) *why = faultRefusal(fault);
    return std::nullopt;
  }
  restorePosition(read.position, e);
  return read;
}

} // namespace korvanu
