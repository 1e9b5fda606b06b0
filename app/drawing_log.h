// What has been drawn on the surface since it was last filled, so that it can
// be drawn again at another scale when the window is shown larger or on a
// denser screen. Whatever later opaque drawing hides completely is forgotten,
// so the log stays about as long as what the window shows, however long the
// game.
#pragma once

#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

namespace korvanu {

struct DrawingOp {
  enum class Kind { Fill, Picture, Outline, Tint, Text };
  Kind kind = Kind::Fill;
  std::uint32_t value = 0; // the palette colour, the picture's code or a tint's ARGB
  double left = 0, top = 0, right = 0, bottom = 0; // twips
  double points = 0;
  bool bold = false;
  QString text;
};

class DrawingLog {
public:
  // Starts the log again with a fill: nothing drawn before shows through it.
  void fill(DrawingOp op);
  // `area`: the window pixels the op may touch; `opaque`: it paints every one
  // of them.
  void add(DrawingOp op, const QRect& area, bool opaque);

  // Calls `draw` with every op that still shows, oldest first.
  template <typename Draw>
  void replay(Draw&& draw) const {
    for (const Entry& e : entries_) draw(e.op);
  }
  size_t size() const { return entries_.size(); }

private:
  // A full redraw of the window is a few hundred ops; looking for hidden ones
  // only when the log has doubled keeps the cost per op constant.
  static constexpr size_t FIRST_CHECK = 1024;
  struct Entry {
    DrawingOp op;
    QRect area;
    bool opaque;
  };
  void forgetHidden();

  std::vector<Entry> entries_;
  size_t nextCheck_ = FIRST_CHECK;
};

} // namespace korvanu
