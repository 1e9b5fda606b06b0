// What the analysis of a game found, position by position, and the small
// text file it is kept in beside the game's record ("NAME.棋譜.analysis"),
// never inside it: the record stays as it was written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "language/translate.h"
#include "rules/make_move.h"
#include "state/game.h"

namespace korvanu {

// The graph's scale: a pawn is 100 points for the lower side (negative: the
// upper side is ahead), held within +-ANALYSIS_SCALE, which is also a king
// that falls by force.
constexpr int ANALYSIS_SCALE = 3000;
// Points a move gives away on that scale before it is marked.
constexpr int DOUBTFUL_LOSS = 200;
constexpr int MISTAKE_LOSS = 500;

enum class MoveMark { None, Doubtful, Mistake };

struct PositionVerdict {
  int score = 0; // for the lower side, on the graph's scale
  // Plies until a king falls, where the search proves it: > 0 the upper
  // king, < 0 the lower; 0 for none.
  int mate = 0;
  int depth = 0; // 0: not searched, the game being over
  bool hasBest = false;
  Move best{};                    // the move the search would play here
  MoveMark mark = MoveMark::None; // the move that led here
  bool operator==(const PositionVerdict&) const = default;
};

struct GameAnalysis {
  std::uint64_t record = 0;             // the positions analysed (recordKeyOf)
  int millis = 0;                       // the search's time at each position
  std::int64_t nodes = 0;               // or its nodes, when not 0
  std::vector<PositionVerdict> entries; // the start, then after each move
  bool operator==(const GameAnalysis&) const = default;
};

// The positions of a record, boards and hands in order, as one number.
std::uint64_t recordKeyOf(const std::vector<RecordEntry>& entries);

std::string analysisPathFor(const std::string& recordPath);

// Through a file beside it, renamed over it: the old file or the new whole.
bool writeAnalysisFile(const std::string& path, const GameAnalysis& analysis);

// The analysis kept for `record` (its entries from the start). Nothing when
// there is no file (`why` empty then), when the file is damaged or when it
// is another record's (`why` says which).
std::optional<GameAnalysis> readAnalysisFile(const std::string& path,
                                             const std::vector<RecordEntry>& record,
                                             Refusal* why = nullptr);

} // namespace korvanu
