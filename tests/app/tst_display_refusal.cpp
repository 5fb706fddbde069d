// The one line the program says on a display it cannot work on, written out here as a user
// reads it (the e2e and privacy scripts take it from the program).
#include "app/display_refusal.h"
#include "tests/support/rows.h"

#include <QTest>

using namespace quiravel::app;
using namespace quiravel::test;

class TestDisplayRefusal : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { qunsetenv("WAYLAND_DISPLAY"); }

  void colourDepth_data() {
    addColumns<int, QString>({"depth", "line"});
    QTest::newRow("8 bits") << 8
                            << "quiravel: the display has 8 bits a pixel; the program's windows "
                               "can be drawn only with 15 or more (thousands of colours)";
    QTest::newRow("15 bits") << 15 << "";
  }
  void colourDepth() {
    QFETCH(int, depth);
    QFETCH(QString, line);
    QCOMPARE(colourDepthRefusal(depth), line);
  }

  void tcpDisplay_data() {
    addColumns<QString, QString, QString>({"display", "platforms", "line"});
    QTest::newRow("localhost") << "localhost:3"
                               << "xcb"
                               << "quiravel: the display localhost:3 is reached over TCP, which "
                                  "the program's own rules refuse: it opens local sockets only "
                                  "(README, \"Kept by the kernel's rules\")";
    QTest::newRow("a local socket") << "unix:3"
                                    << "xcb"
                                    << "";
    QTest::newRow("Wayland first") << "localhost:3"
                                   << "wayland;xcb"
                                   << "";
  }
  void tcpDisplay() {
    QFETCH(QString, display);
    QFETCH(QString, platforms);
    QFETCH(QString, line);
    qputenv("DISPLAY", display.toUtf8());
    qputenv("QT_QPA_PLATFORM", platforms.toUtf8());
    const QString said = tcpDisplayRefusal();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCOMPARE(said, line);
  }
};

QTEST_MAIN(TestDisplayRefusal)
#include "tst_display_refusal.moc"
