// Shows the surface scaled to the widget, keeping its proportions.
#pragma once

#include <QRect>
#include <QWidget>

class QPainter;

namespace korvanu {

class Surface;

class SurfaceView : public QWidget {
  Q_OBJECT
public:
  SurfaceView(Surface& surface, QWidget* parent = nullptr);

  // Where the surface stands in the widget.
  QRect surfaceRect() const;
  // Twips of the surface under a widget position.
  QPointF toTwips(QPointF widgetPos) const;

  // The keyboard's cursor over the picture: corner marks just inside a
  // rectangle in twips, in a palette colour; an empty rectangle hides it.
  void setCursorMark(const QRectF& twips, int colour);
  QRectF cursorMark() const { return cursor_; }

  // Shifts the picture by surface pixels, to shake a window that cannot move.
  void setShake(QPoint offset) { shake_ = offset; }
  QPoint shake() const { return shake_; }

signals:
  // A mouse button went down: 1 left, 2 right, at twips of the surface.
  void pressed(int button, QPointF twips);
  // The pointer moved, at twips of the surface; when it leaves the widget, to
  // a point off the surface.
  void moved(QPointF twips);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void paintCursor(QPainter& p, const QRectF& target) const;

  // Drawn again at the scale the widget needs, when it needs it.
  Surface& surface_;
  QPoint shake_;
  QRectF cursor_;
  int cursorColour_ = 0;
};

} // namespace korvanu
