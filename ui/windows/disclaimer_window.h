// The disclaimer window, Welcome: a reminder that the tests are a guide and not a diagnosis, in
// a small window that slides up into the bottom right-hand corner of the screen.
#pragma once

#include "ui/windows/corner_window.h"

namespace quiravel::windows {

class DisclaimerWindow : public CornerWindow {
  Q_OBJECT

 public:
  explicit DisclaimerWindow(QWidget* parent = nullptr);
};

}  // namespace quiravel::windows
