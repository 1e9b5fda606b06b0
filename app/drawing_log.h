// What has been drawn on the surface since it was last filled, so that it can
// be drawn again at another scale when the window grows or shrinks. Whatever
// later pictures hide completely is forgotten, so the log stays about as long
// as what the window shows, however long the game.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

namespace korvanu {

class Surface;

class DrawingLog {
public:
  void fill(int colour);
  void picture(int code, double left, double top);
  void outline(int colour, double left, double top, double right, double bottom);
  // `covers`: the twips the text may have touched, as Surface::drawText says.
  void text(const QString& text, double left, double top, int colour, double points, bool bold,
            const QRectF& covers);

  // Draws everything logged onto `surface`, in order.
  void replay(Surface& surface) const;

  size_t size() const { return ops_.size(); }

private:
  enum class Kind { Fill, Picture, Outline, Text };
  struct Op {
    Kind kind;
    int code;  // the colour, or the picture's code
    double left, top, right, bottom;
    double points;
    bool bold;
    QString text;
    QRect area;  // twips the op may touch
    bool opaque; // and paints every one of them
  };
  void add(Op op);
  void forgetHidden();

  std::vector<Op> ops_;
  size_t nextCheck_ = 0;
};

} // namespace korvanu
