// The window's drawing surface: a retained image in the window's logical
// coordinates (twips, 15 to a pixel), kept at a multiple of its logical size
// so that it stays sharp when the window is shown larger.
#pragma once

#include <QImage>
#include <QString>
#include <cstdint>
#include <unordered_map>

namespace korvanu {

// The client area the game draws on, in logical pixels, below the menu bar.
constexpr int SURFACE_WIDTH = 627;
constexpr int SURFACE_HEIGHT = 514;

class Surface {
public:
  explicit Surface(int scale);

  int scale() const { return scale_; }
  const QImage& image() const { return image_; }

  void fill(int colour);
  void drawPicture(int code, double left, double top);
  void drawOutline(int colour, double left, double top, double right, double bottom);
  void drawTint(std::uint32_t argb, double left, double top, double right, double bottom);
  void drawText(const QString& text, double left, double top, int colour, double points,
                bool bold);

  // Device pixel of a twips coordinate.
  int toDevice(double twips) const;

private:
  const QImage& picture(int code);

  int scale_;
  QImage image_;
  std::unordered_map<int, QImage> pictures_;
};

// The surface scale that keeps a window as large as the screen sharp.
int surfaceScaleFor(int screenHeightDevicePixels);

} // namespace korvanu
