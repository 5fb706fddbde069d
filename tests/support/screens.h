// Screens for tests on the offscreen platform: a desktop of one or more monitors, laid out
// anew while the program runs.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace quiravel::test {

// Lays the offscreen platform's screens out as `screens`, in global pixels; the first is the
// primary screen. Each is set to `dpi` dots per inch, as a desktop sets it; unless that is 96,
// the test must run with Qt's scaling off (QT_ENABLE_HIGHDPI_SCALING=0), where Qt's logical dpi
// is the desktop's. Returns once Qt has taken in the new layout and dpi, false if it did not
// (or the platform is not the offscreen one).
bool setOffscreenScreens(const QList<QRect>& screens, int dpi = 96);

// One offscreen screen of `size` at the origin.
bool setOffscreenScreen(QSize size, int dpi = 96);

}  // namespace quiravel::test
