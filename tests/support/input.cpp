#include "tests/support/input.h"

#include "tests/support/rows.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
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

bool editField(QLineEdit* field, FieldEdit edit, const QString& text) {
  QWindow* window = field->window()->windowHandle();
  const auto key = [window](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(window, key, modifiers);
  };
  const auto type = [window, &text] {
    for (const QChar c : text)
      QTest::keyClick(window, c.toLatin1());
  };
  QClipboard* clipboard = QGuiApplication::clipboard();
  const QClipboard::Mode mode =
      edit == FieldEdit::MiddleClick ? QClipboard::Selection : QClipboard::Clipboard;
  if (edit >= FieldEdit::CtrlV && edit <= FieldEdit::MiddleClick) {
    if (!clipboard->supportsSelection() && mode == QClipboard::Selection)
      return false;
    clipboard->setText(text, mode);
    if (clipboard->text(mode) != text)
      return false;
  }
  const QPoint inside(2, field->height() / 2);
  switch (edit) {
    case FieldEdit::TypeAtEnd:
      key(Qt::Key_End);
      type();
      break;
    case FieldEdit::TypeAtStart:
      key(Qt::Key_Home);
      type();
      break;
    case FieldEdit::Backspace:
      key(Qt::Key_End);
      key(Qt::Key_Backspace);
      break;
    case FieldEdit::Delete:
      key(Qt::Key_Home);
      key(Qt::Key_Delete);
      break;
    case FieldEdit::Cut:
      key(Qt::Key_A, Qt::ControlModifier);
      key(Qt::Key_X, Qt::ControlModifier);
      break;
    case FieldEdit::CtrlV:
      key(Qt::Key_End);
      key(Qt::Key_V, Qt::ControlModifier);
      break;
    case FieldEdit::ShiftInsert:
      key(Qt::Key_End);
      key(Qt::Key_Insert, Qt::ShiftModifier);
      break;
    case FieldEdit::MenuPaste: {
      key(Qt::Key_End);
      const std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
      for (QAction* action : menu->actions()) {
        if (action->text().startsWith(QLatin1String("&Paste")))  // Qt's own, untranslated
          action->trigger();
      }
      break;
    }
    case FieldEdit::MiddleClick:
      QTest::mouseClick(field, Qt::MiddleButton, {}, inside);
      break;
    case FieldEdit::Drop: {
      QMimeData dropped;
      dropped.setText(text);
      QDragEnterEvent enter(inside, Qt::CopyAction, &dropped, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(field, &enter);
      QDropEvent drop(inside, Qt::CopyAction, &dropped, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(field, &drop);
      break;
    }
    case FieldEdit::InputMethod: {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(field, &commit);
      break;
    }
  }
  return true;
}

}  // namespace quiravel::test
