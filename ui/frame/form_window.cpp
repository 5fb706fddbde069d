#include "ui/frame/form_window.h"

#include "ui/frame/label.h"
#include "ui/frame/window_drag.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace quiravel::frame {

namespace {
bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
      return true;
    default:
      return false;
  }
}

// The icons are made once and shared by every window. Qt caches the scaled pixmaps it makes of
// an icon under the identity of the icon's own pixmaps, so icons read afresh at each load would
// leave the cache a new set of entries for every window ever loaded.
const QIcon& applicationIcon() {
  static const QIcon icon = [] {
    QIcon read;
    // The icons are PNGs: read them as such, without first asking every image plugin (which
    // loads them all from disk) whether it can read them.
    for (const char* name :
         {":/quiravel/icons/quiravel-32.png", ":/quiravel/icons/quiravel-48.png"}) {
      QImageReader reader(QString::fromLatin1(name), "png");
      reader.setAutoDetectImageFormat(false);
      read.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return read;
  }();
  return icon;
}

// An empty icon, so that no window-system default stands in for it.
const QIcon& noIcon() {
  static const QIcon icon = [] {
    QPixmap none(16, 16);
    none.fill(Qt::transparent);
    return QIcon(none);
  }();
  return icon;
}

Qt::WindowFlags flagsFor(const FrameSpec& spec) {
  if (spec.cornerWindow) {
    // Corner windows start below the screen's bottom edge and move by program. Window
    // managers pull a new managed window that would appear off-screen back onto the screen,
    // so these bypass the window manager; they never take the keyboard focus.
    return Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
           Qt::WindowDoesNotAcceptFocus | Qt::NoDropShadowWindowHint;
  }
  return Qt::Window | Qt::FramelessWindowHint;
}
}  // namespace

FormWindow::FormWindow(const FrameSpec& spec, QWidget* parent) : QWidget(parent, flagsFor(spec)) {
  setObjectName(QString::fromLatin1(spec.name));
  setWindowTitle(QString::fromUtf8(spec.caption));
  setFixedSize(twipsToPixels(spec.width), twipsToPixels(spec.height));
  QPalette p = palette();
  p.setColor(QPalette::Window, colorFromBgr(spec.backColor));
  setPalette(p);
  setAutoFillBackground(true);
  setMouseTracking(true);
  // The window itself never takes the keyboard; its controls do.
  setFocusPolicy(Qt::NoFocus);
  setWindowIcon(spec.applicationIcon ? applicationIcon() : noIcon());
  if (spec.cornerWindow)
    setAttribute(Qt::WA_ShowWithoutActivating);
}

QPoint FormWindow::positionTwips() const {
  // Each axis is read back as written while the window is still at the pixel the written
  // value went to; otherwise (moved since, or the primary screen moved) from the pixels.
  const QPoint written = globalPixelsFromScreenTwips(writtenTwips_);
  const QPoint actual = screenTwipsFromGlobalPixels(pos());
  return {written.x() == x() ? writtenTwips_.x() : actual.x(),
          written.y() == y() ? writtenTwips_.y() : actual.y()};
}

void FormWindow::setLeftTwips(int left) {
  moveTwips(left, topTwips());
}

void FormWindow::setTopTwips(int top) {
  moveTwips(leftTwips(), top);
}

void FormWindow::moveTwips(int left, int top) {
  writtenTwips_ = QPoint(left, top);
  move(globalPixelsFromScreenTwips(writtenTwips_));
}

void FormWindow::centreOnScreen() {
  moveTwips((screenWidthTwips() - widthTwips()) / 2, (screenHeightTwips() - heightTwips()) / 2);
}

void FormWindow::silence() {
  for (QTimer* timer : findChildren<QTimer*>())
    timer->stop();
  hide();
  blockSignals(true);
}

void FormWindow::setCaptionBar(Label* title, const QString& name) {
  setWindowTitle(name);
  setAccessibleName(name);
  connect(title, &Label::mouseMove, this, &FormWindow::title_MouseMove);
}

void FormWindow::title_MouseMove(int button) {
  dragWithLeftButtonAlone(this, button);
}

void FormWindow::setCyclicTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (!control)
      continue;
    if (qobject_cast<Label*>(control))
      control->setFocusPolicy(Qt::TabFocus);
    if (previous)
      QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

void FormWindow::showFocusMark(bool shown) {
  if (focusMarkShown_ == shown)
    return;
  focusMarkShown_ = shown;
  if (QWidget* focused = focusWidget())
    focused->update();
}

void FormWindow::formKeyDown(int, Qt::KeyboardModifiers) {}
void FormWindow::formMouseMove(int) {}
void FormWindow::formDblClick() {}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  formMouseMove(buttonMask(event->buttons()));
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton)
    formDblClick();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  Q_EMIT systemCloseRequested();
}

void FormWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  watchWindowHandle();
}

void FormWindow::watchWindowHandle() {
  QWindow* handle = windowHandle();
  if (!handle || handle == watchedHandle_)
    return;
  if (watchedHandle_)
    watchedHandle_->removeEventFilter(this);
  handle->installEventFilter(this);
  watchedHandle_ = handle;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
  // The window handle sees each key and each press once, before the control they go to does.
  if (watched == watchedHandle_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!isModifierKey(key->key()))
      showFocusMark(true);
    formKeyDown(key->key(), key->modifiers());
  } else if (watched == watchedHandle_ && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    pointerAt_ = mouse->globalPosition().toPoint();
    if (mouse->button() == Qt::LeftButton)
      leftPressedAt_ = pointerAt_;
    showFocusMark(false);
  } else if (watched == watchedHandle_ && event->type() == QEvent::MouseMove) {
    pointerAt_ = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quiravel::frame
