// The window's drawing surface: a retained image in the window's logical
// coordinates (twips, 15 to a pixel), kept at a multiple of its logical size
// so that it stays sharp when the window is shown larger.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace korvanu {

// The client area the game draws on, in logical pixels, below the menu bar.
constexpr int SURFACE_WIDTH = 627;
constexpr int SURFACE_HEIGHT = 514;

class Surface {
public:
  // `scale` device pixels per window pixel for large windows; the surface is
  // also kept at `nativeScale`, the screen's own density, so the window at
  // its natural size shows glyphs hinted for its pixels rather than resampled.
  explicit Surface(int scale, int nativeScale = screenScale());

  int scale() const { return scale_; }
  const QImage& image() const { return layers_.front().image; }
  // The surface at `scale` device pixels per window pixel: image() or the
  // native copy, or a null image when it is kept at neither.
  const QImage& imageAt(int scale) const;

  void fill(int colour);
  void drawPicture(int code, double left, double top);
  void drawOutline(int colour, double left, double top, double right, double bottom);
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom);
  void drawText(const QString& text, double left, double top, int colour, double points, bool bold);

  // Device pixel where the window pixel holding a twips coordinate starts;
  // pictures and outlines are placed on these.
  int toDevice(double twips) const { return toDevice(twips, scale_); }

  // The primary screen's device pixels per window pixel, rounded.
  static int screenScale();

private:
  struct Layer {
    int scale;
    QImage image;
    std::unordered_map<int, QImage> pictures;
  };
  static int toDevice(double twips, int scale);
  static const QImage& picture(Layer& layer, int code);

  int scale_;
  std::vector<Layer> layers_; // the main scale first
};

// The surface scale that keeps a window as large as the screen sharp.
int surfaceScaleFor(int screenHeightDevicePixels);

} // namespace korvanu
