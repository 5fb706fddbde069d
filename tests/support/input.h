// Pointer events sent straight to a widget, as the window system would deliver them.
#pragma once

#include <QPoint>
#include <Qt>

class QWidget;

namespace quiravel::test {

// A mouse move at `pos` of `target` with `buttons` held (QTest's own moves carry no buttons).
void sendMove(QWidget* target, QPoint pos, Qt::MouseButtons buttons);

}  // namespace quiravel::test
