// Scoring a questionnaire as the user does it: a click on "Score Your Test" or the Enter key,
// what the window reports to its owner and in which order, the worked examples end to end, and
// the "X" and "?" labels, by the pointer and by keys.
#include "engine/screening.h"
#include "tests/support/keys.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "tests/support/session.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/window_instance.h"
#include "ui/windows/questionnaire_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

// Counts the Enter presses that reach a control.
class EnterCounter : public QObject {
 public:
  int presses = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter)
        ++presses;
    }
    return false;
  }
};

}  // namespace

class TestQuestionnaireScoring : public QObject {
  Q_OBJECT

  std::unique_ptr<Questionnaire> instance_;
  QStringList events_;  // what the window reported, in order
  QList<ScreeningResult> results_;

  QuestionnaireWindow* open(const QString& form) {
    QuestionnaireWindow* window =
        openQuestionnaire(instance_, designNamed(form), [this](QuestionnaireWindow* w) {
          connect(w, &QuestionnaireWindow::loaded, this, [this] { events_.append("loaded"); });
          connect(w, &QuestionnaireWindow::scorePressed, this,
                  [this] { events_.append("scorePressed"); });
          connect(w, &QuestionnaireWindow::scored, this, [this](const ScreeningResult& result) {
            events_.append("scored");
            results_.append(result);
          });
          connect(w, &QuestionnaireWindow::closeRequested, this,
                  [this] { events_.append("closeRequested"); });
        });
    events_.clear();
    return window;
  }
  QuestionnaireWindow* window() const { return instance_->loadedWindow(); }
  Label* label(const char* name) const { return quiravel::test::label(window(), name); }
  DropDownList* combo(int index) const { return quiravel::test::combo(window(), index); }
  int itemCount() const { return quiravel::test::itemCount(window()); }
  QList<int> answers() const {
    QList<int> indexes;
    for (int i = 0; i < itemCount(); ++i)
      indexes.append(combo(i)->currentIndex());
    return indexes;
  }
  bool waitForFocusOnFirstList() const {
    return QTest::qWaitFor(
        [this] { return QApplication::focusWidget() == static_cast<QWidget*>(combo(0)); });
  }

 private Q_SLOTS:
  void cleanup() {
    instance_.reset();
    events_.clear();
    results_.clear();
  }

