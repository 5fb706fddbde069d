// Screens for tests on the offscreen platform: a desktop of one or more monitors, laid out
// anew while the program runs.
#pragma once

#include <QList>
#include <QRect>
#include <QSize>

namespace quiravel::test {

// Lays the offscreen platform's screens out as `screens`, in global pixels at 96 dpi; the first
// is the primary screen. Returns once Qt has taken in the new layout, false if it did not
// (or the platform is not the offscreen one).
bool setOffscreenScreens(const QList<QRect>& screens);

// One offscreen screen of `size` at the origin.
bool setOffscreenScreen(QSize size);

}  // namespace quiravel::test
