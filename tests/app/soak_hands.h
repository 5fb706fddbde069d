// The user's hands for the random-input soak: a pointer with three buttons and a keyboard,
// delivered through the window system interface as a platform plug-in delivers them, so that
// Qt's own hit-testing, implicit grabs, popups, double-click detection and key routing decide
// who gets what.
#pragma once

#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <iterator>

namespace soak {

class Hands {
 public:
  // The buttons held down right now.
  Qt::MouseButtons held() const { return held_; }

  // While any button is held, the window that took the first press keeps the pointer (the
  // window system's implicit grab) for as long as it stays on screen.
  QWindow* grabber() const {
    return held_ != Qt::NoButton && grab_ && grab_->isVisible() ? grab_.data() : nullptr;
  }

  // The next press follows the last one closely: at the same place with the same button, the
  // window system makes it the second press of a double click.
  void hurry() { hurry_ = true; }

  void move(QWindow* window, QPoint at, Qt::KeyboardModifiers modifiers) {
    send(window, at, Qt::NoButton, QEvent::MouseMove, modifiers);
  }

  void press(QWindow* window, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    if (held_ == Qt::NoButton)
      grab_ = window;
    // Click to focus: the window manager activates a window that takes the focus when it is
    // clicked.
    if (window->isVisible() && !(window->flags() & Qt::WindowDoesNotAcceptFocus) &&
        window->type() != Qt::Popup && QGuiApplication::focusWindow() != window) {
      window->requestActivate();
    }
    held_ |= button;
    send(window, at, button, QEvent::MouseButtonPress, modifiers);
  }

  void release(QWindow* window, QPoint at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
    held_ &= ~Qt::MouseButtons(button);
    send(window, at, button, QEvent::MouseButtonRelease, modifiers);
    if (held_ == Qt::NoButton)
      grab_ = nullptr;
  }

  // Two quick presses and releases at one place.
  void doubleClick(QWindow* window, QPoint at, Qt::MouseButton button,
                   Qt::KeyboardModifiers modifiers) {
    QPointer<QWindow> target(window);
    press(window, at, button, modifiers);
    if (target)
      release(target, at, button, modifiers);
    hurry();
    if (target)
      press(target, at, button, modifiers);
    if (target)
      release(target, at, button, modifiers);
  }

  // One notch of the wheel is 120; the window picks the widget under the pointer.
  void wheel(QWindow* window, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(at), window->mapToGlobal(QPointF(at)), QPoint(),
                      QPoint(0, 120 * notches), held_, modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &event);
  }

  // A key pressed and released with `text` as what it types (empty for keys that type
  // nothing); the modifier keys go down before it and come up after it. Should the window go
  // away on the way (a popup that closes on a modifier key), the rest goes nowhere.
  static void key(QWindow* window, Qt::Key key, const QString& text,
                  Qt::KeyboardModifiers modifiers) {
    struct Modifier {
      Qt::KeyboardModifier flag;
      Qt::Key key;
    };
    constexpr Modifier kModifiers[] = {{Qt::ShiftModifier, Qt::Key_Shift},
                                       {Qt::ControlModifier, Qt::Key_Control},
                                       {Qt::AltModifier, Qt::Key_Alt},
                                       {Qt::MetaModifier, Qt::Key_Meta}};
    QPointer<QWindow> target(window);
    Qt::KeyboardModifiers down;
    for (const Modifier& modifier : kModifiers) {
      if (!(modifiers & modifier.flag))
        continue;
      if (!sendKey(target, QEvent::KeyPress, modifier.key, down, QString()))
        return;
      down |= modifier.flag;
    }
    if (!sendKey(target, QEvent::KeyPress, key, modifiers, text) ||
        !sendKey(target, QEvent::KeyRelease, key, modifiers, text))
      return;
    for (auto it = std::rbegin(kModifiers); it != std::rend(kModifiers); ++it) {
      if (!(modifiers & it->flag))
        continue;
      if (!sendKey(target, QEvent::KeyRelease, it->key, down, QString()))
        return;
      down &= ~Qt::KeyboardModifiers(it->flag);
    }
  }

  // Text committed by an input method to the control that has the keyboard focus.
  static bool commit(const QString& text) {
    QObject* focus = QGuiApplication::focusObject();
    if (!focus)
      return false;
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    if (!query.value(Qt::ImEnabled).toBool())
      return false;
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(focus, &event);
    return true;
  }

  // The user lets go of everything (the program under the hands has gone).
  void forget() {
    held_ = Qt::NoButton;
    grab_ = nullptr;
  }

 private:
  void send(QWindow* window, QPoint at, Qt::MouseButton button, QEvent::Type type,
            Qt::KeyboardModifiers modifiers) {
    // Presses come more than a double-click interval apart, unless the user hurries.
    if (type == QEvent::MouseButtonPress) {
      timestamp_ += hurry_ ? 40 : 700;
      hurry_ = false;
    } else {
      timestamp_ += 16;
    }
    qt_handleMouseEvent(window, QPointF(at), window->mapToGlobal(QPointF(at)), held_, button, type,
                        modifiers, timestamp_);
    QCoreApplication::processEvents();
  }

  static bool sendKey(const QPointer<QWindow>& window, QEvent::Type type, Qt::Key key,
                      Qt::KeyboardModifiers modifiers, const QString& text) {
    if (!window)
      return false;
    qt_handleKeyEvent(window, type, key, modifiers, text);
    QCoreApplication::processEvents();
    return true;
  }

  Qt::MouseButtons held_ = Qt::NoButton;
  QPointer<QWindow> grab_;
  bool hurry_ = false;
  int timestamp_ = 1000;
};

}  // namespace soak
