// The whole program from start to end, walked as a user would: which window shows, hides or
// closes which, and when the program ends.
#include "app/app_shell.h"
#include "engine/screening.h"
#include "tests/support/corner.h"
#include "tests/support/seams.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/layout.h"
#include "ui/frame/units.h"
#include "ui/windows/corner_motion.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quiravel::app;
using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using quiravel::windows::CornerMotion;

namespace {

// Where the program's own motion parks a corner window on the offscreen platform's 800 x 800
// screen (12000 twips).
int parkedTop(const FormWindow* window) {
  return CornerMotion::parkedTop(800 * 15, window->heightTwips());
}

QString scoreLine(int total) {
  return QString::fromStdString(formatScoreLine(static_cast<float>(total)));
}
QString caption(const ScreeningTest& test, int total) {
  return QString::fromStdString(selectBand(test, static_cast<float>(total)).caption);
}

Label* label(FormWindow* window, const char* name) {
  return window->findChild<Label*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

void click(FormWindow* window, const char* name) {
  Label* target = label(window, name);
  QVERIFY2(target, name);
  QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
}

DropDownList* answerList(FormWindow* window, int index) {
  return window->findChild<DropDownList*>(quiravel::frame::indexedName("Combo1", index));
}

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

  // Waits until the corner window has parked.
  static bool parks(FormWindow* corner) {
    return QTest::qWaitFor([corner] { return isParked(corner); }, 10000);
  }

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
    click(menu(), "Label1");
    FormWindow* first = shell_->form1().loadedWindow();
    QVERIFY(first && first->isVisible());
    QVERIFY(shell_->welcome().isVisible());
    QVERIFY(parks(shell_->welcome().loadedWindow()));
    click(menu(), "Label1");
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
      click(menu(), "Label1");
      click(menu(), "Label1");
      click(menu(), "Label2");
    }
    QCOMPARE(read, (QStringList{QStringLiteral("Welcome"), QStringLiteral("Welcome")}));
  }

  void bothEntriesOpenBothQuestionnaires() {
    click(menu(), "Label1");
    click(menu(), "Label2");
    QVERIFY(shell_->form1().isVisible());
    QVERIFY(shell_->form11().isVisible());
    QCOMPARE(shell_->form11()->objectName(), QStringLiteral("Form11"));
  }

  void closedDisclaimerSlidesAgainForTheOtherTest() {
    click(menu(), "Label1");
    FormWindow* welcome = shell_->welcome().loadedWindow();
    QVERIFY(parks(welcome));
    click(welcome, "cmdX");
    QVERIFY(!shell_->welcome().isLoaded());
    click(menu(), "Label2");
    welcome = shell_->welcome().loadedWindow();
    QVERIFY(welcome && welcome->isVisible());
    QVERIFY(!isParked(welcome));
    QVERIFY(welcome->topTwips() > parkedTop(welcome));
    QVERIFY(parks(welcome));
    QCOMPARE(welcome->topTwips(), parkedTop(welcome));
  }

  void scoreCloseReopenGivesFreshAnswersAndAParkedDisclaimer() {
    click(menu(), "Label1");
    FormWindow* form1 = shell_->form1().loadedWindow();
    answerList(form1, 0)->setCurrentIndex(1);
    answerList(form1, 1)->setCurrentIndex(1);
    // Press shows the result window, the release scores.
    click(form1, "Label1");
    QVERIFY(!shell_->welcome().isVisible());
    QVERIFY(shell_->welcome().isLoaded());
    QVERIFY(shell_->form2().isVisible());
    QCOMPARE(label(shell_->form2().loadedWindow(), "Label1")->caption(), scoreLine(2));
    QCOMPARE(label(shell_->form2().loadedWindow(), "Label2")->caption(),
             caption(depressionTest(), 2));
    QVERIFY(parks(shell_->welcome().loadedWindow()));

    click(form1, "cmdX");
    QVERIFY(!shell_->form1().isLoaded());
    QVERIFY(!shell_->form2().isLoaded());
    QCOMPARE(loadedWindows(*shell_),
             (QStringList{QStringLiteral("Form0"), QStringLiteral("Welcome (hidden)")}));

    click(menu(), "Label1");
    form1 = shell_->form1().loadedWindow();
    for (int i = 0; i < 15; ++i) {
      QCOMPARE(answerList(form1, i)->currentIndex(), -1);
      QCOMPARE(answerList(form1, i)->currentText(), QStringLiteral("No"));
    }
    // Shown at once in its corner, without a new slide.
    FormWindow* welcome = shell_->welcome().loadedWindow();
    QVERIFY(welcome->isVisible());
    QVERIFY(isParked(welcome));
    QCOMPARE(welcome->topTwips(), parkedTop(welcome));
  }

  void enterScoresWithoutShowingTheResult() {
    click(menu(), "Label2");
    FormWindow* form11 = shell_->form11().loadedWindow();
    for (int i = 0; i < 5; ++i)
      answerList(form11, i)->setCurrentIndex(1);
    QTest::keyClick(form11->windowHandle(), Qt::Key_Return);
    QVERIFY(shell_->form2().isLoaded());
    QVERIFY(!shell_->form2().isVisible());
    QVERIFY(!shell_->welcome().isVisible());
    FormWindow* result = shell_->form2().loadedWindow();
    QCOMPARE(label(result, "Label2")->caption(), caption(anxietyTest(), 5));
    QCOMPARE(label(result, "Label3")->caption().toStdString(), anxietyTest().bands.back().advice);
    QCOMPARE(label(result, "Label1")->caption(), scoreLine(5));
    // It slides unseen and shows parked, with that result, at the next press.
    QVERIFY(parks(result));
    QTest::mousePress(label(form11, "Label1"), Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(result->isVisible());
    QCOMPARE(result->topTwips(), parkedTop(result));
    QCOMPARE(label(result, "Label1")->caption(), scoreLine(5));
    QTest::mouseRelease(label(form11, "Label1"), Qt::LeftButton, {}, QPoint(2, 2));
  }

  void closingEitherQuestionnaireClosesTheSharedResult() {
    click(menu(), "Label1");
    click(menu(), "Label2");
    FormWindow* form1 = shell_->form1().loadedWindow();
    FormWindow* form11 = shell_->form11().loadedWindow();
    click(form1, "Label1");
    QVERIFY(shell_->form2().isVisible());
    click(form11, "cmdX");
    QVERIFY(!shell_->form11().isLoaded());
    QVERIFY(!shell_->form2().isLoaded());
    QVERIFY(shell_->form1().isVisible());
  }

  void closingAQuestionnaireBeforeScoringLeavesTheDisclaimer() {
    click(menu(), "Label1");
    click(shell_->form1().loadedWindow(), "cmdX");
    QCOMPARE(loadedWindows(*shell_),
             (QStringList{QStringLiteral("Form0"), QStringLiteral("Welcome")}));
  }

  void resultWindowClosesAlone() {
    click(menu(), "Label1");
    click(shell_->form1().loadedWindow(), "Label1");
    click(shell_->form2().loadedWindow(), "cmdX");
    QVERIFY(!shell_->form2().isLoaded());
    QVERIFY(shell_->form1().isVisible());
    // Pressing the score label again slides it in afresh with the new texts.
    click(shell_->form1().loadedWindow(), "Label1");
    QVERIFY(shell_->form2().isVisible());
    QVERIFY(!isParked(shell_->form2().loadedWindow()));
    QCOMPARE(label(shell_->form2().loadedWindow(), "Label1")->caption(), scoreLine(0));
  }

  void windowSystemCloseUnloadsOtherWindowsAlone() {
    click(menu(), "Label1");
    click(shell_->form1().loadedWindow(), "Label1");
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
    click(menu(), "Label1");
    click(menu(), "Label2");
    click(shell_->form1().loadedWindow(), "Label1");
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    click(menu(), "cmdX");
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
    click(menu(), "Label1");
    click(shell_->form1().loadedWindow(), "Label1");  // the disclaimer is now hidden
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    menu()->close();
    QCOMPARE(ended.count(), 1);
    QVERIFY(!shell_->welcome().isVisible());
    QVERIFY(!shell_->form1().isVisible());
  }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
