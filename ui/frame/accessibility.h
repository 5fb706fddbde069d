// How screen readers and other assistive technology see the program's windows and labels.
//
// Every window is exposed as a window named after its `title` label (unless it has an
// accessible name of its own). A label that acts as a button (Label::setActsAsButton) is
// exposed as a push button with a press action; every other label is static text, and a label
// with a buddy says which control it labels. A notification window is read out as a whole by
// a screen reader each time it comes into view and each time `announce` is called for it.
// None of this changes anything on screen.
#pragma once

#include "ui/frame/seam.h"

#include <QString>

namespace quiravel::frame {

class FormWindow;

// Installs the accessible interfaces of the program's windows and labels, and tells each
// accessibility registry that starts while the program runs (after a crash of the last one)
// of the program. It runs by itself when the application object is created; calling it again
// does nothing.
void installAccessibility();

// While one of these lives, the program tells assistive technology nothing. A window is built
// with it in place: made and filled out of sight, each of its controls would otherwise report
// every step of its making, a flood in which a screen reader drops what comes next, such as a
// notification shown by the window's load handler. A screen reader meets a window when it
// shows and reads it then as it is.
class AccessibilityQuiet {
 public:
  AccessibilityQuiet();
  ~AccessibilityQuiet();
  AccessibilityQuiet(const AccessibilityQuiet&) = delete;
  AccessibilityQuiet& operator=(const AccessibilityQuiet&) = delete;
};

// The name a screen reader gives `window`: its accessible name if it has one, else the caption
// of its `title` label, else its window caption.
QString accessibleWindowName(const FormWindow& window);

// A notification window shows the outcome of something the user did, such as a test's
// result. Assistive technology sees it as a notification rather than as a plain window.
void setNotification(FormWindow* window, bool notification);
bool isNotification(const FormWindow& window);

// Has a screen reader read out the texts that the notification window `window` shows now,
// such as a result just written into it. Does nothing for a window that is hidden or is not a
// notification.
void announce(FormWindow* window);

// The one seam through which every announcement goes, those of `announce` and those of a
// notification window coming into view: tests take them without a screen reader. An empty
// handler restores the real announcement. Returns the handler that was in place.
using AnnounceHandler = Seam<FormWindow*>::Handler;
AnnounceHandler setAnnounceHandler(AnnounceHandler handler);

}  // namespace quiravel::frame
