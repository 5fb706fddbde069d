#include "ui/windows/corner_window.h"

#include "ui/frame/label.h"

#include <QTimer>

namespace quiravel::windows {

namespace {
QTimer* makeTimer(QObject* parent, const char* name, int interval) {
  auto* timer = new QTimer(parent);
  timer->setObjectName(QLatin1String(name));
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(interval);
  return timer;
}
}  // namespace

CornerWindow::CornerWindow(const frame::FrameSpec& spec, QWidget* parent)
    : FormWindow(spec, parent),
      timer1_(makeTimer(this, "Timer1", kTimer1Interval)),
      timer2_(makeTimer(this, "Timer2", kTimer2Interval)) {
  connect(timer1_, &QTimer::timeout, this, &CornerWindow::Timer1_Timer);
  connect(timer2_, &QTimer::timeout, this, &CornerWindow::Timer2_Timer);
}

void CornerWindow::setCloseLabel(frame::Label* cmdX) {
  cmdX->setActsAsButton(true);
  connect(cmdX, &frame::Label::click, this, &CornerWindow::cmdX_Click);
}

void CornerWindow::Form_Load() {
  motion_.place();
  timer1_->start();
  timer2_->start();
}

void CornerWindow::Timer1_Timer() {
  motion_.step();
  stopTimersOnceParked();
}

void CornerWindow::Timer2_Timer() {
  motion_.check();
  stopTimersOnceParked();
}

void CornerWindow::stopTimersOnceParked() {
  if (!motion_.isParked())
    return;
  // Parked for good: nothing turns it back into a sliding window, so the parking check has
  // nothing left to do either, and a program whose corner windows have parked stays asleep.
  timer1_->stop();
  timer2_->stop();
}

void CornerWindow::cmdX_Click() {
  Q_EMIT closeRequested();
}

void CornerWindow::Form_DblClick() {
  Q_EMIT closeRequested();
}

int CornerWindow::Geometry::screenWidth() const {
  return frame::screenWidthTwips();
}
int CornerWindow::Geometry::screenHeight() const {
  return frame::screenHeightTwips();
}
int CornerWindow::Geometry::windowWidth() const {
  return window_.widthTwips();
}
int CornerWindow::Geometry::windowHeight() const {
  return window_.heightTwips();
}
int CornerWindow::Geometry::windowTop() const {
  return window_.topTwips();
}
void CornerWindow::Geometry::setWindowLeft(int left) {
  window_.setLeftTwips(left);
}
void CornerWindow::Geometry::setWindowTop(int top) {
  window_.setTopTwips(top);
}

}  // namespace quiravel::windows
