// Moving a borderless window with the pointer.
#pragma once

#include "ui/frame/seam.h"

class QWidget;

namespace quiravel::frame {

// The window follows the pointer while the left button stays down; returns when the button is
// released and the move has ended.
void beginWindowDrag(QWidget* window);

// How the menu and the questionnaires are moved by their caption bar or their background: a
// pointer move with the left button alone down (`button` is the pressed-button mask) drags the
// window; with no button, or any other button down as well, nothing happens.
void dragWithLeftButtonAlone(QWidget* window, int button);

// Tests replace the drag to record it; an empty handler restores the real one. Returns the
// handler that was in place.
using WindowDragHandler = Seam<QWidget*>::Handler;
WindowDragHandler setWindowDragHandler(WindowDragHandler handler);

}  // namespace quiravel::frame
