#include "drawing_log.h"

#include <QRegion>
#include <algorithm>

namespace korvanu {

namespace {

// A full redraw of the window is a few hundred ops; looking for hidden ones
// only when the log has doubled keeps the cost per op constant.
constexpr size_t FIRST_CHECK = 1024;

} // namespace

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

std::vector<const DrawingOp*> DrawingLog::ops() const {
  std::vector<const DrawingOp*> out;
  out.reserve(entries_.size());
  for (const Entry& e : entries_) out.push_back(&e.op);
  return out;
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
