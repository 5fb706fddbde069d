#include "ui/windows/questionnaire_designs.h"

#include "ui/frame/palette.h"

namespace quiravel::windows {

namespace {

using namespace frame::palette;

// Question labels are 7935 twips wide and wrap their text, except the first two, which are
// one line long and take the size of their text (the widths below are the design sizes).
constexpr int kLeft = 360;
constexpr int kWidth = 7935;

// clang-format off
constexpr QuestionRow kDepressionRows[] = {
  // question: left, top,  width,  height, tab, auto | list: left, top, tab | separator below
  {kLeft,  720,  8130,   240, 33, true,   8520,   720,  0, "Line3",  0,  1080},
  {kLeft,  1200, 5895,   240, 11, true,   8520,  1200,  1, "Line3",  1,  1560},
  {kLeft,  1680, kWidth, 480, 12, false,  8520,  1680,  2, "Line3",  2,  2160},
  {kLeft,  2280, kWidth, 735, 13, false,  8520,  2280,  3, "Line3",  3,  2880},
  {kLeft,  3000, kWidth, 735, 14, false,  8520,  3120,  4, "Line3",  4,  3840},
  {kLeft,  3960, kWidth, 615, 15, false,  8520,  3960,  5, "Line3",  5,  4560},
  {kLeft,  4680, kWidth, 615, 16, false,  8520,  4680,  7, "Line3",  6,  5280},
  {kLeft,  5400, kWidth, 495, 17, false,  8520,  5400,  8, "Line3",  7,  6000},
  {405,    6120, kWidth, 495, 19, false,  8520,  6120, 18, "Line3",  8,  6720},
  {kLeft,  6840, kWidth, 615, 21, false,  8520,  6960, 20, "Line3",  9,  7440},
  {kLeft,  7560, kWidth, 495, 24, false,  8475,  7560, 23, "Line3", 10,  8160},
  {kLeft,  8280, kWidth, 495, 26, false,  8475,  8280, 25, "Line3", 11,  8640},
  {kLeft,  8760, kWidth, 495, 28, false,  8475,  8760, 27, "Line3", 12,  9240},
  {kLeft,  9360, kWidth, 735, 30, false,  8475,  9360, 29, "Line3", 13, 10080},
  {kLeft, 10200, kWidth, 495, 32, false,  8475, 10200, 31, "Line1",  9, 10560},
};

constexpr QuestionRow kAnxietyRows[] = {
  // question: left, top,  width,  height, tab, auto | list: left, top, tab | separator below
  {kLeft,  720,  7125,   240, 23, true,   8520,   720,  0, "Line3",  0,  1200},
  {kLeft,  1440, 5805,   240, 11, true,   8520,  1440,  1, "Line3",  1,  1920},
  {kLeft,  2160, kWidth, 480, 12, false,  8520,  2160,  2, "Line3",  2,  2760},
  {kLeft,  2880, kWidth, 735, 13, false,  8520,  3000,  3, "Line3",  3,  3480},
  {kLeft,  3600, kWidth, 735, 14, false,  8520,  3720,  4, "Line3",  4,  4200},
  {kLeft,  4440, kWidth, 615, 15, false,  8520,  4440,  5, "Line3",  5,  4920},
  {kLeft,  5040, kWidth, 615, 16, false,  8520,  5160,  7, "Line3",  6,  5640},
  {kLeft,  5760, kWidth, 495, 17, false,  8520,  5880,  8, "Line3",  7,  6360},
  {405,    6480, kWidth, 495, 19, false,  8520,  6600, 18, "Line3",  8,  7080},
  {kLeft,  7200, kWidth, 615, 21, false,  8520,  7320, 20, "Line3",  9,  7800},
};
// clang-format on

constexpr QuestionnaireDesign kDepression{
    .test = &engine::depressionTest,
    .frame = {.name = "Form1",
              .width = 9855,
              .height = 11265,
              .backColor = kBlack,
              .applicationIcon = true,
              .cornerWindow = false,
              .caption = ""},
    .start = StartPosition::Fixed,
    .startLeft = 5895,
    .startTop = 0,
    .scoreLeft = 2587,
    .scoreTop = 10695,
    .rows = kDepressionRows,
};

constexpr QuestionnaireDesign kAnxiety{
    .test = &engine::anxietyTest,
    .frame = {.name = "Form11",
              .width = 9855,
              .height = 8700,
              .backColor = kBlack,
              .applicationIcon = true,
              .cornerWindow = false,
              .caption = ""},
    .start = StartPosition::Centred,
    .startLeft = 0,
    .startTop = 0,
    .scoreLeft = 2580,
    .scoreTop = 8055,
    .rows = kAnxietyRows,
};

}  // namespace

const QuestionnaireDesign& depressionDesign() {
  return kDepression;
}
const QuestionnaireDesign& anxietyDesign() {
  return kAnxiety;
}

}  // namespace quiravel::windows
