// A form and labels for the frame's own tests, which build small forms of their own.
#pragma once

#include "ui/frame/form_window.h"
#include "ui/frame/layout.h"

namespace quiravel::test {

// A black form of 6000 x 4500 twips, "TestForm", with a caption but no icon.
constexpr frame::FrameSpec kFrame{"TestForm", 6000, 4500, 0x00000000, false, false, "Form caption"};

// "Label1", "Score Your Test": 3000 x 600 twips at (1500, 1500), centred, white Arial 9.75 bold on
// dark blue, with a tool tip.
constexpr frame::LabelSpec kLabel{.name = "Label1",
                                  .caption = "Score Your Test",
                                  .left = 1500,
                                  .top = 1500,
                                  .width = 3000,
                                  .height = 600,
                                  .back = 0x00400000,
                                  .fore = 0x00FFFFFF,
                                  .font = {"Arial", 9.75, 700, 0},
                                  .align = frame::Align::Centre,
                                  .toolTip = "Scores the answers"};

// kLabel under another name and caption, at another place (twips).
constexpr frame::LabelSpec labelSpec(const char* name, const char* caption, int left, int top,
                                     int width, int height) {
  frame::LabelSpec spec = kLabel;
  spec.name = name;
  spec.caption = caption;
  spec.left = left;
  spec.top = top;
  spec.width = width;
  spec.height = height;
  return spec;
}

}  // namespace quiravel::test
