// The whole program from start to end, walked as a user would: which window shows, hides or
// closes which, and when the program ends.
#include "app/app_shell.h"
#include "engine/screening.h"
#include "tests/support/corner.h"
#include "tests/support/questionnaire.h"
#include "tests/support/seams.h"
#include "tests/support/session.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quiravel::app;
using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

QStringList loadedWindows(AppShell& shell) {
  QStringList names;
  for (WindowHolder* slot : shell.windowHolders()) {
    if (slot->isLoaded()) {
      names.append(slot->window()->objectName() +
                   (slot->isVisible() ? QString() : QStringLiteral(" (hidden)")));
    }
  }
  return names;
}

}  // namespace

class TestNavigation : public QObject {
  Q_OBJECT

  std::unique_ptr<AppShell> shell_;

  FormWindow* menu() { return shell_->form0().loadedWindow(); }

 private Q_SLOTS:
  void init() {
    shell_ = std::make_unique<AppShell>();
    shell_->start();
  }
  void cleanup() { shell_.reset(); }

  void onlyTheMenuAtStart() {
    QCOMPARE(loadedWindows(*shell_), QStringList{QStringLiteral("Form0")});
  }

  void entryClickedTwiceGivesOneWindowAndOneDisclaimer() {
    QSignalSpy questionnaires(&shell_->form1(), &WindowHolder::created);
    QSignalSpy disclaimers(&shell_->welcome(), &WindowHolder::created);
    clickLabel(menu(), "Label1");
    FormWindow* first = shell_->form1().loadedWindow();
    QVERIFY(first && first->isVisible());
    QVERIFY(shell_->welcome().isVisible());
    QVERIFY(waitUntilParked({shell_->welcome().loadedWindow()}));
    clickLabel(menu(), "Label1");
    QCOMPARE(shell_->form1().loadedWindow(), first);
    QCOMPARE(questionnaires.count(), 1);
    QCOMPARE(disclaimers.count(), 1);
    // The disclaimer was not shown again: it stays parked.
    QCOMPARE(shell_->welcome()->topTwips(), parkedTop(shell_->welcome().loadedWindow()));
    QCOMPARE(loadedWindows(*shell_), (QStringList{QStringLiteral("Form0"), QStringLiteral("Form1"),
                                                  QStringLiteral("Welcome")}));
  }

  // Each questionnaire that opens has the disclaimer read out, on screen already or not.
  void everyQuestionnaireOpenedReadsTheDisclaimer() {
    QStringList read;
    {
      Seams seams(Seams::kAnnounce);
      seams.onAnnounce = [&read](FormWindow* window) { read.append(window->objectName()); };
      clickLabel(menu(), "Label1");
      clickLabel(menu(), "Label1");
      clickLabel(menu(), "Label2");
    }
    QCOMPARE(read, (QStringList{QStringLiteral("Welcome"), QStringLiteral("Welcome")}));
  }

  void bothEntriesOpenBothQuestionnaires() {
    clickLabel(menu(), "Label1");
    clickLabel(menu(), "Label2");
    QVERIFY(shell_->form1().isVisible());
    QVERIFY(shell_->form11().isVisible());
    QCOMPARE(shell_->form11()->objectName(), QStringLiteral("Form11"));
  }

  void closedDisclaimerSlidesAgainForTheOtherTest() {
    clickLabel(menu(), "Label1");
    FormWindow* welcome = shell_->welcome().loadedWindow();
    QVERIFY(waitUntilParked({welcome}));
    clickLabel(welcome, "cmdX");
    QVERIFY(!shell_->welcome().isLoaded());
    clickLabel(menu(), "Label2");
    welcome = shell_->welcome().loadedWindow();
    QVERIFY(welcome && welcome->isVisible());
    QVERIFY(!isParked(welcome));
    QVERIFY(welcome->topTwips() > parkedTop(welcome));
    QVERIFY(waitUntilParked({welcome}));
    QCOMPARE(welcome->topTwips(), parkedTop(welcome));
  }

  void scoreCloseReopenGivesFreshAnswersAndAParkedDisclaimer() {
    clickLabel(menu(), "Label1");
    FormWindow* form1 = shell_->form1().loadedWindow();
    chooseAnswers(form1, {1, 2});
    // Press shows the result window, the release scores.
    clickLabel(form1, "Label1");
    QVERIFY(!shell_->welcome().isVisible());
    QVERIFY(shell_->welcome().isLoaded());
    QVERIFY(shell_->form2().isVisible());
    QCOMPARE(resultTexts(shell_->form2().loadedWindow()),
             resultTexts(resultWithYes(depressionTest(), {1, 2})));
    QVERIFY(waitUntilParked({shell_->welcome().loadedWindow()}));

    clickLabel(form1, "cmdX");
    QVERIFY(!shell_->form1().isLoaded());
    QVERIFY(!shell_->form2().isLoaded());
    QCOMPARE(loadedWindows(*shell_),
             (QStringList{QStringLiteral("Form0"), QStringLiteral("Welcome (hidden)")}));

    clickLabel(menu(), "Label1");
    form1 = shell_->form1().loadedWindow();
    for (int i = 0; i < 15; ++i) {
      QCOMPARE(combo(form1, i)->currentIndex(), -1);
      QCOMPARE(combo(form1, i)->currentText(), QStringLiteral("No"));
    }
    // Shown at once in its corner, without a new slide.
    FormWindow* welcome = shell_->welcome().loadedWindow();
    QVERIFY(welcome->isVisible());
    QVERIFY(isParked(welcome));
    QCOMPARE(welcome->topTwips(), parkedTop(welcome));
  }

