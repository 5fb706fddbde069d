// The questionnaires as a screen reader finds them: the window named after its test, every
// answer list labelled by its question, and "Score Your Test", "X" and "?" as push buttons
// whose press actions do what a click does.
#include "engine/screening.h"
#include "tests/support/accessible.h"
#include "tests/support/palette.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "tests/support/session.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/windows/questionnaire_window.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

template <class Control>
Control* control(QuestionnaireWindow& window, const QString& name) {
  Control* found = window.findChild<Control*>(name, Qt::FindDirectChildrenOnly);
  Q_ASSERT(found);
  return found;
}

}  // namespace

class TestQuestionnaireAccessibility : public QObject {
  Q_OBJECT

  std::optional<Seams> seams_;

 private Q_SLOTS:
  void init() { seams_.emplace(Seams::kAbout); }
  void cleanup() { seams_.reset(); }

  void windowIsNamedAfterItsTest_data() { addQuestionnaireRows(); }
  void windowIsNamedAfterItsTest() {
    QFETCH(QString, form);
    QuestionnaireWindow window(designNamed(form));
    QAccessibleInterface* iface = accessible(&window);
    QCOMPARE(iface->role(), QAccessible::Window);
    QCOMPARE(iface->text(QAccessible::Name), QString::fromStdString(window.test().displayTitle));
  }

  void everyAnswerListIsLabelledByItsQuestion_data() { addQuestionnaireRows(); }
  void everyAnswerListIsLabelledByItsQuestion() {
    QFETCH(QString, form);
    QuestionnaireWindow window(designNamed(form));
    for (const auto& item : window.test().items) {
      const QString index = QString::number(item.answerIndex);
      DropDownList* list = combo(&window, item.answerIndex);
      QVERIFY(list);
      auto* question = control<Label>(window, QStringLiteral("question(%1)").arg(index));
      QAccessibleInterface* listIface = accessible(list);
      QAccessibleInterface* questionIface = accessible(question);

      QCOMPARE(questionIface->role(), QAccessible::StaticText);
      QCOMPARE(questionIface->text(QAccessible::Name), QString::fromStdString(item.text));
      QCOMPARE(listIface->role(), QAccessible::ComboBox);
      QCOMPARE(related(listIface, QAccessible::Label), QList{questionIface});
      QCOMPARE(related(questionIface, QAccessible::Labelled), QList{listIface});
    }
  }

  void actionLabels_data() {
    addColumns<QString, QString, QString>({"form", "name", "text"});
    for (const char* form : {"Form1", "Form11"}) {
      QTest::addRow("%s Label1", form) << form << "Label1"
                                       << "Score Your Test";
      QTest::addRow("%s cmdX", form) << form << "cmdX"
                                     << "X";
      QTest::addRow("%s about", form) << form << "about"
                                      << "?";
    }
  }
  void actionLabels() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, text);
    QuestionnaireWindow window(designNamed(form));
    QAccessibleInterface* iface = accessible(control<Label>(window, name));
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), text);
    QCOMPARE(iface->actionInterface()->actionNames(),
             QStringList{QAccessibleActionInterface::pressAction()});
    // The caption bar is only text.
    QCOMPARE(accessible(control<Label>(window, QStringLiteral("title")))->role(),
             QAccessible::StaticText);
  }

  void scorePressScores_data() { addQuestionnaireRows(); }
  void scorePressScores() {
    QFETCH(QString, form);
    QuestionnaireWindow window(designNamed(form));
    window.show();
    QStringList events;
    QList<ScreeningResult> results;
    connect(&window, &QuestionnaireWindow::scorePressed, this,
            [&events] { events.append(QStringLiteral("scorePressed")); });
    connect(&window, &QuestionnaireWindow::scored, this, [&](const ScreeningResult& result) {
      events.append(QStringLiteral("scored"));
      results.append(result);
    });
    chooseAnswers(&window, {1, 2, 8});

    Label* score = control<Label>(window, QStringLiteral("Label1"));
    pressAction(score);
    QTRY_COMPARE(events, (QStringList{QStringLiteral("scorePressed"), QStringLiteral("scored")}));
    QCOMPARE(results.first().scoreLine, formatScoreLine(3));
    QCOMPARE(results.first().total, 3.0F);
    // As after a mouse press, the label shows its pressed colour.
    QCOMPARE(score->backColor(), kPaleBlue);
  }

  void closeAndAbout_data() {
    addColumns<QString, QString>({"form", "name"});
    for (const char* form : {"Form1", "Form11"}) {
      QTest::addRow("%s cmdX", form) << form << "cmdX";
      QTest::addRow("%s about", form) << form << "about";
    }
  }
  void closeAndAbout() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QuestionnaireWindow window(designNamed(form));
    window.show();
    QSignalSpy close(&window, &QuestionnaireWindow::closeRequested);
    QSignalSpy scored(&window, &QuestionnaireWindow::scored);
    pressAction(control<Label>(window, name));
    QTRY_COMPARE(close.count() + int(seams_->aboutTexts.size()), 1);
    const bool isClose = name == QLatin1String("cmdX");
    QCOMPARE(close.count(), isClose ? 1 : 0);
    QCOMPARE(
        seams_->aboutTexts,
        isClose ? QStringList() : QStringList{QString::fromStdString(window.test().aboutText)});
    QCOMPARE(scored.count(), 0);
  }
};

QTEST_MAIN(TestQuestionnaireAccessibility)
#include "tst_questionnaire_accessibility.moc"
