// Both corner windows on a screen less tall than the result window: the result window parks
// partly above the screen's top edge, the disclaimer window in the corner as ever.
#include "ui/frame/window_instance.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/result_window.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using quiravel::frame::FormWindow;
using quiravel::frame::WindowSlot;
using quiravel::windows::DisclaimerWindow;
using quiravel::windows::ResultWindow;

namespace {

constexpr int kParkTimeout = 60000;

std::unique_ptr<WindowSlot> makeSlot(const QString& name) {
  return std::make_unique<WindowSlot>([name]() -> std::unique_ptr<FormWindow> {
    if (name == QLatin1String("Form2"))
      return std::make_unique<ResultWindow>();
    return std::make_unique<DisclaimerWindow>();
  });
}

bool isParked(FormWindow* window) {
  return !window->findChild<QTimer*>(QStringLiteral("Timer1"))->isActive();
}

}  // namespace

class TestCornerShortScreen : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void screenIsShort() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 360));
    QCOMPARE(quiravel::frame::screenHeightTwips(), 5400);
  }

  void parks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("parkedTopPx");
    // 5400 - 6750 twips: 90 pixels above the screen's top edge.
    QTest::newRow("result window") << QStringLiteral("Form2") << -90;
    // 5400 - 3300 twips.
    QTest::newRow("disclaimer window") << QStringLiteral("Welcome") << 140;
  }
  void parks() {
    QFETCH(QString, name);
    QFETCH(int, parkedTopPx);

    auto slot = makeSlot(name);
    slot->show();
    FormWindow* window = slot->window();
    QCOMPARE(window->y(), 360);
    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    QCOMPARE(window->y(), parkedTopPx);
    QCOMPARE(window->x(), 600);  // (12000 - 2895 - 100) / 15, rounded
    QVERIFY(window->geometry().bottom() < 360);
    QVERIFY(window->isVisible());

    // It can be closed and comes back as ever.
    slot->unload();
    slot->show();
    QCOMPARE(slot->window()->y(), 360);
    QTRY_VERIFY_WITH_TIMEOUT(isParked(slot->window()), kParkTimeout);
    QCOMPARE(slot->window()->y(), parkedTopPx);
    slot->unload();
  }

  void bothAtOnce() {
    auto result = makeSlot(QStringLiteral("Form2"));
    auto disclaimer = makeSlot(QStringLiteral("Welcome"));
    disclaimer->show();
    result->show();
    QTRY_VERIFY_WITH_TIMEOUT(isParked(result->window()) && isParked(disclaimer->window()),
                             kParkTimeout);
    // Partly above the top edge: its top is off the screen, its lower part on it.
    QVERIFY(result->window()->y() < 0);
    QVERIFY(result->window()->geometry().bottom() > 0);
    QCOMPARE(result->window()->x(), disclaimer->window()->x());
    result->unload();
    disclaimer->unload();
  }
};

int main(int argc, char** argv) {
  // A screen of its own for this program: set up before the application object exists.
  QTemporaryDir dir;
  if (!dir.isValid())
    return 2;
  const QString path = dir.filePath(QStringLiteral("screens.json"));
  QFile config(path);
  if (!config.open(QIODevice::WriteOnly))
    return 2;
  config.write(R"({"screens": [{"name": "short", "x": 0, "y": 0, "width": 800, "height": 360,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  config.close();
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=") + path.toLocal8Bit());

  QApplication app(argc, argv);
  TestCornerShortScreen test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_corner_short_screen.moc"