  void enterScoresWithoutShowingTheResult() {
    clickLabel(menu(), "Label2");
    FormWindow* form11 = shell_->form11().loadedWindow();
    chooseAnswers(form11, {1, 2, 3, 4, 5});
    const QStringList five = resultTexts(resultWithYes(anxietyTest(), {1, 2, 3, 4, 5}));
    QTest::keyClick(form11->windowHandle(), Qt::Key_Return);
    QVERIFY(shell_->form2().isLoaded());
    QVERIFY(!shell_->form2().isVisible());
    QVERIFY(!shell_->welcome().isVisible());
    FormWindow* result = shell_->form2().loadedWindow();
    QCOMPARE(resultTexts(result), five);
    QCOMPARE(label(result, "Label3")->caption().toStdString(), anxietyTest().bands.back().advice);
    // It slides unseen and shows parked, with that result, at the next press.
    QVERIFY(waitUntilParked({result}));
    QTest::mousePress(label(form11, "Label1"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(result->isVisible());
    QCOMPARE(result->topTwips(), parkedTop(result));
    QCOMPARE(resultTexts(result), five);
    QTest::mouseRelease(label(form11, "Label1"), Qt::LeftButton, {}, QPoint(2, 2));
  }

  void closingEitherQuestionnaireClosesTheSharedResult() {
    clickLabel(menu(), "Label1");
    clickLabel(menu(), "Label2");
    FormWindow* form1 = shell_->form1().loadedWindow();
    FormWindow* form11 = shell_->form11().loadedWindow();
    clickLabel(form1, "Label1");
    QVERIFY(shell_->form2().isVisible());
    clickLabel(form11, "cmdX");
    QVERIFY(!shell_->form11().isLoaded());
    QVERIFY(!shell_->form2().isLoaded());
    QVERIFY(shell_->form1().isVisible());
  }

  void closingAQuestionnaireBeforeScoringLeavesTheDisclaimer() {
    clickLabel(menu(), "Label1");
    clickLabel(shell_->form1().loadedWindow(), "cmdX");
    QCOMPARE(loadedWindows(*shell_),
             (QStringList{QStringLiteral("Form0"), QStringLiteral("Welcome")}));
  }

  void resultWindowClosesAlone() {
    clickLabel(menu(), "Label1");
    clickLabel(shell_->form1().loadedWindow(), "Label1");
    clickLabel(shell_->form2().loadedWindow(), "cmdX");
    QVERIFY(!shell_->form2().isLoaded());
    QVERIFY(shell_->form1().isVisible());
    // Pressing the score label again slides it in afresh with the new texts.
    clickLabel(shell_->form1().loadedWindow(), "Label1");
    QVERIFY(shell_->form2().isVisible());
    QVERIFY(!isParked(shell_->form2().loadedWindow()));
    QCOMPARE(resultTexts(shell_->form2().loadedWindow()),
             resultTexts(resultWithYes(depressionTest(), {})));
  }

  void windowSystemCloseUnloadsOtherWindowsAlone() {
    clickLabel(menu(), "Label1");
    clickLabel(shell_->form1().loadedWindow(), "Label1");
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    shell_->form1().loadedWindow()->close();
    QVERIFY(!shell_->form1().isLoaded());
    QVERIFY(shell_->form2().isLoaded());  // unlike its "X"
    shell_->form2().loadedWindow()->close();
    shell_->welcome().loadedWindow()->close();
    QCOMPARE(loadedWindows(*shell_), QStringList{QStringLiteral("Form0")});
    QCOMPARE(ended.count(), 0);
  }

  void menuXEndsEverythingAtOnce() {
    clickLabel(menu(), "Label1");
    clickLabel(menu(), "Label2");
    clickLabel(shell_->form1().loadedWindow(), "Label1");
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    clickLabel(menu(), "cmdX");
    QCOMPARE(ended.count(), 1);
    QVERIFY(shell_->hasEnded());
    for (WindowHolder* slot : shell_->windowHolders()) {
      QVERIFY(!slot->isVisible());
      if (slot->window()) {
        for (QTimer* timer : slot->window()->findChildren<QTimer*>()) {
          QVERIFY(!timer->isActive());
        }
      }
    }
    // No handler runs any more.
    QTest::mouseClick(label(menu(), "Label1"), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
  }

  void windowSystemCloseOfTheMenuEndsTheProgram() {
    clickLabel(menu(), "Label1");
    clickLabel(shell_->form1().loadedWindow(), "Label1");  // the disclaimer is now hidden
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    menu()->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!shell_->welcome().isVisible());
    QVERIFY(!shell_->form1().isVisible());
  }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
