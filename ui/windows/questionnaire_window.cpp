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
using frame::ColourStep;
using frame::Paint;

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
constexpr frame::ShapeSpec kShape1{.name = "Shape1",
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
constexpr ColourStep kRest[] = {
    {"Label1", Paint::BackColor, kDarkBlue},
    {"Shape1", Paint::BorderColor, kLightBlue},
};
constexpr ColourStep kHover[] = {
    {"Label1", Paint::BackColor, kLightBlue},
    {"Shape1", Paint::BorderColor, kWhite},
};
constexpr ColourStep kPressed[] = {
    {"Label1", Paint::BackColor, kPaleBlue},
};

QString fromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QuestionnaireWindow::QuestionnaireWindow(const QuestionnaireDesign& design, QWidget* parent)
    : FormWindow(design.frame, parent), design_(design) {
  const engine::ScreeningTest& screening = test();
  Q_ASSERT(design.rows.size() == screening.items.size());
  setFocusPolicy(Qt::NoFocus);
  // Named in task bars and window lists, and to a screen reader.
  setWindowTitle(fromUtf8(screening.displayTitle));
  setAccessibleName(fromUtf8(screening.displayTitle));

  frame::LabelSpec titleSpec = kTitle;
  titleSpec.caption = screening.displayTitle.c_str();
  frame::Label* title = frame::addLabel(this, titleSpec);
  frame::Label* cmdX = frame::addLabel(this, kCmdX);
  frame::Label* about = frame::addLabel(this, kAbout);

  frame::LabelSpec label1Spec = kLabel1;
  label1Spec.left = design.scoreLeft;
  label1Spec.top = design.scoreTop;
  frame::Label* label1 = frame::addLabel(this, label1Spec);
  frame::ShapeSpec shape1Spec = kShape1;
  shape1Spec.left = design.scoreLeft;
  shape1Spec.top = design.scoreTop;
  frame::Shape* shape1 = frame::addShape(this, shape1Spec);
  for (frame::Label* action : {label1, cmdX, about})
    action->setActsAsButton(true);
  // The focus mark lies inside the outline.
  label1->setFocusMarkInset(kShape1.borderPixels + 1);
  label1_ = label1;

  std::vector<QWidget*> questions;
  std::vector<QWidget*> separators;
  const int rowCount = static_cast<int>(std::min(design.rows.size(), screening.items.size()));
  for (int i = 0; i < rowCount; ++i) {
    const QuestionRow& row = design.rows[static_cast<std::size_t>(i)];
    const engine::TestItem& item = screening.items[static_cast<std::size_t>(i)];

    frame::LabelSpec questionSpec = kQuestion;
    questionSpec.caption = item.text.c_str();
    questionSpec.left = row.questionLeft;
    questionSpec.top = row.questionTop;
    questionSpec.width = row.questionWidth;
    questionSpec.height = row.questionHeight;
    questionSpec.wordWrap = !row.questionAutoSize;
    questionSpec.autoSize = row.questionAutoSize;
    frame::Label* question = frame::addLabel(this, questionSpec);
    question->setObjectName(frame::indexedName(kQuestion.name, item.answerIndex));

    frame::DropDownSpec comboSpec = kCombo1;
    comboSpec.left = row.comboLeft;
    comboSpec.top = row.comboTop;
    frame::DropDownList* combo = frame::addDropDown(this, comboSpec);
    combo->setObjectName(frame::indexedName(kCombo1.name, item.answerIndex));
    combo->setEntries({QStringLiteral("No"), QStringLiteral("Yes")}, QStringLiteral("No"));
    // A screen reader speaks the question together with its answer.
    combo->setAccessibleName(question->caption());
    question->setBuddy(combo);

    frame::LineSpec separatorSpec = kSeparator;
    separatorSpec.y1 = row.separatorY;
    separatorSpec.y2 = row.separatorY;
    frame::Line* separator = frame::addLine(this, separatorSpec);
    separator->setObjectName(frame::indexedName(row.separator, row.separatorIndex));

    questions.push_back(question);
    separators.push_back(separator);
    combo1_.push_back(combo);
  }

  // From front to back: the answer lists, "X" and "?" over the caption bar, the outline over
  // "Score Your Test", then the separators and the question texts.
  std::vector<QWidget*> order(combo1_.begin(), combo1_.end());
  order.insert(order.end(), {cmdX, about, title, shape1, label1});
  order.insert(order.end(), separators.begin(), separators.end());
  order.insert(order.end(), questions.begin(), questions.end());
  frame::stackFrontToBack(order);

  // Tab walks the answer lists in rising tab index, which is item order, then "Score Your
  // Test", "?" and "X".
  std::vector<std::size_t> tabOrder(combo1_.size());
  std::iota(tabOrder.begin(), tabOrder.end(), std::size_t{0});
  std::stable_sort(tabOrder.begin(), tabOrder.end(), [&design](std::size_t a, std::size_t b) {
    return design.rows[a].comboTabIndex < design.rows[b].comboTabIndex;
  });
  for (std::size_t k = 1; k < tabOrder.size(); ++k) {
    QWidget::setTabOrder(combo1_[tabOrder[k - 1]], combo1_[tabOrder[k]]);
  }
  QWidget* lastList = tabOrder.empty() ? nullptr : combo1_[tabOrder.back()];
  setTabRoad({lastList, label1, about, cmdX});
  if (!tabOrder.empty())
    combo1_[tabOrder.front()]->setFocus();

  connect(title, &frame::Label::mouseMove, this, &QuestionnaireWindow::title_MouseMove);
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
  if (label1_ && focusWidget() == label1_)
    Label1_MouseDown(frame::kLeftButton);
}

void QuestionnaireWindow::Form_MouseMove(int button) {
  frame::dragWithLeftButtonAlone(this, button);
  // After the drag has ended.
  frame::applyColours(this, kRest);
}

void QuestionnaireWindow::Label1_MouseMove(int) {
  frame::applyColours(this, kHover);
}

void QuestionnaireWindow::Label1_MouseDown(int) {
  frame::applyColours(this, kPressed);
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
