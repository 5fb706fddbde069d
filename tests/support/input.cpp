#include "tests/support/input.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace quiravel::test {

void sendMove(QWidget* target, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent move(QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton, buttons,
                   Qt::NoModifier);
  QApplication::sendEvent(target, &move);
}

}  // namespace quiravel::test
