// Layout tables: every control of a window with its place, size, colours and font, as data.
#pragma once

#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/outline.h"
#include "ui/frame/palette.h"
#include "ui/frame/units.h"

#include <QString>

#include <initializer_list>
#include <span>

namespace quiravel::frame {

enum class Align { Left, Centre };

struct LabelSpec {
  const char* name;
  const char* caption;           // UTF-8
  int left, top, width, height;  // twips
  Bgr back;
  Bgr fore;
  FontSpec font;
  Align align = Align::Left;
  bool transparent = false;
  bool wordWrap = false;
  bool autoSize = false;
  bool border = false;
  const char* toolTip = nullptr;
};

struct OutlineSpec {
  const char* name;
  int left, top, width, height;  // twips
  Bgr border;
  int borderPixels;
};

struct LineSpec {
  const char* name;
  int x1, y1, x2, y2;  // twips
  Bgr colour;
};

struct DropDownSpec {
  const char* name;
  int left, top, width, height;  // twips; the height is that of the closed list
  Bgr back;
  Bgr fore;
  FontSpec font;
};

// The caption bar every window draws itself: a label named "title" across the top edge, white
// bold Tahoma text centred on `back`, with a single-line border. Menu and questionnaires use
// 465 twips and 14.25 pt, the corner windows 345 twips and 12 pt.
constexpr LabelSpec titleLabelSpec(const char* caption, int width, int height, double points,
                                   Bgr back) {
  return {.name = "title",
          .caption = caption,
          .left = 0,
          .top = 0,
          .width = width,
          .height = height,
          .back = back,
          .fore = palette::kWhite,
          .font = {"Tahoma", points, 700, 178},
          .align = Align::Centre,
          .border = true};
}

// The frame labels over the right end of a window's caption bar: "X", which closes the window,
// and "?", which shows its About box. Both look the same in every window: white bold Arial on
// a transparent background showing the caption bar's colour `titleBack` behind them, sized to
// their text.
constexpr LabelSpec closeLabelSpec(int left, Bgr titleBack) {
  return {.name = "cmdX",
          .caption = "X",
          .left = left,
          .top = 0,
          .width = 150,
          .height = 195,
          .back = titleBack,
          .fore = palette::kWhite,
          .font = {"Arial", 9.75, 700, 0},
          .align = Align::Centre,
          .transparent = true,
          .autoSize = true,
          .toolTip = "Close"};
}
constexpr LabelSpec aboutLabelSpec(int left, Bgr titleBack) {
  return {.name = "about",
          .caption = "?",
          .left = left,
          .top = 0,
          .width = 120,
          .height = 240,
          .back = titleBack,
          .fore = palette::kWhite,
          .font = {"Arial", 9.75, 700, 0},
          .align = Align::Centre,
          .transparent = true,
          .autoSize = true,
          .toolTip = "About"};
}

// A control name with an index, as in a control array: "Combo1(3)".
QString indexedName(const char* name, int index);

// Create a control from its spec as a child of `window`, named after it. An auto-sized label
// keeps its Left and Top and takes the size of its text.
Label* addLabel(QWidget* window, const LabelSpec& spec);
Outline* addOutline(QWidget* window, const OutlineSpec& spec);
Line* addLine(QWidget* window, const LineSpec& spec);
DropDownList* addDropDown(QWidget* window, const DropDownSpec& spec);

// Stacks controls as a layout table lists them, from front to back: the first one lies in front
// of all the others.
void stackFrontToBack(std::span<QWidget* const> controls);
inline void stackFrontToBack(std::initializer_list<QWidget*> controls) {
  stackFrontToBack(std::span<QWidget* const>(controls.begin(), controls.size()));
}

}  // namespace quiravel::frame
