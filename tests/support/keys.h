// The keyboard: keys typed into a window as the window system delivers them, where the focus
// is, and the focus mark it shows.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace quiravel::frame {
class Label;
}

namespace quiravel::test {

// Presses and releases each key of `keys` in turn in `window` (Qt::Key_Backtab is Shift+Tab).
void typeKeys(QWidget* window, const QList<int>& keys);

// The system name of the control that has the keyboard focus, "(none)" where none has it.
QString focusedName();

// What is wrong with the focus mark of `label`, which has the focus after keys were pressed;
// empty where nothing is. The mark must show, and go with a click on the window's background:
// every pixel it changes lies on the label's focus rectangle and stands out at least 3:1 from
// the label's background.
QString focusMarkFault(frame::Label* label);

// The same, with the road to the mark: a click on `label` must move no focus and show no mark;
// then `keys`, typed into its window, must bring the focus to it.
QString focusMarkFaultAfter(frame::Label* label, const QList<int>& keys);

}  // namespace quiravel::test
