// The program's three seams, the window drag, the About box and the announcements to a screen
// reader, taken over for as long as one guard lives: what reaches them is recorded (and handed
// on to the test, where it asks), nothing blocks, and what was in place before comes back when
// the guard goes.
#pragma once

#include "ui/frame/about_box.h"
#include "ui/frame/accessibility.h"
#include "ui/frame/window_drag.h"

#include <QList>
#include <QStringList>

#include <functional>

class QWidget;

namespace quiravel::test {

class Seams {
 public:
  enum Which { kDrag = 1, kAbout = 2, kAnnounce = 4, kAll = kDrag | kAbout | kAnnounce };

  explicit Seams(int which = kAll);
  ~Seams();
  Seams(const Seams&) = delete;
  Seams& operator=(const Seams&) = delete;

  // What reached the seams, in order.
  QList<QWidget*> drags;         // the windows whose drag began
  QList<QWidget*> aboutParents;  // each About box's parent window ...
  QStringList aboutTexts;        // ... and its text
  QList<frame::FormWindow*> announced;

  // Called after each record, when set.
  std::function<void(QWidget* window)> onDrag;
  std::function<void(QWidget* parent, const QString& text)> onAbout;
  std::function<void(frame::FormWindow* window)> onAnnounce;

 private:
  int which_;
  frame::WindowDragHandler drag_;
  frame::AboutBoxHandler about_;
  frame::AnnounceHandler announce_;
};

}  // namespace quiravel::test
