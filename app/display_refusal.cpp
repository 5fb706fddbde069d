#include "app/display_refusal.h"

#include <QGuiApplication>
#include <QScreen>

namespace quiravel::app {

namespace {
// The fewest bits a pixel the toolkit paints X11 windows in (RGB555).
constexpr int kLeastDepth = 15;
}  // namespace

QString colourDepthRefusal() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || screen->depth() >= kLeastDepth)
    return {};
  return QStringLiteral(
             "quiravel: the display has %1 bits a pixel; the program's windows can be drawn only "
             "with %2 or more (thousands of colours)")
      .arg(screen->depth())
      .arg(kLeastDepth);
}

}  // namespace quiravel::app
