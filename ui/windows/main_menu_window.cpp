#include "ui/windows/main_menu_window.h"

#include "engine/screening.h"
#include "ui/frame/about_box.h"
#include "ui/frame/colour_scheme.h"
#include "ui/frame/layout.h"
#include "ui/frame/palette.h"
#include "ui/frame/window_drag.h"

#include <QStringList>

namespace quiravel::windows {

namespace {

using namespace frame::palette;
using frame::Align;
using frame::backColour;
using frame::borderColour;
using frame::ColourStep;
using frame::foreColour;

constexpr frame::FontSpec kEntryFont{"Arial", 14.25, 700, 178};

constexpr frame::FrameSpec kFrame{.name = "Form0",
                                  .width = 7215,
                                  .height = 3180,
                                  .backColor = kWhite,
                                  .applicationIcon = true,
                                  .cornerWindow = false,
                                  .caption = ""};

// Controls from front to back.
constexpr frame::OutlineSpec kShape2{"Shape2", 1267, 2040, 4680, 405, kLightBlue, 2};
constexpr frame::LabelSpec kAbout = frame::aboutLabelSpec(6960, kPurple);
constexpr frame::LabelSpec kCmdX = frame::closeLabelSpec(6720, kPurple);
constexpr frame::OutlineSpec kShape1{"Shape1", 1260, 1095, 4680, 405, kLightBlue, 2};
constexpr frame::LabelSpec kLabel1{.name = "Label1",
                                   .caption = "",  // the depression test's title
                                   .left = 1260,
                                   .top = 1095,
                                   .width = 4680,
                                   .height = 420,
                                   .back = kWhite,
                                   .fore = kPurple,
                                   .font = kEntryFont,
                                   .align = Align::Centre};
constexpr frame::LabelSpec kTitle = frame::titleLabelSpec("Quiravel", 7215, 465, 14.25, kPurple);
constexpr frame::LabelSpec kLabel2{.name = "Label2",
                                   .caption = "",  // the anxiety test's title
                                   .left = 1267,
                                   .top = 2040,
                                   .width = 4680,
                                   .height = 420,
                                   .back = kWhite,
                                   .fore = kPurple,
                                   .font = kEntryFont,
                                   .align = Align::Centre};

// The entries' colours, step by step in the order they are set.
using C = MainMenuWindow::Controls;
constexpr ColourStep<C> kRest[] = {
    backColour(&C::label1, kWhite),       foreColour(&C::label2, kPurple),
    borderColour(&C::shape1, kLightBlue), backColour(&C::label2, kWhite),
    foreColour(&C::label1, kPurple),      borderColour(&C::shape2, kLightBlue),
};
constexpr ColourStep<C> kLabel1Hover[] = {
    backColour(&C::label1, kPurple),
    foreColour(&C::label1, kWhite),
    borderColour(&C::shape1, kLightBlue),
};
constexpr ColourStep<C> kLabel2Hover[] = {
    backColour(&C::label2, kPurple),
    foreColour(&C::label2, kWhite),
    borderColour(&C::shape2, kLightBlue),
};
constexpr ColourStep<C> kLabel1Press[] = {
    backColour(&C::label1, kPurple),
};
constexpr ColourStep<C> kLabel2Press[] = {
    backColour(&C::label2, kPurple),
    foreColour(&C::label2, kWhite),
};

}  // namespace

MainMenuWindow::MainMenuWindow(QWidget* parent) : FormWindow(kFrame, parent) {
  frame::Outline* shape2 = frame::addOutline(this, kShape2);
  frame::Label* about = frame::addLabel(this, kAbout);
  frame::Label* cmdX = frame::addLabel(this, kCmdX);
  frame::Outline* shape1 = frame::addOutline(this, kShape1);
  frame::Label* label1 = frame::addLabel(this, kLabel1);
  frame::Label* title = frame::addLabel(this, kTitle);
  frame::Label* label2 = frame::addLabel(this, kLabel2);
  controls_ = {label1, label2, shape1, shape2};
  setCaptionBar(title, frame::applicationTitle());
  label1->setCaption(QString::fromStdString(engine::depressionTest().displayTitle));
  label2->setCaption(QString::fromStdString(engine::anxietyTest().displayTitle));
  frame::stackFrontToBack({shape2, about, cmdX, shape1, label1, title, label2});
  // Enter presses them too, as Space does.
  for (frame::Label* action : {label1, label2, cmdX, about}) {
    action->setActsAsButton(true);
    action->setEnterPresses(true);
  }
  // The entries' focus marks lie inside their outlines.
  label1->setFocusMarkInset(kShape1.borderPixels + 1);
  label2->setFocusMarkInset(kShape2.borderPixels + 1);
  setCyclicTabOrder({label1, label2, about, cmdX});
  label1->setFocus();

  connect(label1, &frame::Label::mouseMove, this, &MainMenuWindow::Label1_MouseMove);
  connect(label2, &frame::Label::mouseMove, this, &MainMenuWindow::Label2_MouseMove);
  connect(label1, &frame::Label::mouseDown, this, &MainMenuWindow::Label1_MouseDown);
  connect(label2, &frame::Label::mouseDown, this, &MainMenuWindow::Label2_MouseDown);
  connect(label1, &frame::Label::click, this, &MainMenuWindow::depressionChosen);
  connect(label2, &frame::Label::click, this, &MainMenuWindow::anxietyChosen);
  connect(about, &frame::Label::click, this, &MainMenuWindow::about_Click);
  connect(cmdX, &frame::Label::click, this, &MainMenuWindow::endRequested);

  centreOnScreen();
}

QString MainMenuWindow::aboutText() {
  const QStringList lines = {
      QStringLiteral("Quiravel v.1.0"),
      QString(),
      QStringLiteral("These quizzes are for informational purposes only and can not replace a true "
                     "diagnostic assessment by a licensed mental health professional. "),
      // The rule, author and contact lines, as every About text ends.
      QString::fromStdString(engine::aboutSignature()),
  };
  return lines.join(QStringLiteral("\r\n"));
}

void MainMenuWindow::Form_MouseMove(int button) {
  frame::dragWithLeftButtonAlone(this, button);
  frame::applyColours(controls_, kRest);
}

void MainMenuWindow::Form_KeyDown(int key, Qt::KeyboardModifiers) {
  // Up and Down go from one entry to the other.
  if (key != Qt::Key_Up && key != Qt::Key_Down)
    return;
  if (focusWidget() == controls_.label1)
    controls_.label2->setFocus(Qt::TabFocusReason);
  else if (focusWidget() == controls_.label2)
    controls_.label1->setFocus(Qt::TabFocusReason);
}

void MainMenuWindow::Label1_MouseMove(int) {
  frame::applyColours(controls_, kLabel1Hover);
}
void MainMenuWindow::Label2_MouseMove(int) {
  frame::applyColours(controls_, kLabel2Hover);
}
void MainMenuWindow::Label1_MouseDown(int) {
  frame::applyColours(controls_, kLabel1Press);
}
void MainMenuWindow::Label2_MouseDown(int) {
  frame::applyColours(controls_, kLabel2Press);
}

void MainMenuWindow::about_Click() {
  frame::showAboutBox(this, aboutText());
}

}  // namespace quiravel::windows
