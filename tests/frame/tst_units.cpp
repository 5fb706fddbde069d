// Twips, colours and fonts.
#include "tests/support/rows.h"
#include "tests/support/screens.h"
#include "ui/frame/units.h"

#include <QFontInfo>
#include <QTest>

using namespace quiravel::frame;

class TestUnits : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void twipsToPixels_data() {
    quiravel::test::addColumns<int, int, int>({"dpi", "twips", "pixels"});
    QTest::newRow("zero") << 96 << 0 << 0;
    QTest::newRow("one pixel") << 96 << 15 << 1;
    QTest::newRow("just under half") << 96 << 7 << 0;
    QTest::newRow("just over half") << 96 << 8 << 1;
    QTest::newRow("questionnaire width") << 96 << 9855 << 657;
    QTest::newRow("menu entry left") << 96 << 1267 << 84;
    QTest::newRow("score label left") << 96 << 2587 << 172;
    QTest::newRow("negative") << 96 << -50 << -3;
    QTest::newRow("negative half") << 96 << -8 << -1;
    // A desktop's own dpi with Qt's scaling off: 12 and 10 twips a pixel.
    QTest::newRow("120 dpi: one pixel") << 120 << 12 << 1;
    QTest::newRow("120 dpi: half") << 120 << 6 << 1;
    QTest::newRow("120 dpi: questionnaire width") << 120 << 9855 << 821;
    QTest::newRow("120 dpi: negative half") << 120 << -6 << -1;
    QTest::newRow("144 dpi: questionnaire width") << 144 << 9855 << 986;
  }
  void twipsToPixels() {
    QFETCH(int, dpi);
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QVERIFY(quiravel::test::setOffscreenScreen(QSize(800, 800), dpi));
    QCOMPARE(quiravel::frame::twipsToPixels(twips), pixels);
  }

  void screenSizeInTwips_data() {
    quiravel::test::addColumns<int, int>({"dpi", "twips"});
    QTest::newRow("96 dpi") << 96 << 800 * 15;
    QTest::newRow("120 dpi") << 120 << 800 * 12;
    QTest::newRow("144 dpi") << 144 << 800 * 10;
  }
  void screenSizeInTwips() {
    QFETCH(int, dpi);
    QFETCH(int, twips);
    // An 800 x 800 pixel screen, as the offscreen platform's default one.
    QVERIFY(quiravel::test::setOffscreenScreen(QSize(800, 800), dpi));
    QCOMPARE(screenWidthTwips(), twips);
    QCOMPARE(screenHeightTwips(), twips);
    QCOMPARE(pixelsToTwips(1), twips / 800);
  }

  void cleanup() { QVERIFY(quiravel::test::setOffscreenScreen(QSize(800, 800))); }

  void colours_data() {
    quiravel::test::addColumns<uint, QColor>({"bgr", "colour"});
    QTest::newRow("purple") << 0x00800080u << QColor(0x80, 0x00, 0x80);
    QTest::newRow("light blue") << 0x00FF8080u << QColor(0x80, 0x80, 0xFF);
    QTest::newRow("pale blue") << 0x00FFC0C0u << QColor(0xC0, 0xC0, 0xFF);
    QTest::newRow("dark blue") << 0x00400000u << QColor(0x00, 0x00, 0x40);
    QTest::newRow("orange") << 0x000080FFu << QColor(0xFF, 0x80, 0x00);
    QTest::newRow("white") << 0x00FFFFFFu << QColor(Qt::white);
    QTest::newRow("high byte ignored") << 0xFF000000u << QColor(Qt::black);
  }
  void colours() {
    QFETCH(uint, bgr);
    QFETCH(QColor, colour);
    QCOMPARE(colorFromBgr(bgr), colour);
  }

  void fonts() {
    const QFont arial = makeFont({"Arial", 9.75, 700, 0});
    QCOMPARE(arial.pointSizeF(), 9.75);
    QCOMPARE(arial.weight(), QFont::Bold);
    QVERIFY(!arial.italic() && !arial.underline() && !arial.strikeOut());
    // Arial is served by a metric-compatible face.
    QCOMPARE(QFontInfo(arial).family(), QStringLiteral("Liberation Sans"));
    const QFont tahoma = makeFont({"Tahoma", 8.25, 400, 178});
    QCOMPARE(tahoma.weight(), QFont::Normal);
    QCOMPARE(tahoma.pointSizeF(), 8.25);
  }
};

QTEST_MAIN(TestUnits)
#include "tst_units.moc"
