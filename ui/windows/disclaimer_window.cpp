#include "ui/windows/disclaimer_window.h"

#include "ui/frame/accessibility.h"
#include "ui/frame/layout.h"
#include "ui/frame/palette.h"

namespace quiravel::windows {

namespace {

using namespace frame::palette;
using frame::Align;

constexpr frame::FontSpec kCaptionFont{"Tahoma", 12, 700, 178};

// Shares its caption with the result window.
constexpr frame::FrameSpec kFrame{.name = "Welcome",
                                  .width = 2895,
                                  .height = 2985,
                                  .backColor = kBlack,
                                  .applicationIcon = false,
                                  .cornerWindow = true,
                                  .caption = "Form2"};

// Controls from front to back.
constexpr frame::LabelSpec kCmdX = frame::closeLabelSpec(2640, kLightBlue);
// Taller than the room left below the title: its lower 150 twips are cut off by the window's
// bottom edge.
constexpr frame::LabelSpec kLabel1{
    .name = "Label1",
    .caption =
        "Please use the results of this test as a guide and not a diagnosis, only a "
        "licensed mental health practitioner can diagnose depression/Anxiety .  ",
    .left = 120,
    .top = 360,
    .width = 2655,
    .height = 2775,
    .back = kBlack,
    .fore = kWhite,
    .font = kCaptionFont,
    .align = Align::Left,
    .wordWrap = true};
constexpr frame::LabelSpec kTitle = frame::titleLabelSpec("Welcome", 2895, 345, 12, kLightBlue);

}  // namespace

DisclaimerWindow::DisclaimerWindow(QWidget* parent) : CornerWindow(kFrame, parent) {
  frame::Label* cmdX = frame::addLabel(this, kCmdX);
  frame::Label* label1 = frame::addLabel(this, kLabel1);
  frame::Label* title = frame::addLabel(this, kTitle);
  frame::stackFrontToBack({cmdX, label1, title});
  setCloseLabel(cmdX);
  // A screen reader reads the disclaimer out each time it comes into view, as a sighted user
  // sees it slide up.
  frame::setNotification(this, true);
}

}  // namespace quiravel::windows
