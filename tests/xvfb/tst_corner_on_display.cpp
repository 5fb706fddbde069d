// The corner windows on a real X server, as another X client sees them: mapped below the
// screen's bottom edge, rising in view, and parked in the bottom right-hand corner. Run through
// with-display.sh, with or without a window manager.
#include "tests/support/corner.h"
#include "tests/support/rows.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include <vector>

using namespace quiravel::test;

namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
// (28800 - 2895 - 100) twips / 15, rounded.
constexpr int kCornerLeft = 1720;

// Runs a tool of the X server's and returns what it printed, or an empty string.
QString run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished(2000);
    return {};
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// A top-level window as the X server reports it to any client.
struct Seen {
  bool found = false;
  bool viewable = false;
  bool overrideRedirect = false;
  QRect geometry;  // relative to the root window
};

int field(const QString& text, const char* label) {
  const QRegularExpression pattern(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(label)));
  const QRegularExpressionMatch match = pattern.match(text);
  return match.hasMatch() ? match.captured(1).toInt() : 0;
}

Seen look(WId id) {
  const QString out = run(QStringLiteral("xwininfo"),
                          {QStringLiteral("-id"), QStringLiteral("0x%1").arg(id, 0, 16)});
  Seen seen;
  if (out.isEmpty())
    return seen;
  seen.found = true;
  seen.viewable = out.contains(QLatin1String("Map State: IsViewable"));
  seen.overrideRedirect = out.contains(QLatin1String("Override Redirect State: yes"));
  seen.geometry = QRect(field(out, "Absolute upper-left X"), field(out, "Absolute upper-left Y"),
                        field(out, "Width"), field(out, "Height"));
  return seen;
}

// Waits until the server shows the window mapped, without letting this program run any event
// (so that its timers cannot move the window meanwhile).
Seen firstSeenMapped(WId id) {
  const QDeadlineTimer deadline(kParkTimeout);
  Seen seen = look(id);
  while (!seen.viewable && !deadline.hasExpired())
    seen = look(id);
  return seen;
}

}  // namespace

class TestCornerOnDisplay : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(),
             QRect(0, 0, kScreenWidth, kScreenHeight));
    QVERIFY2(!run(QStringLiteral("xwininfo"), {QStringLiteral("-root")}).isEmpty(),
             "xwininfo is needed to look at the windows");
    // Run under a window manager when asked to: make sure one really manages the screen.
    if (qEnvironmentVariableIntValue("QUIRAVEL_XVFB_WM") == 1) {
      const QString check =
          run(QStringLiteral("xprop"), {QStringLiteral("-root"), "_NET_SUPPORTING_WM_CHECK"});
      QVERIFY2(check.contains(QLatin1String("window id #")), "no window manager is running");
    }
  }

  void slidesUpInViewAndParks_data() {
    addColumns<QString, int, int>({"name", "height", "parkedTop"});
    // (16200 - 6750) / 15 and (16200 - 3300) / 15.
    dataRow("result window", QStringLiteral("Form2"), 428, 630);
    dataRow("disclaimer window", QStringLiteral("Welcome"), 199, 860);
  }
  void slidesUpInViewAndParks() {
    QFETCH(QString, name);
    QFETCH(int, height);
    QFETCH(int, parkedTop);

    auto slot = makeCornerHolder(name);
    slot->show();
    QWidget* window = slot->window();
    const WId id = window->winId();

    // Mapped where it was placed: its top edge on the screen's bottom edge, wholly below it.
    const Seen first = firstSeenMapped(id);
    QVERIFY(first.viewable);
    QVERIFY2(first.overrideRedirect, "the window manager would move it onto the screen");
    QCOMPARE(first.geometry, QRect(kCornerLeft, kScreenHeight, 193, height));

    // Rising while the user watches, never sideways, never down.
    std::vector<QPoint> seen{first.geometry.topLeft()};
    auto watch = [&] {
      const Seen now = look(id);
      if (now.viewable)
        seen.push_back(now.geometry.topLeft());
      return isParked(window) && now.viewable && now.geometry.y() == parkedTop;
    };
    QTRY_VERIFY_WITH_TIMEOUT(watch(), kParkTimeout);
    std::vector<int> tops;
    for (std::size_t i = 0; i < seen.size(); ++i) {
      QCOMPARE(seen[i].x(), kCornerLeft);
      if (i > 0)
        QVERIFY2(seen[i].y() <= seen[i - 1].y() && seen[i].y() >= parkedTop,
                 qPrintable(QStringLiteral("%1 after %2").arg(seen[i].y()).arg(seen[i - 1].y())));
      if (tops.empty() || tops.back() != seen[i].y())
        tops.push_back(seen[i].y());
    }
    // Seen at one height or more between the start and the corner.
    QVERIFY2(tops.size() >= 3, qPrintable(QString::number(tops.size())));

    // Parked: the right edge 100 twips inside the screen's, the bottom edge a little above the
    // screen's bottom edge.
    const Seen parked = look(id);
    QVERIFY(parked.viewable);
    QCOMPARE(parked.geometry, QRect(kCornerLeft, parkedTop, 193, height));
    QVERIFY(parked.geometry.bottom() < kScreenHeight);
    QVERIFY(parked.geometry.right() < kScreenWidth);
    slot->unload();
  }

  void hiddenWhileSlidingShowsUpParked() {
    auto slot = makeCornerHolder(QStringLiteral("Welcome"));
    slot->show();
    QWidget* window = slot->window();
    const WId id = window->winId();
    QVERIFY(firstSeenMapped(id).viewable);
    QTRY_VERIFY_WITH_TIMEOUT(!isParked(window) && look(id).geometry.y() < kScreenHeight,
                             kParkTimeout);
    slot->hide();
    QTRY_VERIFY_WITH_TIMEOUT(!look(id).viewable, kParkTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    slot->show();
    const Seen shown = firstSeenMapped(id);
    QVERIFY(shown.viewable);
    QCOMPARE(shown.geometry, QRect(kCornerLeft, 860, 193, 199));
    slot->unload();
  }

  void bothParkOneAboveTheOther() {
    const auto [result, disclaimer] = showBothCornerWindows();
    QVERIFY(waitUntilParked({result->window(), disclaimer->window()}));
    QTRY_COMPARE_WITH_TIMEOUT(look(result->window()->winId()).geometry,
                              QRect(kCornerLeft, 630, 193, 428), kParkTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(look(disclaimer->window()->winId()).geometry,
                              QRect(kCornerLeft, 860, 193, 199), kParkTimeout);
    result->unload();
    disclaimer->unload();
  }
};

QTEST_MAIN(TestCornerOnDisplay)
#include "tst_corner_on_display.moc"
