// Hover, press and rest colours: each window design lists, as data, which colour goes to which
// control in which order; applyColours carries the steps out one by one.
#pragma once

#include "ui/frame/units.h"

#include <span>

class QWidget;

namespace quiravel::frame {

enum class Paint { BackColor, ForeColor, BorderColor };

struct ColourStep {
  const char* control;  // the control's system name
  Paint paint;
  Bgr colour;
};

// Applies each step to the named control of `window`. A step whose control is missing or
// does not have that colour is skipped and the next step still runs.
void applyColours(QWidget* window, std::span<const ColourStep> steps);

}  // namespace quiravel::frame
