// Both corner windows on screens of other sizes than the usual one: a 1920x1080 screen, where
// they park in the bottom right-hand corner as the twips give their places, and a screen less
// tall than the result window, where the result window parks partly above the top edge and the
// disclaimer window in the corner as ever; and a 1920x1080 screen of 120 and 144 dpi (12 and 10
// twips a pixel), where their places follow from the same twips.
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
    dataRow("big", kBig, 28800, 16200);
    dataRow("short", kShort, 12000, 5400);
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
    addColumns<QSize, int, QString, int, int>({
        "size", "dpi", "name",
        "leftPx",      // (screen width - window width - 100 twips) / twips a pixel, rounded
        "parkedTopPx"  // (screen height - 6750 or 3300 twips) / twips a pixel, rounded
    });
    dataRow("big, result window", kBig, 96, "Form2", 1720, 630);
    dataRow("big, disclaimer window", kBig, 96, "Welcome", 1720, 860);
    // 5400 - 6750 twips: 90 pixels above the screen's top edge.
    dataRow("short, result window", kShort, 96, "Form2", 600, -90);
    dataRow("short, disclaimer window", kShort, 96, "Welcome", 600, 140);
    // 23040 x 12960 twips. The window's Width reads back from its pixels: 241 (2892 twips) at
    // 120 dpi, 290 (2900) at 144; the disclaimer window's Height 249 (2988) at 120 dpi.
    dataRow("120 dpi, result window", kBig, 120, "Form2", 1671, 518);
    dataRow("120 dpi, disclaimer window", kBig, 120, "Welcome", 1671, 805);
    dataRow("144 dpi, result window", kBig, 144, "Form2", 1620, 405);
    dataRow("144 dpi, disclaimer window", kBig, 144, "Welcome", 1620, 750);
  }
  void parksInTheCorner() {
    QFETCH(QSize, size);
    QFETCH(int, dpi);
    QFETCH(QString, name);
    QFETCH(int, leftPx);
    QFETCH(int, parkedTopPx);
    QVERIFY(setOffscreenScreen(size, dpi));

    auto slot = makeCornerHolder(name);
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
