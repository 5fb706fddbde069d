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

// How a user's edit reaches a text field, after any keys.
enum class FieldEdit { Keys, MenuPaste, MiddleClick, Drop, InputMethod };

// Puts `text` on the clipboard (for a middle click, the X selection), presses `keys` in the
// field's window ("End, Ctrl+V", as QKeySequence reads it), then makes `edit` with `text` straight
// to the field: the context menu's Paste, a middle click, a drop from another program or an
// input method's commit. Returns false where the platform has no clipboard or selection for it.
bool editField(QLineEdit* field, FieldEdit edit, const QString& keys, const QString& text);

}  // namespace quiravel::test
