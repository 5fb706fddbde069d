// Hover, press and rest colours: each window design lists, as data, which colour goes to which
// of its controls in which order; applyColours carries the steps out one by one. A step names
// its control by a member of the window's own struct of controls, so a misspelt control, or a
// colour the control does not have, does not compile.
#pragma once

#include "ui/frame/label.h"
#include "ui/frame/outline.h"
#include "ui/frame/units.h"

#include <span>
#include <type_traits>

namespace quiravel::frame {

enum class Paint { BackColor, ForeColor, BorderColor };

template <class Controls>
struct ColourStep {
  Label* Controls::*label;      // a label's back or fore colour ...
  Outline* Controls::*outline;  // ... or an outline's border colour
  Paint paint;
  Bgr colour;
};

template <class Controls>
constexpr ColourStep<Controls> backColour(Label* Controls::*label, Bgr colour) {
  return {label, nullptr, Paint::BackColor, colour};
}
template <class Controls>
constexpr ColourStep<Controls> foreColour(Label* Controls::*label, Bgr colour) {
  return {label, nullptr, Paint::ForeColor, colour};
}
template <class Controls>
constexpr ColourStep<Controls> borderColour(Outline* Controls::*outline, Bgr colour) {
  return {nullptr, outline, Paint::BorderColor, colour};
}

// Applies each step, in order, to its control among `controls`.
template <class Controls>
void applyColours(const Controls& controls,
                  std::span<const ColourStep<std::type_identity_t<Controls>>> steps) {
  for (const ColourStep<Controls>& step : steps) {
    if (step.outline)
      (controls.*step.outline)->setBorderColor(step.colour);
    else if (step.paint == Paint::ForeColor)
      (controls.*step.label)->setForeColor(step.colour);
    else
      (controls.*step.label)->setBackColor(step.colour);
  }
}

}  // namespace quiravel::frame
