// Twips, colours and fonts.
#include "tests/support/rows.h"
#include "tests/support/screens.h"
#include "ui/frame/units.h"

#include <QFontInfo>
#include <QTest>

using namespace quiravel::frame;
using quiravel::test::dataRow;

class TestUnits : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void twipsToPixels_data() {
    quiravel::test::addColumns<int, int, int>({"dpi", "twips", "pixels"});
    dataRow("zero", 96, 0, 0);
    dataRow("one pixel", 96, 15, 1);
    dataRow("just under half", 96, 7, 0);
    dataRow("just over half", 96, 8, 1);
    dataRow("questionnaire width", 96, 9855, 657);
    dataRow("menu entry left", 96, 1267, 84);
    dataRow("score label left", 96, 2587, 172);
    dataRow("negative", 96, -50, -3);
    dataRow("negative half", 96, -8, -1);
    // A desktop's own dpi with Qt's scaling off: 12 and 10 twips a pixel.
    dataRow("120 dpi: one pixel", 120, 12, 1);
    dataRow("120 dpi: half", 120, 6, 1);
    dataRow("120 dpi: questionnaire width", 120, 9855, 821);
    dataRow("120 dpi: negative half", 120, -6, -1);
    dataRow("144 dpi: questionnaire width", 144, 9855, 986);
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
    dataRow("96 dpi", 96, 800 * 15);
    dataRow("120 dpi", 120, 800 * 12);
    dataRow("144 dpi", 144, 800 * 10);
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
    dataRow("purple", 0x00800080u, QColor(0x80, 0x00, 0x80));
    dataRow("light blue", 0x00FF8080u, QColor(0x80, 0x80, 0xFF));
    dataRow("pale blue", 0x00FFC0C0u, QColor(0xC0, 0xC0, 0xFF));
    dataRow("dark blue", 0x00400000u, QColor(0x00, 0x00, 0x40));
    dataRow("orange", 0x000080FFu, QColor(0xFF, 0x80, 0x00));
    dataRow("white", 0x00FFFFFFu, QColor(Qt::white));
    dataRow("high byte ignored", 0xFF000000u, QColor(Qt::black));
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
