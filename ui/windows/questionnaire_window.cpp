#include "ui/windows/questionnaire_window.h"

#include "ui/frame/about_box.h"
#include "ui/frame/colour_scheme.h"
#include "ui/frame/layout.h"
#include "ui/frame/palette.h"
#include "ui/frame/window_drag.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace quiravel::windows {

namespace {

using namespace frame::palette;
using frame::Align;
using frame::backColour;
using frame::borderColour;
using frame::ColourStep;

constexpr frame::FontSpec kScoreFont{"Arial", 14.25, 700, 178};
constexpr frame::FontSpec kQuestionFont{"Arial", 9.75, 700, 178};
constexpr frame::FontSpec kListFont{"Tahoma", 8.25, 400, 178};

// The caption is the test's title.
constexpr frame::LabelSpec kTitle = frame::titleLabelSpec("", 9855, 465, 14.25, kLightBlue);
constexpr frame::LabelSpec kCmdX = frame::closeLabelSpec(9360, kLightBlue);
constexpr frame::LabelSpec kAbout = frame::aboutLabelSpec(9600, kLightBlue);
constexpr frame::LabelSpec kLabel1{.name = "Label1",
                                   .caption = "Score Your Test",
                                   .left = 0,  // per design
                                   .top = 0,
                                   .width = 4680,
                                   .height = 420,
                                   .back = kDarkBlue,
                                   .fore = kWhite,
                                   .font = kScoreFont,
                                   .align = Align::Centre};
constexpr frame::OutlineSpec kShape1{.name = "Shape1",
                                     .left = 0,  // per design, framing Label1
                                     .top = 0,
                                     .width = 4680,
                                     .height = 405,
                                     .border = kLightBlue,
                                     .borderPixels = 2};
// Row controls; name, place, size and text come from the design's row and the test's item.
constexpr frame::LabelSpec kQuestion{.name = "question",
                                     .caption = "",
                                     .left = 0,
                                     .top = 0,
                                     .width = 0,
                                     .height = 0,
                                     .back = kBlack,
                                     .fore = kWhite,
                                     .font = kQuestionFont,
                                     .align = Align::Left,
                                     .transparent = true,
                                     .wordWrap = true};
constexpr frame::DropDownSpec kCombo1{.name = "Combo1",
                                      .left = 0,
                                      .top = 0,
                                      .width = 1095,
                                      .height = 315,
                                      .back = kWhite,
                                      .fore = kBlack,
                                      .font = kListFont};
constexpr frame::LineSpec kSeparator{
    .name = "", .x1 = 120, .y1 = 0, .x2 = 9720, .y2 = 0, .colour = kWhite};

// The scoring label's colours, step by step in the order they are set.
using C = QuestionnaireWindow::Controls;
constexpr ColourStep<C> kRest[] = {
    backColour(&C::label1, kDarkBlue),
    borderColour(&C::shape1, kLightBlue),
};
constexpr ColourStep<C> kHover[] = {
    backColour(&C::label1, kLightBlue),
    borderColour(&C::shape1, kWhite),
};
constexpr ColourStep<C> kPressed[] = {
    backColour(&C::label1, kPaleBlue),
};

QString fromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QuestionnaireWindow::QuestionnaireWindow(const QuestionnaireDesign& design, QWidget* parent)
    : FormWindow(design.frame, parent), design_(design) {
  const engine::ScreeningTest& screening = test();
  Q_ASSERT(design.rows.size() == screening.items.size());

  frame::LabelSpec titleSpec = kTitle;
  titleSpec.caption = screening.displayTitle.c_str();
  frame::Label* title = frame::addLabel(this, titleSpec);
  setCaptionBar(title, fromUtf8(screening.displayTitle));
  frame::Label* cmdX = frame::addLabel(this, kCmdX);
  frame::Label* about = frame::addLabel(this, kAbout);
  addScoreLabel();
  for (frame::Label* action : {controls_.label1, cmdX, about})
    action->setActsAsButton(true);

  std::vector<QWidget*> questions;
  std::vector<QWidget*> separators;
  const std::size_t rowCount = std::min(design.rows.size(), screening.items.size());
  for (std::size_t i = 0; i < rowCount; ++i) {
    frame::Label* question = addQuestion(design.rows[i], screening.items[i]);
    addAnswerList(design.rows[i], screening.items[i], question);
    questions.push_back(question);
    separators.push_back(addSeparator(design.rows[i]));
  }

  // From front to back: the answer lists, "X" and "?" over the caption bar, the outline over
  // "Score Your Test", then the separators and the question texts.
  const auto [label1, shape1] = controls_;
  std::vector<QWidget*> order(combo1_.begin(), combo1_.end());
  order.insert(order.end(), {cmdX, about, title, shape1, label1});
  order.insert(order.end(), separators.begin(), separators.end());
  order.insert(order.end(), questions.begin(), questions.end());
  frame::stackFrontToBack(order);

  chainTabOrder(about, cmdX);

  connect(cmdX, &frame::Label::click, this, &QuestionnaireWindow::cmdX_Click);
  connect(about, &frame::Label::click, this, &QuestionnaireWindow::about_Click);
  connect(label1, &frame::Label::mouseMove, this, &QuestionnaireWindow::Label1_MouseMove);
  connect(label1, &frame::Label::mouseDown, this, &QuestionnaireWindow::Label1_MouseDown);
  connect(label1, &frame::Label::click, this, &QuestionnaireWindow::Label1_Click);

  if (design.start == StartPosition::Centred) {
    centreOnScreen();
  } else {
    moveTwips(design.startLeft, design.startTop);
  }
}

void QuestionnaireWindow::addScoreLabel() {
  frame::LabelSpec label1Spec = kLabel1;
  label1Spec.left = design_.scoreLeft;
  label1Spec.top = design_.scoreTop;
  frame::OutlineSpec shape1Spec = kShape1;
  shape1Spec.left = design_.scoreLeft;
  shape1Spec.top = design_.scoreTop;
  controls_ = {frame::addLabel(this, label1Spec), frame::addOutline(this, shape1Spec)};
  // The focus mark lies inside the outline.
  controls_.label1->setFocusMarkInset(kShape1.borderPixels + 1);
}

frame::Label* QuestionnaireWindow::addQuestion(const QuestionRow& row,
                                               const engine::TestItem& item) {
  frame::LabelSpec spec = kQuestion;
  spec.caption = item.text.c_str();
  spec.left = row.questionLeft;
  spec.top = row.questionTop;
  spec.width = row.questionWidth;
  spec.height = row.questionHeight;
  spec.wordWrap = !row.questionAutoSize;
  spec.autoSize = row.questionAutoSize;
  frame::Label* question = frame::addLabel(this, spec);
  question->setObjectName(frame::indexedName(kQuestion.name, item.answerIndex));
  return question;
}

void QuestionnaireWindow::addAnswerList(const QuestionRow& row, const engine::TestItem& item,
                                        frame::Label* question) {
  frame::DropDownSpec spec = kCombo1;
  spec.left = row.comboLeft;
  spec.top = row.comboTop;
  frame::DropDownList* combo = frame::addDropDown(this, spec);
  combo->setObjectName(frame::indexedName(kCombo1.name, item.answerIndex));
  combo->setEntries({QStringLiteral("No"), QStringLiteral("Yes")}, QStringLiteral("No"));
  // A screen reader speaks the question together with its answer.
  combo->setAccessibleName(question->caption());
  question->setBuddy(combo);
  combo1_.push_back(combo);
}

frame::Line* QuestionnaireWindow::addSeparator(const QuestionRow& row) {
  frame::LineSpec spec = kSeparator;
  spec.y1 = row.separatorY;
  spec.y2 = row.separatorY;
  frame::Line* separator = frame::addLine(this, spec);
  separator->setObjectName(frame::indexedName(row.separator, row.separatorIndex));
  return separator;
}

void QuestionnaireWindow::chainTabOrder(frame::Label* about, frame::Label* cmdX) {
  // Tab walks the answer lists in rising tab index, which is item order, then "Score Your
  // Test", "?" and "X". The first list has the focus.
  std::vector<std::size_t> tabOrder(combo1_.size());
  std::iota(tabOrder.begin(), tabOrder.end(), std::size_t{0});
  std::stable_sort(tabOrder.begin(), tabOrder.end(),
                   [&design = design_](std::size_t a, std::size_t b) {
                     return design.rows[a].comboTabIndex < design.rows[b].comboTabIndex;
                   });
  for (std::size_t k = 1; k < tabOrder.size(); ++k) {
    QWidget::setTabOrder(combo1_[tabOrder[k - 1]], combo1_[tabOrder[k]]);
  }
  QWidget* lastList = tabOrder.empty() ? nullptr : combo1_[tabOrder.back()];
  setCyclicTabOrder({lastList, controls_.label1, about, cmdX});
  if (!tabOrder.empty())
    combo1_[tabOrder.front()]->setFocus();
}

const engine::ScreeningTest& QuestionnaireWindow::test() const {
  return design_.test();
}

void QuestionnaireWindow::formLoad() {
  Q_EMIT loaded();
}

void QuestionnaireWindow::Form_KeyDown(int key, Qt::KeyboardModifiers) {
  // Only the key code counts: Enter scores with or without Shift, Ctrl or Alt. The key goes on
  // to the focused answer list all the same. On "Score Your Test" it also shows the result
  // window, as a click there would; on "?" and "X" it only scores, so that the key that scores
  // never closes the window with its answers or opens a box over the result.
  if (key != Qt::Key_Return && key != Qt::Key_Enter)
    return;
  Label1_Click();
  if (focusWidget() == controls_.label1)
    Label1_MouseDown(frame::kLeftButton);
}

void QuestionnaireWindow::Form_MouseMove(int button) {
  frame::dragWithLeftButtonAlone(this, button);
  // After the drag has ended.
  frame::applyColours(controls_, kRest);
}

void QuestionnaireWindow::Label1_MouseMove(int) {
  frame::applyColours(controls_, kHover);
}

void QuestionnaireWindow::Label1_MouseDown(int) {
  frame::applyColours(controls_, kPressed);
  Q_EMIT scorePressed();
}

void QuestionnaireWindow::Label1_Click() {
  std::vector<engine::AnswerState> answers;
  answers.reserve(combo1_.size());
  for (const frame::DropDownList* combo : combo1_) {
    answers.push_back(
        engine::answerFromListIndex(static_cast<std::int16_t>(combo->currentIndex())));
  }
  Q_EMIT scored(engine::scoreTest(test(), answers));
}

void QuestionnaireWindow::cmdX_Click() {
  Q_EMIT closeRequested();
}

void QuestionnaireWindow::about_Click() {
  frame::showAboutBox(this, fromUtf8(test().aboutText));
}

}  // namespace quiravel::windows
