// What the player sees, cell by cell, rebuilt from the headless platform's
// drawing calls: the last picture painted on each cell, the tints laid over
// it since, and the texts that start in it.
#pragma once

#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless.h"
#include "state/constants.h"

namespace korvanu::testing {

struct CellSight {
  int picture = -1;                 // -1: nothing painted yet
  std::vector<std::uint32_t> tints; // over the picture, in order
  std::vector<std::string> texts;
};

class Screen {
public:
  explicit Screen(const HeadlessPlatform& ui) : ui_(ui) {}

  // Takes in every call drawn since the last look, or up to call `upTo`.
  const Screen& look(size_t upTo = SIZE_MAX) {
    for (; seen_ < ui_.draws.size() && seen_ < upTo; ++seen_) apply(ui_.draws[seen_]);
    return *this;
  }
  CellSight at(int x, int y) const {
    const auto it = cells_.find({x, y});
    return it == cells_.end() ? CellSight{} : it->second;
  }
  // The one tint a board square shows, 0 for none.
  std::uint32_t tint(int x, int y) const {
    const CellSight c = at(x, y);
    return c.tints.empty() ? 0 : c.tints.back();
  }
  // Squares with more than one tint on the same picture: smeared.
  int smeared() const {
    int n = 0;
    for (const auto& [cell, sight] : cells_) n += sight.tints.size() > 1;
    return n;
  }
  int tintedSquares() const {
    int n = 0;
    for (const auto& [cell, sight] : cells_) n += !sight.tints.empty();
    return n;
  }
  bool shows(int x, int y, const std::string& text) const {
    for (const std::string& t : at(x, y).texts)
      if (t == text) return true;
    return false;
  }

private:
  static int cellX(double left) {
    return static_cast<int>(std::floor((left - BOARD_LEFT) / SQUARE_WIDTH));
  }
  static int cellY(double top) {
    return static_cast<int>(std::floor((top - BOARD_TOP) / SQUARE_HEIGHT));
  }

  void apply(const DrawCall& d) {
    CellSight& c = cells_[{cellX(d.left), cellY(d.top)}];
    switch (d.kind) {
    case DrawCall::Fill: cells_.clear(); return;
    case DrawCall::Picture: c = CellSight{d.code, {}, {}}; return;
    case DrawCall::Tint: c.tints.push_back(d.argb); return;
    case DrawCall::Text: c.texts.push_back(d.text); return;
    case DrawCall::Outline: return;
    }
  }

  const HeadlessPlatform& ui_;
  size_t seen_ = 0;
  std::map<std::pair<int, int>, CellSight> cells_;
};

} // namespace korvanu::testing
