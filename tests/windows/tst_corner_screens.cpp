// Both corner windows on screens of other sizes than the usual one: a 1920x1080 screen, where
// they park in the bottom right-hand corner as the twips give their places, and a screen less
// tall than the result window, where the result window parks partly above the top edge and the
// disclaimer window in the corner as ever.
#include "tests/support/corner.h"
#include "tests/support/rows.h"
#include "tests/support/screens.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace quiravel::test;

namespace {

const QSize kBig(1920, 1080);
const QSize kShort(800, 360);

}  // namespace

class TestCornerScreens : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void cleanupTestCase() { QVERIFY(setOffscreenScreen(QSize(800, 800))); }

  void screen_data() {
    addColumns<QSize, int, int>({"size", "widthTwips", "heightTwips"});
    QTest::newRow("big") << kBig << 28800 << 16200;
    QTest::newRow("short") << kShort << 12000 << 5400;
  }
  void screen() {
    QFETCH(QSize, size);
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    QVERIFY(setOffscreenScreen(size));
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(QPoint(0, 0), size));
    QCOMPARE(quiravel::frame::screenWidthTwips(), widthTwips);
    QCOMPARE(quiravel::frame::screenHeightTwips(), heightTwips);
  }

  void parksInTheCorner_data() {
    addColumns<QSize, QString, int, int>({
        "size", "name",
        "leftPx",      // (screen width - 2895 - 100 twips) / 15, rounded
        "parkedTopPx"  // (screen height - 6750 or 3300 twips) / 15
    });
    QTest::newRow("big, result window") << kBig << "Form2" << 1720 << 630;
    QTest::newRow("big, disclaimer window") << kBig << "Welcome" << 1720 << 860;
    // 5400 - 6750 twips: 90 pixels above the screen's top edge.
    QTest::newRow("short, result window") << kShort << "Form2" << 600 << -90;
    QTest::newRow("short, disclaimer window") << kShort << "Welcome" << 600 << 140;
  }
  void parksInTheCorner() {
    QFETCH(QSize, size);
    QFETCH(QString, name);
    QFETCH(int, leftPx);
    QFETCH(int, parkedTopPx);
    QVERIFY(setOffscreenScreen(size));

    auto slot = makeCornerSlot(name);
    slot->show();
    QWidget* window = slot->window();
    QCOMPARE(window->x(), leftPx);
    QCOMPARE(window->y(), size.height());
    QVERIFY(!isParked(window));

    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    QCOMPARE(window->y(), parkedTopPx);
    QCOMPARE(window->x(), leftPx);
    QVERIFY(window->geometry().bottom() < size.height());
    QVERIFY(window->geometry().right() < size.width());
    QVERIFY(window->isVisible());

    // It can be closed and comes back as ever.
    slot->unload();
    slot->show();
    QCOMPARE(slot->window()->y(), size.height());
    QTRY_VERIFY_WITH_TIMEOUT(isParked(slot->window()), kParkTimeout);
    QCOMPARE(slot->window()->y(), parkedTopPx);
    slot->unload();
  }

  void bothAtOnceOnTheShortScreen() {
    QVERIFY(setOffscreenScreen(kShort));
    const auto [result, disclaimer] = showBothCornerWindows();
    QVERIFY(waitUntilParked({result->window(), disclaimer->window()}));
    // Partly above the top edge: its top is off the screen, its lower part on it.
    QVERIFY(result->window()->y() < 0);
    QVERIFY(result->window()->geometry().bottom() > 0);
    QCOMPARE(result->window()->x(), disclaimer->window()->x());
    result->unload();
    disclaimer->unload();
  }
};

QTEST_MAIN(TestCornerScreens)
#include "tst_corner_screens.moc"
