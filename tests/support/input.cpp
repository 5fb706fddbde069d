#include "tests/support/input.h"

#include "tests/support/rows.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace quiravel::test {

void sendMove(QWidget* target, QPoint pos, Qt::MouseButtons buttons) {
  QMouseEvent move(QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton, buttons,
                   Qt::NoModifier);
  QApplication::sendEvent(target, &move);
}

void addDragRows(std::initializer_list<std::pair<const char*, const char*>> others) {
  addColumns<QString, int, int>({"control", "buttons", "drags"});
  const std::pair<const char*, Qt::MouseButtons> held[] = {
      {"left", Qt::LeftButton},
      {"none", Qt::NoButton},
      {"right", Qt::RightButton},
      {"middle", Qt::MiddleButton},
      {"left and right", Qt::LeftButton | Qt::RightButton},
  };
  for (const auto& [where, control] : {std::pair{"title", "title"}, std::pair{"background", ""}}) {
    for (const auto& [name, buttons] : held) {
      QTest::addRow("%s, %s", where, name)
          << QString::fromLatin1(control) << int(buttons) << (buttons == Qt::LeftButton ? 1 : 0);
    }
  }
  for (const auto& [name, control] : others)
    QTest::addRow("%s, left", name) << QString::fromLatin1(control) << int(Qt::LeftButton) << 0;
}

}  // namespace quiravel::test
