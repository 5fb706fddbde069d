// Both corner windows on a 1920x1080 screen: placed below it at x = 1720, parked in its
// bottom right-hand corner, where the twips give their places.
#include "ui/frame/window_instance.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/result_window.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
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

class TestCornerBigScreen : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void screenIsFullHd() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1920, 1080));
    QCOMPARE(quiravel::frame::screenWidthTwips(), 28800);
    QCOMPARE(quiravel::frame::screenHeightTwips(), 16200);
  }

  void parksInTheCorner_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("parkedTopPx");  // (screen height - 6750 or 3300 twips) / 15
    QTest::newRow("result window") << QStringLiteral("Form2") << (16200 - 6750) / 15.0;
    QTest::newRow("disclaimer window") << QStringLiteral("Welcome") << (16200 - 3300) / 15.0;
  }
  void parksInTheCorner() {
    QFETCH(QString, name);
    QFETCH(double, parkedTopPx);
    const double leftPx = (28800 - 2895 - 100) / 15.0;

    auto slot = makeSlot(name);
    slot->show();
    FormWindow* window = slot->window();
    QVERIFY(std::abs(window->x() - leftPx) <= 1);
    QCOMPARE(window->y(), 1080);
    QVERIFY(!isParked(window));

    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    QVERIFY2(std::abs(window->y() - parkedTopPx) <= 1, qPrintable(QString::number(window->y())));
    QVERIFY(std::abs(window->x() - leftPx) <= 1);
    QVERIFY(window->geometry().bottom() < 1080);
    QVERIFY(window->geometry().right() < 1920);
    QVERIFY(window->isVisible());
    slot->unload();
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
  config.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1920, "height": 1080,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
  config.close();
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=") + path.toLocal8Bit());

  QApplication app(argc, argv);
  TestCornerBigScreen test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_corner_big_screen.moc"
