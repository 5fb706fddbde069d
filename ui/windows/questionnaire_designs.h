// What tells the depression questionnaire (Form1) and the anxiety questionnaire (Form11) apart:
// their test, window size and start position, the place of the scoring label, and one row of
// layout per item.
#pragma once

#include "engine/screening.h"
#include "ui/frame/form_window.h"

#include <span>

namespace quiravel::windows {

enum class StartPosition {
  Fixed,    // at the design's left and top
  Centred,  // centred on the screen
};

// One item's row: its question label, its answer list and the separator line below it.
// Positions and sizes in twips.
struct QuestionRow {
  int questionLeft;
  int questionTop;
  int questionWidth;
  int questionHeight;
  int questionTabIndex;   // as designed; unused: labels take no focus, so it has no effect
  bool questionAutoSize;  // a one-line label sized to its text instead of wrapping
  int comboLeft;
  int comboTop;
  int comboTabIndex;  // the answer lists are visited in rising order of this
  const char* separator;
  int separatorIndex;
  int separatorY;
};

struct QuestionnaireDesign {
  const engine::ScreeningTest& (*test)();
  frame::FrameSpec frame;
  StartPosition start;
  int startLeft;  // StartPosition::Fixed only
  int startTop;
  int scoreLeft;  // "Score Your Test" (Label1) and its outline (Shape1)
  int scoreTop;
  std::span<const QuestionRow> rows;  // one per item of the test, in item order
};

const QuestionnaireDesign& depressionDesign();  // Form1
const QuestionnaireDesign& anxietyDesign();     // Form11

}  // namespace quiravel::windows
