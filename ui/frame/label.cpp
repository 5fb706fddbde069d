#include "ui/frame/label.h"

#include "ui/frame/accessibility.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace quiravel::frame {

int buttonMask(Qt::MouseButtons buttons) {
  int mask = 0;
  if (buttons & Qt::LeftButton)
    mask |= kLeftButton;
  if (buttons & Qt::RightButton)
    mask |= kRightButton;
  if (buttons & Qt::MiddleButton)
    mask |= kMiddleButton;
  return mask;
}

Label::Label(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAutoFillBackground(true);
  setBackColor(back_);
  setForeColor(fore_);
}

void Label::setCaption(const QString& caption) {
  setText(caption);
  fitSize();
}

void Label::setBackColor(Bgr colour) {
  back_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::Window, colorFromBgr(colour));
  setPalette(p);
}

void Label::setForeColor(Bgr colour) {
  fore_ = colour;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colorFromBgr(colour));
  setPalette(p);
}

void Label::setTransparent(bool transparent) {
  transparent_ = transparent;
  setAutoFillBackground(!transparent);
  update();
}

void Label::setSingleBorder(bool border) {
  border_ = border;
  setContentsMargins(border ? QMargins(1, 1, 1, 1) : QMargins());
  update();
}

void Label::setAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  fitSize();
}

void Label::setActsAsButton(bool actsAsButton) {
  installAccessibility();
  actsAsButton_ = actsAsButton;
}

void Label::pressAndRelease() {
  const QPointer<Label> self(this);
  Q_EMIT mouseDown(kLeftButton);
  // The press may have closed the label's window: then there is nothing left to release on.
  if (self)
    Q_EMIT click();
}

void Label::fitSize() {
  if (!autoSize_)
    return;
  if (wordWrap()) {
    resize(width(), heightForWidth(width()));
  } else {
    resize(sizeHint());
  }
}

void Label::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  Q_EMIT mouseMove(buttonMask(event->buttons()));
}

void Label::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton)
    leftPressed_ = true;
  Q_EMIT mouseDown(buttonMask(event->button()));
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !leftPressed_)
    return;
  leftPressed_ = false;
  // A click is a press and a release on the label; a release elsewhere is not one.
  if (rect().contains(event->position().toPoint()))
    Q_EMIT click();
}

void Label::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is not a new press, so it yields neither a mouseDown
  // nor a second click.
  event->accept();
  if (event->button() == Qt::LeftButton)
    Q_EMIT dblClick();
}

void Label::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!border_)
    return;
  QPainter painter(this);
  QPalette shades = palette();
  shades.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  shades.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
  qDrawShadePanel(&painter, rect(), shades, /*sunken=*/true, 1);
}

}  // namespace quiravel::frame
