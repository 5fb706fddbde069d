#include "tests/support/screens.h"

#include <qpa/qplatformnativeinterface.h>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QScreen>
#include <QTest>

namespace quiravel::test {

namespace {

QList<QRect> currentLayout() {
  QList<QRect> layout;
  for (const QScreen* screen : QGuiApplication::screens())
    layout.append(screen->geometry());
  return layout;
}

}  // namespace

bool setOffscreenScreens(const QList<QRect>& screens, int dpi) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen"))
    return false;
  QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
  // The offscreen platform's own entry point; it takes its native interface as the second
  // argument.
  using SetConfiguration = void (*)(const QJsonObject&, QPlatformNativeInterface*);
  auto setConfiguration = reinterpret_cast<SetConfiguration>(
      native->nativeResourceForIntegration(QByteArrayLiteral("setConfiguration")));
  if (!setConfiguration)
    return false;
  // Screens keep their identity by name: the n-th screen is always "screen<n>", so a new layout
  // moves the screens that stay and adds or removes the others.
  QJsonArray list;
  for (qsizetype i = 0; i < screens.size(); ++i) {
    const QRect& r = screens[i];
    list.append(QJsonObject{{QStringLiteral("name"), QStringLiteral("screen%1").arg(i)},
                            {QStringLiteral("x"), r.x()},
                            {QStringLiteral("y"), r.y()},
                            {QStringLiteral("width"), r.width()},
                            {QStringLiteral("height"), r.height()},
                            {QStringLiteral("logicalDpi"), dpi},
                            {QStringLiteral("logicalBaseDpi"), 96},
                            {QStringLiteral("dpr"), 1}});
  }
  setConfiguration(QJsonObject{{QStringLiteral("screens"), list}}, native);
  // Screens come and go at once; a move reaches Qt as a queued window-system event.
  return QTest::qWaitFor(
      [&] {
        return currentLayout() == screens &&
               QGuiApplication::primaryScreen()->logicalDotsPerInch() == dpi;
      },
      5000);
}

bool setOffscreenScreen(QSize size, int dpi) {
  return setOffscreenScreens({QRect(QPoint(0, 0), size)}, dpi);
}

}  // namespace quiravel::test
