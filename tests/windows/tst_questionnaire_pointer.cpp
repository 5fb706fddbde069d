// The questionnaire under the pointer: the colours of "Score Your Test" on hover, on a press
// and back at rest over the background, and the window drag by the caption bar or background.
#include "tests/support/input.h"
#include "tests/support/palette.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/label.h"
#include "ui/frame/outline.h"

#include <QTest>

using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

// Label1's back colour, then Shape1's outline colour.
const QList<uint> kRest = {kDarkBlue, kLightBlue};
const QList<uint> kHover = {kLightBlue, kWhite};

// A point of the black background, left of the question texts and the separators.
constexpr QPoint kBackground(3, 100);

}  // namespace

class TestQuestionnairePointer : public QObject {
  Q_OBJECT

  std::unique_ptr<Questionnaire> instance_;

  QuestionnaireWindow* open(const quiravel::windows::QuestionnaireDesign& design) {
    return openQuestionnaire(instance_, design);
  }
  QuestionnaireWindow* window() const { return instance_->loadedWindow(); }
  QWidget* control(const QString& name) const {
    return window()->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
  }
  Label* score() const { return window()->findChild<Label*>(QStringLiteral("Label1")); }
  QList<uint> colours() const {
    return {score()->backColor(),
            window()->findChild<Outline*>(QStringLiteral("Shape1"))->borderColor()};
  }
  QPoint centreOf(const QString& name) const { return control(name)->geometry().center(); }
  void moveTo(QPoint pos) const { QTest::mouseMove(window()->windowHandle(), pos); }

 private Q_SLOTS:
  void cleanup() { instance_.reset(); }

  void restingWhenOpened() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    QCOMPARE(colours(), kRest);
    QCOMPARE(score()->foreColor(), kWhite);
    QCOMPARE(window()->childAt(kBackground), nullptr);
  }

  void hoverThenRestOverTheBackground_data() { addQuestionnaireRows(); }
  void hoverThenRestOverTheBackground() {
    QFETCH(QString, form);
    QVERIFY(open(designNamed(form)));
    moveTo(centreOf(QStringLiteral("Label1")));
    QTRY_COMPARE(colours(), kHover);
    moveTo(kBackground);
    QTRY_COMPARE(colours(), kRest);
    QCOMPARE(score()->foreColor(), kWhite);
  }

  void hoverStaysUntilTheBackground_data() {
    QTest::addColumn<QString>("next");
    dataRow("question text", "question(0)");
    dataRow("answer list", "Combo1(0)");
    dataRow("caption bar", "title");
    dataRow("X", "cmdX");
    dataRow("?", "about");
  }
  void hoverStaysUntilTheBackground() {
    QFETCH(QString, next);
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    moveTo(centreOf(QStringLiteral("Label1")));
    QTRY_COMPARE(colours(), kHover);
    moveTo(centreOf(next));
    QTRY_COMPARE(window()->childAt(centreOf(next))->underMouse(), true);
    QCOMPARE(colours(), kHover);
    moveTo(kBackground);
    QTRY_COMPARE(colours(), kRest);
  }

  void pressColours_data() {
    QTest::addColumn<int>("button");
    dataRow("left", int(Qt::LeftButton));
    dataRow("right", int(Qt::RightButton));
    dataRow("middle", int(Qt::MiddleButton));
  }
  void pressColours() {
    QFETCH(int, button);
    QVERIFY(open(quiravel::windows::depressionDesign()));
    const QPoint onScore = centreOf(QStringLiteral("Label1"));
    moveTo(onScore);
    QTRY_COMPARE(colours(), kHover);
    QTest::mousePress(window()->windowHandle(), Qt::MouseButton(button), {}, onScore);
    // Pale blue; the outline keeps the white of the hover.
    QCOMPARE(colours(), (QList<uint>{kPaleBlue, kWhite}));
    QTest::mouseRelease(window()->windowHandle(), Qt::MouseButton(button), {}, onScore);
    // Scoring changes no colour: the pressed colour stays until the pointer moves on.
    QCOMPARE(colours(), (QList<uint>{kPaleBlue, kWhite}));
    QTest::keyClick(window()->windowHandle(), Qt::Key_Return);
    QCOMPARE(colours(), (QList<uint>{kPaleBlue, kWhite}));
    // Nor does the caption bar; only the background brings the resting colours back.
    moveTo(centreOf(QStringLiteral("title")));
    QTRY_VERIFY(control(QStringLiteral("title"))->underMouse());
    QCOMPARE(colours(), (QList<uint>{kPaleBlue, kWhite}));
    moveTo(kBackground);
    QTRY_COMPARE(colours(), kRest);
  }

  void pressSetsOnlyTheLabelColour() {
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    QTest::mousePress(score(), Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(colours(), (QList<uint>{kPaleBlue, kLightBlue}));
    QTest::mouseRelease(score(), Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(score()->foreColor(), kWhite);
  }

  void dragByCaptionOrBackgroundWithTheLeftButtonAlone_data() {
    addDragRows(
        {{"score label", "Label1"}, {"question", "question(2)"}, {"X", "cmdX"}, {"?", "about"}});
  }
  void dragByCaptionOrBackgroundWithTheLeftButtonAlone() {
    QFETCH(QString, control);
    QFETCH(int, buttons);
    QFETCH(int, drags);
    QVERIFY(open(quiravel::windows::depressionDesign()));
    Seams seams(Seams::kDrag);
    QList<uint> coloursDuringDrag;
    seams.onDrag = [&](QWidget*) { coloursDuringDrag = colours(); };
    const QList<QWidget*>& dragged = seams.drags;
    score()->setBackColor(kLightBlue);  // highlighted before the move
    QWidget* target = control.isEmpty() ? window() : this->control(control);
    QVERIFY(target);
    sendMove(target, control.isEmpty() ? kBackground : QPoint(2, 2), Qt::MouseButtons(buttons));
    QCOMPARE(dragged.size(), drags);
    if (drags)
      QCOMPARE(dragged.first(), static_cast<QWidget*>(window()));
    if (control.isEmpty()) {
      // The background resets the colours, after the drag has ended.
      if (drags)
        QCOMPARE(coloursDuringDrag.first(), kLightBlue);
      QCOMPARE(colours(), kRest);
    } else if (control == QLatin1String("title")) {
      QCOMPARE(score()->backColor(), kLightBlue);  // the caption bar changes no colour
    }
  }
};

QTEST_MAIN(TestQuestionnairePointer)
#include "tst_questionnaire_pointer.moc"
