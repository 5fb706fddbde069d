// The two corner windows, built alone: by name ("Form2" the result window, "Welcome" the
// disclaimer window), in a slot of their own, and whether they have parked.
#pragma once

#include "ui/frame/window_instance.h"
#include "ui/windows/corner_window.h"

#include <QString>

#include <initializer_list>
#include <memory>

class QTimer;

namespace quiravel::test {

// Slides take 0.66 s and 1.35 s when the clock keeps up; a loaded machine may be far slower.
constexpr int kParkTimeout = 60000;

// "Form2": a result window; "Welcome": a disclaimer window.
std::unique_ptr<windows::CornerWindow> makeCornerWindow(const QString& name);

// A slot that loads the corner window `name` on first use.
std::unique_ptr<frame::WindowHolder> makeCornerHolder(const QString& name);

// Parked in the corner, as the window itself says; false for anything not a corner window.
bool isParked(const QWidget* window);

// Where the program's own motion parks `window` on the primary screen: its Top in twips.
int parkedTop(const frame::FormWindow* window);

// Both corner windows in slots of their own, the disclaimer shown first, so that they slide at
// the same time.
struct CornerHolders {
  std::unique_ptr<frame::WindowHolder> result;
  std::unique_ptr<frame::WindowHolder> disclaimer;
};
CornerHolders showBothCornerWindows();

// Waits until every one of `windows` has parked, for at most kParkTimeout; whether they did.
bool waitUntilParked(std::initializer_list<const QWidget*> windows);

// Data rows for a test of both windows: a column "form" with the rows "Form2" and "Welcome".
void addCornerRows();

// The window's timer `name` ("Timer1", "Timer2").
QTimer* timer(const QObject* window, const char* name);

}  // namespace quiravel::test
