#include "drawing_log.h"

#include <QRegion>
#include <algorithm>
#include <cmath>

#include "state/constants.h"
#include "surface.h"
#include "view/pictures.h"

namespace korvanu {

namespace {

// A redrawn window is a few hundred ops; looking for hidden ones only when
// the log has doubled keeps the cost per op constant.
constexpr size_t FIRST_CHECK = 1024;

// Every twip the rectangle may touch.
QRect outer(double left, double top, double right, double bottom) {
  const int l = int(std::floor(left)), t = int(std::floor(top));
  return {l, t, int(std::ceil(right)) - l, int(std::ceil(bottom)) - t};
}

// Only twips the rectangle surely covers: pixels are rounded down from
// twips, the same way at every scale, so whole twips inside stay inside.
QRect inner(double left, double top, double right, double bottom) {
  const int l = int(std::ceil(left)), t = int(std::ceil(top));
  return {l, t, std::max(0, int(std::floor(right)) - l), std::max(0, int(std::floor(bottom)) - t)};
}

} // namespace

void DrawingLog::fill(int colour) {
  // Nothing drawn before shows through a fill.
  ops_.clear();
  nextCheck_ = FIRST_CHECK;
  add({Kind::Fill, colour, 0, 0, 0, 0, 0, false, {}, {}, true});
}

void DrawingLog::picture(int code, double left, double top) {
  const PictureSize size = pictureSize(code);
  if (size.width <= 0 || size.height <= 0) return;  // nothing is painted
  const double right = left + size.width * TWIPS_PER_PIXEL;
  const double bottom = top + size.height * TWIPS_PER_PIXEL;
  add({Kind::Picture, code, left, top, right, bottom, 0, false, {},
       inner(left, top, right, bottom), true});
}

void DrawingLog::outline(int colour, double left, double top, double right, double bottom) {
  // One pixel wide with both corners included: the far edges reach a pixel on.
  add({Kind::Outline, colour, left, top, right, bottom, 0, false, {},
       outer(std::min(left, right), std::min(top, bottom),
             std::max(left, right) + TWIPS_PER_PIXEL, std::max(top, bottom) + TWIPS_PER_PIXEL),
       false});
}

void DrawingLog::text(const QString& text, double left, double top, int colour, double points,
                      bool bold, const QRectF& covers) {
  add({Kind::Text, colour, left, top, 0, 0, points, bold, text,
       outer(covers.left(), covers.top(), covers.right(), covers.bottom()), false});
}

void DrawingLog::add(Op op) {
  ops_.push_back(std::move(op));
  if (ops_.size() < nextCheck_) return;
  forgetHidden();
  nextCheck_ = std::max(FIRST_CHECK, 2 * ops_.size());
}

void DrawingLog::forgetHidden() {
  // From the newest back: an op is kept while some of its area is not yet
  // painted over by a later opaque one.
  QRegion hidden;
  std::vector<Op> kept;
  kept.reserve(ops_.size());
  for (auto op = ops_.rbegin(); op != ops_.rend(); ++op) {
    const bool shows = op->kind == Kind::Fill || !(QRegion(op->area) - hidden).isEmpty();
    if (shows) {
      if (op->opaque) hidden += op->area;
      kept.push_back(std::move(*op));
    }
  }
  std::reverse(kept.begin(), kept.end());
  ops_ = std::move(kept);
}

void DrawingLog::replay(Surface& surface) const {
  for (const Op& op : ops_) {
    switch (op.kind) {
    case Kind::Fill: surface.fill(op.code); break;
    case Kind::Picture: surface.drawPicture(op.code, op.left, op.top); break;
    case Kind::Outline: surface.drawOutline(op.code, op.left, op.top, op.right, op.bottom); break;
    case Kind::Text: surface.drawText(op.text, op.left, op.top, op.code, op.points, op.bold); break;
    }
  }
}

} // namespace korvanu
