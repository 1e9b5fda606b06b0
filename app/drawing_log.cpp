#include "drawing_log.h"

#include <QRegion>
#include <algorithm>

namespace korvanu {

void DrawingLog::fill(DrawingOp op) {
  entries_.clear();
  nextCheck_ = FIRST_CHECK;
  entries_.push_back({std::move(op), QRect(), true});
}

void DrawingLog::add(DrawingOp op, const QRect& area, bool opaque) {
  entries_.push_back({std::move(op), area, opaque});
  if (entries_.size() < nextCheck_) return;
  forgetHidden();
  nextCheck_ = std::max(FIRST_CHECK, 2 * entries_.size());
}

void DrawingLog::forgetHidden() {
  // From the newest back: an op stays while some of its area is not yet
  // painted over by a later opaque one. The fill that starts the log stays.
  QRegion hidden;
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  for (auto e = entries_.rbegin(); e != entries_.rend(); ++e) {
    const bool first = e + 1 == entries_.rend();
    if (!first && (QRegion(e->area) - hidden).isEmpty()) continue;
    if (e->opaque) hidden += e->area;
    kept.push_back(std::move(*e));
  }
  std::reverse(kept.begin(), kept.end());
  entries_ = std::move(kept);
}

} // namespace korvanu
