#include "ui/frame/outline.h"

#include <QPainter>

#include <algorithm>

namespace quiravel::frame {

Outline::Outline(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void Outline::setBorderColor(Bgr colour) {
  border_ = colour;
  update();
}

void Outline::setBorderWidth(int pixels) {
  width_ = std::max(1, pixels);
  update();
}

void Outline::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor colour = colorFromBgr(border_);
  const QRect r = rect();
  painter.fillRect(QRect(r.left(), r.top(), r.width(), width_), colour);
  painter.fillRect(QRect(r.left(), r.bottom() - width_ + 1, r.width(), width_), colour);
  painter.fillRect(QRect(r.left(), r.top(), width_, r.height()), colour);
  painter.fillRect(QRect(r.right() - width_ + 1, r.top(), width_, r.height()), colour);
}

void Line::setEnds(int x1, int y1, int x2, int y2) {
  const int left = twipsToPixels(std::min(x1, x2));
  const int top = twipsToPixels(std::min(y1, y2));
  const int right = twipsToPixels(std::max(x1, x2));
  const int bottom = twipsToPixels(std::max(y1, y2));
  setGeometry(left, top, right - left + 1, bottom - top + 1);
}

}  // namespace quiravel::frame
