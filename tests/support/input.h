// Pointer events sent straight to a widget, as the window system would deliver them.
#pragma once

#include <QPoint>
#include <Qt>

#include <initializer_list>
#include <utility>

class QLineEdit;
class QString;
class QWidget;

namespace quiravel::test {

// A mouse move at `pos` of `target` with `buttons` held (QTest's own moves carry no buttons).
void sendMove(QWidget* target, QPoint pos, Qt::MouseButtons buttons);

// Data rows for a test of the window drag: the columns "control" (empty: the window's
// background), "buttons" held during a move, and "drags", how many drags it starts. The caption
// bar and the background drag the window with the left button alone; each of `others`, given as
// (row name, control), drags nothing.
void addDragRows(std::initializer_list<std::pair<const char*, const char*>> others);

// The ways a user can change a text field's text other than choosing from a list.
enum class FieldEdit {
  TypeAtEnd,    // End, then the text typed
  TypeAtStart,  // Home, then the text typed
  Backspace,    // End, then Backspace
  Delete,       // Home, then Delete
  Cut,          // Ctrl+A, then Ctrl+X
  CtrlV,        // End, then the text pasted with Ctrl+V
  ShiftInsert,  // the same with Shift+Insert
  MenuPaste,    // the same with the context menu's Paste
  MiddleClick,  // the text pasted from the X selection with the middle button
  Drop,         // the text dropped from another program
  InputMethod,  // the text committed by an input method
};

// Makes `edit`, with `text` where it takes one, on `field` as the user would: keys through its
// window, the pointer and the rest straight to the field. Returns false where the platform has
// no clipboard or selection for it.
bool editField(QLineEdit* field, FieldEdit edit, const QString& text);

}  // namespace quiravel::test
