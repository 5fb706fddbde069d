#include "app/display_refusal.h"

#include <QGuiApplication>
#include <QScreen>

namespace quiravel::app {

namespace {
// The fewest bits a pixel the toolkit paints X11 windows in (RGB555).
constexpr int kLeastDepth = 15;

// Whether an X11 display name, [protocol/][host]:number[.screen], is reached over TCP: it names
// a host other than "unix", or a protocol other than "unix".
bool isTcpDisplay(const QString& display) {
  // A path to a socket, or no display name at all, is left to the toolkit.
  const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
  if (display.startsWith(QLatin1Char('/')) || colon < 0)
    return false;
  const QString host = display.left(colon);
  const qsizetype slash = host.indexOf(QLatin1Char('/'));
  if (slash >= 0)
    return host.left(slash) != QLatin1String("unix");
  return !host.isEmpty() && host != QLatin1String("unix");
}

}  // namespace

QString tcpDisplayRefusal() {
  const QString display = qEnvironmentVariable("DISPLAY");
  if (!isTcpDisplay(display))
    return {};
  // The toolkit tries the platforms in this list in turn.
  const QStringList platforms = qEnvironmentVariable("QT_QPA_PLATFORM").split(QLatin1Char(';'));
  const bool waylandNext = platforms.contains(QLatin1String("wayland")) &&
                           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (platforms.first() != QLatin1String("xcb") || waylandNext)
    return {};
  return QStringLiteral(
             "quiravel: the display %1 is reached over TCP, which the program's own rules refuse: "
             "it opens local sockets only (README, \"Kept by the kernel's rules\")")
      .arg(display);
}

QString colourDepthRefusal() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? colourDepthRefusal(screen->depth()) : QString();
}

QString colourDepthRefusal(int depth) {
  if (depth >= kLeastDepth)
    return {};
  return QStringLiteral(
             "quiravel: the display has %1 bits a pixel; the program's windows can be drawn only "
             "with %2 or more (thousands of colours)")
      .arg(depth)
      .arg(kLeastDepth);
}

}  // namespace quiravel::app
