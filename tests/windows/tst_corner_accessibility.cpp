// The corner windows as a screen reader finds them: named after their caption bars, "X" as a
// push button that closes them, and the result window as a notification that is read out
// whenever a new result is written into it.
#include "engine/screening.h"
#include "tests/support/accessible.h"
#include "tests/support/corner.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "tests/support/session.h"
#include "ui/frame/label.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/result_window.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

// A depression total of 5, as the engine scores it.
const ScreeningResult kResult = resultWithYes(depressionTest(), {1, 2, 3, 4, 5});
const QStringList kResultTexts = resultTexts(kResult);

const QString kDisclaimer = QStringLiteral(
    "Please use the results of this test as a guide and not a diagnosis, only a licensed mental "
    "health practitioner can diagnose depression/Anxiety .  ");

// The texts of the result window's Label1, Label2 and Label3 as a screen reader reads them.
QStringList readTexts(QObject* window) {
  QStringList texts;
  for (const char* name : {"Label1", "Label2", "Label3"}) {
    texts.append(
        accessible(window->findChild<Label*>(QLatin1String(name)))->text(QAccessible::Name));
  }
  return texts;
}

}  // namespace

class TestCornerAccessibility : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void windows_data() {
    addColumns<QString, QString, int>({"form", "name", "role"});
    dataRow("Form2", "Form2", "Result", int(QAccessible::Notification));
    dataRow("Welcome", "Welcome", "Welcome", int(QAccessible::Notification));
  }
  void windows() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(int, role);
    std::unique_ptr<CornerWindow> window = makeCornerWindow(form);
    QAccessibleInterface* iface = accessible(window.get());
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(int(iface->role()), role);
  }

  void closeButton_data() { addCornerRows(); }
  void closeButton() {
    QFETCH(QString, form);
    std::unique_ptr<CornerWindow> window = makeCornerWindow(form);
    window->show();
    QAccessibleInterface* cmdX = accessible(window->findChild<Label*>(QStringLiteral("cmdX")));
    QCOMPARE(cmdX->role(), QAccessible::Button);
    QCOMPARE(cmdX->text(QAccessible::Name), QStringLiteral("X"));
    QCOMPARE(cmdX->text(QAccessible::Description), QStringLiteral("Close"));
    QSignalSpy close(window.get(), &CornerWindow::closeRequested);
    pressAction(window->findChild<Label*>(QStringLiteral("cmdX")));
    QVERIFY(close.wait(10000));
    QCOMPARE(close.count(), 1);
  }

  void resultTextsAreReadable() {
    ResultWindow window;
    QCOMPARE(readTexts(&window),
             (QStringList{QStringLiteral("Your Point= "), QStringLiteral("Result is"),
                          QStringLiteral("Advice")}));
    window.showResult(kResult);
    QCOMPARE(readTexts(&window), kResultTexts);
  }

  void newResultIsAnnounced_data() {
    QTest::addColumn<bool>("visible");
    dataRow("window on screen", true);
    dataRow("window loaded hidden", false);
  }
  void newResultIsAnnounced() {
    QFETCH(bool, visible);
    ResultWindow window;
    window.setVisible(visible);
    // What a screen reader would read out at each announcement.
    QList<QStringList> announced;
    {
      Seams seams(Seams::kAnnounce);
      seams.onAnnounce = [&announced, &window](quiravel::frame::FormWindow* announcedWindow) {
        QCOMPARE(announcedWindow, &window);
        announced.append(readTexts(announcedWindow));
      };
      window.showResult(kResult);
    }
    // Announced once, with all three texts already in place; a hidden window, which nobody
    // sees, says nothing.
    QCOMPARE(announced, visible ? QList<QStringList>{kResultTexts} : QList<QStringList>());
    QCOMPARE(readTexts(&window), kResultTexts);
  }

  // The disclaimer is read out each time it comes into view, at its first show and at a show
  // after a hide; a show while it is on screen already says nothing.
  void disclaimerIsReadWhenItComesIntoView() {
    DisclaimerWindow window;
    QStringList read;
    {
      Seams seams(Seams::kAnnounce);
      seams.onAnnounce = [&read](quiravel::frame::FormWindow* announced) {
        read.append(accessible(announced->findChild<Label*>(QStringLiteral("Label1")))
                        ->text(QAccessible::Name));
      };
      window.show();
      window.show();
      window.hide();
      window.show();
    }
    QCOMPARE(read, (QStringList{kDisclaimer, kDisclaimer}));
  }
};

QTEST_MAIN(TestCornerAccessibility)
#include "tst_corner_accessibility.moc"
