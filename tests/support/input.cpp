#include "tests/support/input.h"

#include "tests/support/rows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

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

bool editField(QLineEdit* field, FieldEdit edit, const QString& keys, const QString& text) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  const auto mode = edit == FieldEdit::MiddleClick ? QClipboard::Selection : QClipboard::Clipboard;
  if (mode == QClipboard::Selection && !clipboard->supportsSelection())
    return false;
  clipboard->setText(text, mode);
  if (clipboard->text(mode) != text)
    return false;
  QTest::keySequence(field->window()->windowHandle(), QKeySequence(keys));
  const QPoint inside(2, field->height() / 2);
  QMimeData dropped;
  dropped.setText(text);
  QDragEnterEvent enter(inside, Qt::CopyAction, &dropped, Qt::NoButton, Qt::NoModifier);
  QDropEvent drop(inside, Qt::CopyAction, &dropped, Qt::NoButton, Qt::NoModifier);
  QInputMethodEvent commit;
  commit.setCommitString(text);
  if (edit == FieldEdit::MenuPaste) {
    const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
    for (QAction* action : menu->actions()) {
      if (action->text().startsWith(QLatin1String("&Paste")))  // Qt's own, untranslated
        action->trigger();
    }
  } else if (edit == FieldEdit::MiddleClick) {
    QTest::mouseClick(field, Qt::MiddleButton, {}, inside);
  } else if (edit == FieldEdit::Drop) {
    QApplication::sendEvent(field, &enter);
    QApplication::sendEvent(field, &drop);
  } else if (edit == FieldEdit::InputMethod) {
    QApplication::sendEvent(field, &commit);
  }
  return true;
}

}  // namespace quiravel::test
