#include "tests/support/corner.h"
#include "tests/support/rows.h"

#include "ui/frame/units.h"
#include "ui/windows/corner_motion.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/result_window.h"

#include <QTest>
#include <QTimer>

#include <algorithm>

namespace quiravel::test {

std::unique_ptr<windows::CornerWindow> makeCornerWindow(const QString& name) {
  if (name == QLatin1String("Form2"))
    return std::make_unique<windows::ResultWindow>();
  return std::make_unique<windows::DisclaimerWindow>();
}

std::unique_ptr<frame::WindowHolder> makeCornerHolder(const QString& name) {
  return std::make_unique<frame::WindowHolder>(
      [name]() -> std::unique_ptr<frame::FormWindow> { return makeCornerWindow(name); });
}

bool isParked(const QWidget* window) {
  const auto* corner = qobject_cast<const windows::CornerWindow*>(window);
  return corner && corner->isParked();
}

int parkedTop(const frame::FormWindow* window) {
  return windows::CornerMotion::parkedTop(frame::screenHeightTwips(), window->heightTwips());
}

CornerHolders showBothCornerWindows() {
  CornerHolders both{makeCornerHolder(QStringLiteral("Form2")),
                     makeCornerHolder(QStringLiteral("Welcome"))};
  both.disclaimer->show();
  both.result->show();
  return both;
}

bool waitUntilParked(std::initializer_list<const QWidget*> windows) {
  return QTest::qWaitFor(
      [windows] { return std::all_of(windows.begin(), windows.end(), isParked); }, kParkTimeout);
}

void addCornerRows() {
  QTest::addColumn<QString>("form");
  dataRow("Form2", QStringLiteral("Form2"));
  dataRow("Welcome", QStringLiteral("Welcome"));
}

QTimer* timer(const QObject* window, const char* name) {
  return window->findChild<QTimer*>(QLatin1String(name));
}

}  // namespace quiravel::test