  void enterScores_data() {
    addColumns<QString, int, int>({"form", "key", "modifiers"});
    const QList<std::pair<const char*, Qt::KeyboardModifiers>> modifiers = {
        {"alone", Qt::NoModifier},
        {"Shift", Qt::ShiftModifier},
        {"Ctrl", Qt::ControlModifier},
        {"Alt", Qt::AltModifier}};
    for (const char* form : {"Form1", "Form11"}) {
      for (const auto& [name, mods] : modifiers) {
        QTest::addRow("%s Return %s", form, name) << form << int(Qt::Key_Return) << int(mods);
        QTest::addRow("%s keypad Enter %s", form, name)
            << form << int(Qt::Key_Enter) << int(mods | Qt::KeypadModifier);
      }
    }
  }
  void enterScores() {
    QFETCH(QString, form);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QVERIFY(open(form));
    QVERIFY(waitForFocusOnFirstList());
    EnterCounter counter;
    combo(0)->installEventFilter(&counter);

    QTest::keyClick(window()->windowHandle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    // Scored once, without pressing "Score Your Test", and the list still got its key.
    QCOMPARE(events_, QStringList{"scored"});
    QCOMPARE(counter.presses, 1);
    QCOMPARE(results_.first().total, 0.0F);
    QCOMPARE(results_.first().scoreLine, formatScoreLine(0));
    combo(0)->removeEventFilter(&counter);
  }

  void everyEnterScoresOnce() {
    QVERIFY(open("Form1"));
    QVERIFY(waitForFocusOnFirstList());
    for (int press = 1; press <= 3; ++press) {
      QTest::keyClick(window()->windowHandle(), Qt::Key_Return);
      QCOMPARE(results_.size(), press);
    }
  }

  void otherKeysDoNotScore_data() {
    QTest::addColumn<int>("key");
    dataRow("letter", int(Qt::Key_A));
    dataRow("space", int(Qt::Key_Space));
    dataRow("escape", int(Qt::Key_Escape));
    dataRow("down", int(Qt::Key_Down));
    dataRow("F1", int(Qt::Key_F1));
    dataRow("tab", int(Qt::Key_Tab));
  }
  void otherKeysDoNotScore() {
    QFETCH(int, key);
    QVERIFY(open("Form11"));
    QVERIFY(waitForFocusOnFirstList());
    QTest::keyClick(window()->windowHandle(), Qt::Key(key));
    QCoreApplication::processEvents();
    QCOMPARE(events_, QStringList());
  }

  // From the first answer list, Shift+Tab goes back to "X", then "?", then "Score Your Test".
  void keysOnTheActions_data() {
    addColumns<QString, QList<int>, QStringList, int>({"form", "keys", "events", "about"});
    const QList<int> toScore{Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab};
    const QList<int> toAbout{Qt::Key_Backtab, Qt::Key_Backtab};
    const QList<int> toClose{Qt::Key_Backtab};
    for (const char* form : {"Form1", "Form11"}) {
      QTest::addRow("%s Space on Score Your Test", form)
          << form << (toScore + QList<int>{Qt::Key_Space}) << QStringList{"scorePressed", "scored"}
          << 0;
      QTest::addRow("%s Enter on Score Your Test", form)
          << form << (toScore + QList<int>{Qt::Key_Return}) << QStringList{"scored", "scorePressed"}
          << 0;
      QTest::addRow("%s Space on ?", form)
          << form << (toAbout + QList<int>{Qt::Key_Space}) << QStringList{} << 1;
      QTest::addRow("%s Enter on ?", form)
          << form << (toAbout + QList<int>{Qt::Key_Return}) << QStringList{"scored"} << 0;
      QTest::addRow("%s Space on X", form)
          << form << (toClose + QList<int>{Qt::Key_Space}) << QStringList{"closeRequested"} << 0;
      QTest::addRow("%s Enter on X", form)
          << form << (toClose + QList<int>{Qt::Key_Enter}) << QStringList{"scored"} << 0;
    }
  }
  void keysOnTheActions() {
    QFETCH(QString, form);
    QFETCH(QList<int>, keys);
    QFETCH(QStringList, events);
    QFETCH(int, about);
    const Seams seams(Seams::kAbout);
    QVERIFY(open(form));
    QVERIFY(waitForFocusOnFirstList());
    typeKeys(window(), keys);
    QCOMPARE(events_, events);
    QCOMPARE(seams.aboutTexts.size(), about);
  }

  void pressShowsThenReleaseScores() {
    QVERIFY(open("Form1"));
    Label* score = label("Label1");
    QTest::mousePress(score, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(events_, QStringList{"scorePressed"});
    QTest::mouseRelease(score, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(events_, (QStringList{"scorePressed", "scored"}));
  }

  void pressReleasedElsewhereScoresNothing() {
    QVERIFY(open("Form1"));
    Label* score = label("Label1");
    QTest::mousePress(score, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(score, Qt::LeftButton, {}, QPoint(10, -40));
    QCOMPARE(events_, QStringList{"scorePressed"});
  }

  void otherButtonsShowButDoNotScore_data() {
    QTest::addColumn<int>("button");
    dataRow("right", int(Qt::RightButton));
    dataRow("middle", int(Qt::MiddleButton));
  }
  void otherButtonsShowButDoNotScore() {
    QFETCH(int, button);
    QVERIFY(open("Form11"));
    QTest::mouseClick(label("Label1"), Qt::MouseButton(button), {}, QPoint(10, 10));
    QCOMPARE(events_, QStringList{"scorePressed"});
  }

  void scoringLeavesAnswersAndGivesTheSameResultTwice() {
    QVERIFY(open("Form1"));
    QVERIFY(waitForFocusOnFirstList());
    combo(0)->setCurrentIndex(1);
    combo(2)->setCurrentIndex(1);
    combo(5)->setCurrentIndex(0);
    const QList<int> before = answers();
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    QTest::keyClick(window()->windowHandle(), Qt::Key_Return);
    QCOMPARE(results_.size(), 2);
    QCOMPARE(results_[0].total, 2.0F);
    QCOMPARE(results_[1].total, results_[0].total);
    QCOMPARE(results_[1].scoreLine, results_[0].scoreLine);
    QCOMPARE(results_[1].caption, results_[0].caption);
    QCOMPARE(results_[1].advice, results_[0].advice);
    QCOMPARE(answers(), before);
    // One answer changed from Yes to No lowers the total by one.
    combo(2)->setCurrentIndex(0);
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    QCOMPARE(results_.last().total, 1.0F);
  }

  void untouchedListsScoreNothing_data() { addQuestionnaireRows(); }
  void untouchedListsScoreNothing() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    QCOMPARE(results_.size(), 1);
    QCOMPARE(results_[0].scoreLine, formatScoreLine(0));
    QCOMPARE(results_[0].caption, window()->test().bands.front().caption);
    QCOMPARE(results_[0].advice, window()->test().bands.front().advice);
  }

  void workedExamples_data() {
    addColumns<QString, QList<int>, QList<int>, bool, int>(
        {"form",
         "yes",  // item numbers chosen "Yes"
         "no",   // item numbers chosen "No"; the rest untouched
         "byEnter", "band"});
    for (bool byEnter : {false, true}) {
      const char* how = byEnter ? "Enter" : "click";
      QTest::addRow("depression 1, 2, 8 (%s)", how)
          << "Form1" << QList<int>{1, 2, 8} << QList<int>{} << byEnter << 1;
      QTest::addRow("anxiety 1-5 (%s)", how)
          << "Form11" << QList<int>{1, 2, 3, 4, 5} << QList<int>{6, 7, 8, 9, 10} << byEnter << 2;
      QTest::addRow("depression 1-9 (%s)", how)
          << "Form1" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9} << QList<int>{10, 11, 12, 13, 14, 15}
          << byEnter << 2;
      QTest::addRow("depression 1-10 (%s)", how)
          << "Form1" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QList<int>{11, 12, 13, 14, 15}
          << byEnter << 3;
      QTest::addRow("depression all (%s)", how)
          << "Form1" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}
          << QList<int>{} << byEnter << 3;
      QTest::addRow("anxiety item 10 only (%s)", how)
          << "Form11" << QList<int>{10} << QList<int>{} << byEnter << 1;
    }
  }
  // The engine's tests hold these examples' texts; here the window must score as the engine.
  void workedExamples() {
    QFETCH(QString, form);
    QFETCH(QList<int>, yes);
    QFETCH(QList<int>, no);
    QFETCH(bool, byEnter);
    QFETCH(int, band);
    QVERIFY(open(form));
    chooseAnswers(window(), yes, no);
    if (byEnter) {
      QVERIFY(waitForFocusOnFirstList());
      QTest::keyClick(window()->windowHandle(), Qt::Key_Enter, Qt::KeypadModifier);
    } else {
      QTest::mouseClick(label("Label1"), Qt::LeftButton);
    }
    const auto& expected = window()->test().bands.at(static_cast<std::size_t>(band));
    QCOMPARE(results_.size(), 1);
    QCOMPARE(results_[0].scoreLine,
             quiravel::engine::formatScoreLine(static_cast<float>(yes.size())));
    QCOMPARE(results_[0].caption, expected.caption);
    QCOMPARE(results_[0].advice, expected.advice);
  }

  void closeLabelAsksToClose() {
    QVERIFY(open("Form11"));
    QTest::mouseClick(label("cmdX"), Qt::LeftButton);
    QCOMPARE(events_, QStringList{"closeRequested"});
    // The window does not close itself: its owner decides.
    QVERIFY(instance_->isLoaded());
  }

  void reopenedAfterClosingStartsAfresh() {
    QVERIFY(open("Form1"));
    combo(0)->setCurrentIndex(1);
    connect(window(), &QuestionnaireWindow::closeRequested, this, [this] { instance_->unload(); });
    QTest::mouseClick(label("cmdX"), Qt::LeftButton);
    QVERIFY(!instance_->isLoaded());
    instance_->show();
    QVERIFY(instance_->loadedWindow());
    QCOMPARE(events_, (QStringList{"closeRequested", "loaded"}));
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    QCOMPARE(answers(), QList<int>(itemCount(), -1));
    QVERIFY(waitForFocusOnFirstList());
  }

  void aboutShowsTheTestsText_data() { addQuestionnaireRows(); }
  void aboutShowsTheTestsText() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    const Seams seams(Seams::kAbout);
    QTest::mouseClick(label("about"), Qt::LeftButton);
    QCOMPARE(seams.aboutTexts.size(), 1);
    QCOMPARE(seams.aboutParents[0], static_cast<QWidget*>(window()));
    QCOMPARE(seams.aboutTexts[0], QString::fromStdString(window()->test().aboutText));
    QCOMPARE(events_, QStringList());
  }
};

QTEST_MAIN(TestQuestionnaireScoring)
#include "tst_questionnaire_scoring.moc"
