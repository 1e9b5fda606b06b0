// The window's drawing surface: a retained image in the window's logical
// coordinates (twips, 15 to a pixel). It is drawn at the scale it was made
// with; when the window is shown at another density (larger, or on a denser
// screen) the surface is drawn again at that scale from a log of what was
// drawn, and kept at it too while that is still shown.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "drawing_log.h"

namespace korvanu {

// The client area the game draws on, in logical pixels, below the menu bar.
constexpr int SURFACE_WIDTH = 627;
constexpr int SURFACE_HEIGHT = 514;

class Surface {
public:
  // Beyond this a surface would pass 20 MB for little gain.
  static constexpr int LARGEST_SCALE = 4;

  // `scale` device pixels per window pixel, from 1 to 4.
  explicit Surface(int scale);
  ~Surface();

  int scale() const { return base_->scale; }
  const QImage& image() const { return base_->image; }
  // The surface at `scale` device pixels per window pixel (1 to 4), drawn
  // again from the log when it is kept at neither the base scale nor the
  // one asked for last; a null image for other scales.
  const QImage& imageAt(int scale);
  // The one scale besides the base one the surface is kept at now; 0 for none.
  int extraScale() const { return extra_ ? extra_->scale : 0; }
  // How many drawing ops the surface could draw again now.
  size_t loggedOps() const { return log_.size(); }

  void fill(int colour);
  void drawPicture(int code, double left, double top);
  void drawOutline(int colour, double left, double top, double right, double bottom);
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom);
  void drawText(const QString& text, double left, double top, int colour, double points, bool bold);
  // The twips right of its left edge that drawText paints `text` in.
  double textWidth(const QString& text, double points, bool bold) const;

  // Device pixel where the window pixel holding a twips coordinate starts;
  // pictures and outlines are placed on these.
  int toDevice(double twips) const { return toDevice(twips, scale()); }

  // The primary screen's device pixels per window pixel, rounded up.
  static int screenScale();

private:
  struct Layer {
    explicit Layer(int s);
    int scale;
    QImage image;
    std::unordered_map<int, QImage> pictures;
  };
  static int toDevice(double twips, int scale);
  // The device rectangle an outline or tint spans at `scale`.
  static QRect spanned(const DrawingOp& op, int scale);
  // Draws `op` at every scale kept.
  void paintKept(const DrawingOp& op);
  static const QImage& picture(Layer& layer, int code);
  static void paint(Layer& layer, const DrawingOp& op);
  // Logs `op` and draws it at every scale kept.
  void draw(DrawingOp op, const QRect& area, bool opaque);

  std::unique_ptr<Layer> base_;
  std::unique_ptr<Layer> extra_;
  DrawingLog log_;
};

} // namespace korvanu
