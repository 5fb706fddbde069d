// Pointer events sent straight to a widget, as the window system would deliver them.
#pragma once

#include <QPoint>
#include <Qt>

#include <initializer_list>
#include <utility>

class QWidget;

namespace quiravel::test {

// A mouse move at `pos` of `target` with `buttons` held (QTest's own moves carry no buttons).
void sendMove(QWidget* target, QPoint pos, Qt::MouseButtons buttons);

// Data rows for a test of the window drag: the columns "control" (empty: the window's
// background), "buttons" held during a move, and "drags", how many drags it starts. The caption
// bar and the background drag the window with the left button alone; each of `others`, given as
// (row name, control), drags nothing.
void addDragRows(std::initializer_list<std::pair<const char*, const char*>> others);

}  // namespace quiravel::test
