#include "ui/frame/label.h"

#include "ui/frame/accessibility.h"
#include "ui/frame/form_window.h"

#include <qdrawutil.h>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <cmath>

namespace quiravel::frame {

namespace {

// The contrast of two colours as accessibility guidelines reckon it, from 1 (the same) to 21
// (black on white).
double relativeLuminance(QRgb rgb) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) + 0.0722 * linear(qBlue(rgb));
}
double contrast(QRgb a, QRgb b) {
  const double la = relativeLuminance(a) + 0.05;
  const double lb = relativeLuminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}

// What a focus mark needs to stand out from what lies behind it.
constexpr double kFocusMarkContrast = 3.0;

}  // namespace

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

// QLabel gives a label that can take the focus a rich-text document of its own (as it would to
// selectable text), made on the first show, on a new text and on the first focus. A label here
// only ever shows plain text, so it is kept from that: the document costs memory and, laid out
// in the application's font before the label's, a font file that nothing else draws with.

void Label::setCaption(const QString& caption) {
  // Off the keyboard's road while the text changes, so that QLabel makes no document for it.
  const Qt::FocusPolicy policy = focusPolicy();
  setFocusPolicy(Qt::NoFocus);
  setText(caption);
  setFocusPolicy(policy);
  fitSize();
}

bool Label::event(QEvent* event) {
  // Making the document is all that QLabel does on polish.
  if (event->type() == QEvent::Polish)
    return QFrame::event(event);
  return QLabel::event(event);
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

void Label::setFocusMarkInset(int pixels) {
  focusMarkInset_ = pixels;
  update();
}

bool Label::showsFocusMark() const {
  const auto* form = qobject_cast<const FormWindow*>(window());
  return hasFocus() && form && form->showsFocusMark();
}

QRect Label::focusMarkRect() const {
  return rect().adjusted(focusMarkInset_, focusMarkInset_, -focusMarkInset_, -focusMarkInset_);
}

QColor Label::focusMarkColour() const {
  // A transparent label's back colour is that of what shows through it.
  const QRgb back = rgbFromBgr(back_);
  if (contrast(rgbFromBgr(fore_), back) >= kFocusMarkContrast)
    return colorFromBgr(fore_);
  return contrast(qRgb(0, 0, 0), back) >= contrast(qRgb(255, 255, 255), back) ? Qt::black
                                                                              : Qt::white;
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

bool Label::isPressKey(int key) const {
  if (!actsAsButton_ || focusPolicy() == Qt::NoFocus)
    return false;
  return key == Qt::Key_Space || (enterPresses_ && (key == Qt::Key_Return || key == Qt::Key_Enter));
}

void Label::keyPressEvent(QKeyEvent* event) {
  if (!isPressKey(event->key())) {
    QLabel::keyPressEvent(event);
    return;
  }
  // Held down, the key presses once.
  event->accept();
  if (event->isAutoRepeat() || keyDown_)
    return;
  keyDown_ = event->key();
  Q_EMIT mouseDown(kLeftButton);
}

void Label::keyReleaseEvent(QKeyEvent* event) {
  if (!isPressKey(event->key())) {
    QLabel::keyReleaseEvent(event);
    return;
  }
  event->accept();
  // Like a button released elsewhere, a key that went down somewhere else clicks nothing.
  if (event->isAutoRepeat() || keyDown_ != event->key())
    return;
  keyDown_ = 0;
  Q_EMIT click();
}

void Label::focusInEvent(QFocusEvent* event) {
  // QLabel's makes the document and hands it the focus; there is none here.
  QFrame::focusInEvent(event);
  update();
}

void Label::focusOutEvent(QFocusEvent* event) {
  QLabel::focusOutEvent(event);
  keyDown_ = 0;
  update();
}

void Label::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (showsFocusMark()) {
    QPainter painter(this);
    painter.setPen(QPen(focusMarkColour(), 1, Qt::DotLine));
    // An outline drawn with a one-pixel pen covers one pixel more to the right and below.
    painter.drawRect(focusMarkRect().adjusted(0, 0, -1, -1));
  }
  if (!border_)
    return;
  QPainter painter(this);
  QPalette shades = palette();
  shades.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
  shades.setColor(QPalette::Light, QColor(0xFF, 0xFF, 0xFF));
  qDrawShadePanel(&painter, rect(), shades, /*sunken=*/true, 1);
}

}  // namespace quiravel::frame
