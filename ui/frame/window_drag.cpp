#include "ui/frame/window_drag.h"

#include "ui/frame/form_window.h"
#include "ui/frame/label.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <optional>

namespace quiravel::frame {

namespace {

Seam<QWidget*> dragSeam;

// Moves the window itself from global pointer positions until the left button comes up. A
// window manager's own move (startSystemMove) loses the button release on some X11 window
// managers with Qt 6.4, and the window then sticks to the pointer. The window keeps the point
// where the button went down under the pointer: the drag begins on the first movement, and
// that movement counts too.
class PointerFollower : public QObject {
 public:
  PointerFollower(QWidget* window, QPoint grabbedAt)
      : window_(window), start_(grabbedAt), origin_(window->pos()) {}

  // `pointerAt`: where the movement that began the drag took the pointer.
  void run(QPoint pointerAt) {
    window_->move(origin_ + pointerAt - start_);
    qApp->installEventFilter(this);
    loop_.exec();
    qApp->removeEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // The loop returns only once the events read with the release have all been delivered:
    // those after the end of the move are the user's again and pass untouched.
    if (ended_)
      return false;
    if (!window_ || !window_->isVisible()) {
      end();
      return false;
    }
    // Only the widget-level copy of each event is taken: the window handle must still see the
    // release, or its record of the pressed widget goes stale.
    if (!watched->isWidgetType())
      return false;
    switch (event->type()) {
      case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton)) {
          end();
          return false;
        }
        window_->move(origin_ + mouse->globalPosition().toPoint() - start_);
        return true;
      }
      case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!(mouse->buttons() & Qt::LeftButton))
          end();
        return true;
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return true;
      case QEvent::WindowDeactivate:
        if (watched == window_)
          end();
        return false;
      default:
        return false;
    }
  }

 private:
  void end() {
    ended_ = true;
    loop_.quit();
  }

  bool ended_ = false;
  QPointer<QWidget> window_;
  QPoint start_;
  QPoint origin_;
  QEventLoop loop_;
};

void realDrag(QWidget* window) {
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    // A Wayland client cannot place itself; the compositor moves it.
    if (QWindow* handle = window->windowHandle())
      handle->startSystemMove();
    return;
  }
  if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
    return;
  // From where the button went down, if the window saw it; otherwise (a press no window of ours
  // saw) from where the pointer is now.
  const auto* form = qobject_cast<const FormWindow*>(window);
  const std::optional<QPoint> pressed = form ? form->leftPressedAt() : std::nullopt;
  const QPoint pointer = pressed ? form->pointerAt() : QCursor::pos();
  PointerFollower follower(window, pressed ? *pressed : pointer);
  follower.run(pointer);
}

}  // namespace

void beginWindowDrag(QWidget* window) {
  if (!window)
    return;
  dragSeam.run(realDrag, window);
}

void dragWithLeftButtonAlone(QWidget* window, int button) {
  if (button == kLeftButton)
    beginWindowDrag(window);
}

WindowDragHandler setWindowDragHandler(WindowDragHandler handler) {
  return dragSeam.replace(std::move(handler));
}

}  // namespace quiravel::frame
