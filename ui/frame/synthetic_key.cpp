#include "ui/frame/synthetic_key.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QWidget>

namespace quiravel::frame {

void queueKeyToFocus(Qt::Key key) {
  QMetaObject::invokeMethod(
      qApp,
      [key] {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
          return;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(focus, &press);
        // The press may have closed the focused control's window; ask again.
        if (QWidget* still = QApplication::focusWidget()) {
          QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
          QCoreApplication::sendEvent(still, &release);
        }
      },
      Qt::QueuedConnection);
}

}  // namespace quiravel::frame
