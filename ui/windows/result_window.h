// The result window, Form2: the score line, the band caption and the advice of a scoring, in a
// small window that slides up into the bottom right-hand corner of the screen.
#pragma once

#include "engine/screening.h"
#include "ui/windows/corner_window.h"

namespace quiravel::frame {
class Label;
}

namespace quiravel::windows {

class ResultWindow : public CornerWindow {
  Q_OBJECT

 public:
  explicit ResultWindow(QWidget* parent = nullptr);

  // Writes the band caption into Label2, the advice into Label3 and the score line into
  // Label1, in that order, replacing what they showed.
  void showResult(const quiravel::engine::ScreeningResult& result);

 private:
  frame::Label* label1_;
  frame::Label* label2_;
  frame::Label* label3_;
};

}  // namespace quiravel::windows
