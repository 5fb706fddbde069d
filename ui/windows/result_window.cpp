#include "ui/windows/result_window.h"

#include "ui/frame/accessibility.h"
#include "ui/frame/layout.h"
#include "ui/frame/palette.h"

namespace quiravel::windows {

namespace {

using namespace frame::palette;
using frame::Align;

constexpr frame::FontSpec kTextFont{"Arial", 9.75, 700, 178};

constexpr frame::FrameSpec kFrame{.name = "Form2",
                                  .width = 2895,
                                  .height = 6420,
                                  .backColor = kBlack,
                                  .applicationIcon = false,
                                  .cornerWindow = true,
                                  .caption = "Form2"};

// Controls from front to back.
constexpr frame::LabelSpec kCmdX = frame::closeLabelSpec(2640, kLightBlue);
constexpr frame::OutlineSpec kShape1{.name = "Shape1",
                                     .left = 0,
                                     .top = 360,
                                     .width = 2895,
                                     .height = 6015,
                                     .border = kWhite,
                                     .borderPixels = 2};
constexpr frame::LabelSpec kLabel3{.name = "Label3",
                                   .caption = "Advice",
                                   .left = 120,
                                   .top = 1200,
                                   .width = 2655,
                                   .height = 5175,
                                   .back = kBlack,
                                   .fore = kLightRed,
                                   .font = kTextFont,
                                   .align = Align::Left,
                                   .wordWrap = true};
// Wider than the window: its right end is cut off by the window's edge.
constexpr frame::LabelSpec kLabel2{.name = "Label2",
                                   .caption = "Result is",
                                   .left = 120,
                                   .top = 840,
                                   .width = 2895,
                                   .height = 240,
                                   .back = kBlack,
                                   .fore = kWhite,
                                   .font = kTextFont,
                                   .align = Align::Left,
                                   .wordWrap = true,
                                   .autoSize = true};
constexpr frame::LabelSpec kLabel1{.name = "Label1",
                                   .caption = "Your Point= ",
                                   .left = 240,
                                   .top = 480,
                                   .width = 2415,
                                   .height = 375,
                                   .back = kBlack,
                                   .fore = kOrange,
                                   .font = kTextFont,
                                   .align = Align::Centre,
                                   .wordWrap = true};
constexpr frame::LabelSpec kTitle = frame::titleLabelSpec("Result", 2895, 345, 12, kLightBlue);

}  // namespace

ResultWindow::ResultWindow(QWidget* parent) : CornerWindow(kFrame, parent) {
  frame::Label* cmdX = frame::addLabel(this, kCmdX);
  frame::Outline* shape1 = frame::addOutline(this, kShape1);
  label3_ = frame::addLabel(this, kLabel3);
  label2_ = frame::addLabel(this, kLabel2);
  label1_ = frame::addLabel(this, kLabel1);
  frame::Label* title = frame::addLabel(this, kTitle);
  frame::stackFrontToBack({cmdX, shape1, label3_, label2_, label1_, title});
  setCloseLabel(cmdX);
  // A screen reader reads the result out when it is written.
  frame::setNotification(this, true);
}

void ResultWindow::showResult(const engine::ScreeningResult& result) {
  label2_->setCaption(QString::fromStdString(result.caption));
  label3_->setCaption(QString::fromStdString(result.advice));
  label1_->setCaption(QString::fromStdString(result.scoreLine));
  frame::announce(this);
}

}  // namespace quiravel::windows
