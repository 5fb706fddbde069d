// The program on a desktop of two monitors: every window is placed on the primary one, counted
// from its top-left corner, wherever it lies on the desktop.
#include "app/app_shell.h"
#include "tests/support/corner.h"
#include "tests/support/rows.h"
#include "tests/support/screens.h"
#include "ui/frame/units.h"
#include "ui/windows/corner_motion.h"

#include <QTest>

using namespace quiravel::app;
using namespace quiravel::frame;
using namespace quiravel::windows;
using quiravel::test::dataRow;

namespace {

// Where a window whose Left and Top on the primary screen are these twips lies on the desktop.
QPoint onDesktop(const QRect& primary, int left, int top) {
  return primary.topLeft() + QPoint(twipsToPixels(left), twipsToPixels(top));
}

QPoint centred(const QRect& primary, const FormWindow* window) {
  return onDesktop(primary, (pixelsToTwips(primary.width()) - window->widthTwips()) / 2,
                   (pixelsToTwips(primary.height()) - window->heightTwips()) / 2);
}

// Right edge 100 twips inside the primary's, parked by the primary's height.
QPoint parkedInCorner(const QRect& primary, const FormWindow* window) {
  const int width = pixelsToTwips(primary.width());
  const int height = pixelsToTwips(primary.height());
  return onDesktop(primary, width - window->widthTwips() - CornerMotion::kRightGap,
                   CornerMotion::parkedTop(height, window->heightTwips()));
}

bool parked(CornerWindow* window) {
  return QTest::qWaitFor([window] { return quiravel::test::isParked(window); },
                         quiravel::test::kParkTimeout);
}

}  // namespace

class TestMonitors : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void everyWindowOnThePrimary_data() {
    quiravel::test::addColumns<QRect, QRect>({"primary", "other"});
    dataRow("primary right of the other", QRect(1920, 0, 2560, 1440), QRect(0, 0, 1920, 1080));
    dataRow("primary left of the other, lower", QRect(0, 360, 1920, 1080),
            QRect(1920, 0, 2560, 1440));
    dataRow("primary below the other", QRect(320, 1440, 1920, 1080), QRect(0, 0, 2560, 1440));
    dataRow("primary above the other", QRect(640, 0, 1920, 1080), QRect(0, 1080, 3200, 1800));
  }
  void everyWindowOnThePrimary() {
    QFETCH(QRect, primary);
    QFETCH(QRect, other);
    QVERIFY(quiravel::test::setOffscreenScreens({primary, other}));
    QCOMPARE(quiravel::frame::screenWidthTwips(), pixelsToTwips(primary.width()));

    AppShell shell;
    shell.start();
    shell.form1().show();
    shell.form11().show();
    shell.form2().show();
    QCOMPARE(shell.form0()->pos(), centred(primary, shell.form0().window()));
    QCOMPARE(shell.form11()->pos(), centred(primary, shell.form11().window()));
    QCOMPARE(shell.form1()->pos(), onDesktop(primary, 5895, 0));
    QCOMPARE(shell.form1()->leftTwips(), 5895);
    const QList<CornerWindow*> corners{shell.form2().loadedWindow(),
                                       shell.welcome().loadedWindow()};
    // Placed with the top on the primary's bottom edge, then parked in its corner.
    for (CornerWindow* corner : corners)
      QCOMPARE(corner->y(), primary.bottom() + 1);
    for (CornerWindow* corner : corners) {
      QVERIFY(parked(corner));
      QCOMPARE(corner->pos(), parkedInCorner(primary, corner));
    }
  }

  // A new primary screen while the disclaimer slides: the window keeps its place sideways and
  // parks by the new primary's height, counted from its top.
  void primaryChangesWhileSliding() {
    const QRect first(1920, 0, 2560, 1440);
    const QRect second(0, 0, 1920, 1080);
    QVERIFY(quiravel::test::setOffscreenScreens({first, second}));
    AppShell shell;
    shell.start();
    shell.welcome().show();
    CornerWindow* welcome = shell.welcome().loadedWindow();
    const int placedX = welcome->x();
    QCOMPARE(placedX, parkedInCorner(first, welcome).x());

    QVERIFY(quiravel::test::setOffscreenScreens({second, first}));
    QVERIFY(!welcome->isParked());
    QVERIFY(parked(welcome));
    QCOMPARE(welcome->pos(), QPoint(placedX, parkedInCorner(second, welcome).y()));
  }
};

QTEST_MAIN(TestMonitors)
#include "tst_monitors.moc"
