// Keystrokes made by program.
#pragma once

#include <Qt>

namespace quiravel::frame {

// Queues one keystroke (press and release) to the control that has the keyboard focus when the
// keystroke is processed, after the caller has returned. Does nothing when no control has the
// focus then.
void queueKeyToFocus(Qt::Key key);

}  // namespace quiravel::frame
