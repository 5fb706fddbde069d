// Rectangle outlines and lines. They take no mouse input: the pointer over them counts as over
// whatever lies beneath.
#pragma once

#include "ui/frame/units.h"

#include <QWidget>

namespace quiravel::frame {

// The outline of a rectangle, drawn inside the control's bounds.
class Outline : public QWidget {
  Q_OBJECT

 public:
  explicit Outline(QWidget* parent);

  void setBorderColor(Bgr colour);
  Bgr borderColor() const { return border_; }
  void setBorderWidth(int pixels);
  int borderWidth() const { return width_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Bgr border_ = 0x00000000;
  int width_ = 1;
};

// A horizontal or vertical line of one pixel, given by its end points in twips: an outline one
// pixel across, whose edges fill it.
class Line : public Outline {
  Q_OBJECT

 public:
  explicit Line(QWidget* parent) : Outline(parent) {}

  void setEnds(int x1, int y1, int x2, int y2);
};

}  // namespace quiravel::frame
