#include "ui/frame/cursor_blink.h"

#include <QApplication>
#include <QEvent>
#include <QStyleHints>
#include <QTimer>

namespace quiravel::frame {

CursorBlinkLimit::CursorBlinkLimit(QObject* parent, std::chrono::milliseconds rest)
    : QObject(parent),
      restTimer_(new QTimer(this)),
      desktopFlashTime_(QGuiApplication::styleHints()->cursorFlashTime()) {
  if (desktopFlashTime_ <= 0)
    return;  // the desktop's cursor does not blink: nothing to limit
  restTimer_->setSingleShot(true);
  restTimer_->setInterval(rest);
  connect(restTimer_, &QTimer::timeout, this, &CursorBlinkLimit::rest);
  QCoreApplication::instance()->installEventFilter(this);
  restTimer_->start();
}

CursorBlinkLimit::~CursorBlinkLimit() {
  if (desktopFlashTime_ > 0)
    QGuiApplication::styleHints()->setCursorFlashTime(desktopFlashTime_);
}

bool CursorBlinkLimit::blinking() const {
  return QGuiApplication::styleHints()->cursorFlashTime() > 0;
}

bool CursorBlinkLimit::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::InputMethod:
    case QEvent::FocusIn:
      wake();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void CursorBlinkLimit::wake() {
  restTimer_->start();
  // Text fields restart their blinking when the rate changes; a change to the same rate is
  // not announced, so nothing happens while the cursor already blinks.
  QGuiApplication::styleHints()->setCursorFlashTime(desktopFlashTime_);
}

void CursorBlinkLimit::rest() {
  // A rate of 0 stops the blinking with the cursor drawn.
  QGuiApplication::styleHints()->setCursorFlashTime(0);
}

}  // namespace quiravel::frame
