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

  void refusal_data() {
    addColumns<int, QString, QString, QString>({"depth", "display", "platforms", "line"});
    const QString tcp = QStringLiteral(
        "quiravel: the display localhost:3 is reached over TCP, which the program's own rules "
        "refuse: it opens local sockets only (README, \"Kept by the kernel's rules\")");
    const QString depth = QStringLiteral(
        "quiravel: the display has 8 bits a pixel; the program's windows can be drawn only with "
        "15 or more (thousands of colours)");
    const auto row = [](const char* name, int bits, const char* display, const char* platforms,
                        const QString& line) {
      dataRow(name, bits, QString::fromLatin1(display), QString::fromLatin1(platforms), line);
    };
    row("8 bits", 8, ":3", "xcb", depth);
    row("15 bits", 15, ":3", "xcb", {});
    row("TCP", 24, "localhost:3", "xcb", tcp);
    row("a local socket", 24, "unix:3", "xcb", {});
    row("TCP, Wayland first", 24, "localhost:3", "wayland;xcb", {});
  }
  void refusal() {
    QFETCH(int, depth);
    QFETCH(QString, display);
    QFETCH(QString, platforms);
    QFETCH(QString, line);
    qputenv("DISPLAY", display.toUtf8());
    qputenv("QT_QPA_PLATFORM", platforms.toUtf8());
    const QString said = tcpDisplayRefusal() + colourDepthRefusal(depth);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCOMPARE(said, line);
  }
};

QTEST_MAIN(TestDisplayRefusal)
#include "tst_display_refusal.moc"
