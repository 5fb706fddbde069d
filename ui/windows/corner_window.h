// What the two corner windows (the result window and the disclaimer window) share: a small
// borderless window that slides up into the bottom right-hand corner of the screen when it
// loads, and asks to be closed by its "X" label or a double click on its background.
#pragma once

#include "ui/frame/form_window.h"
#include "ui/windows/corner_motion.h"

class QTimer;

namespace quiravel::frame {
class Label;
}

namespace quiravel::windows {

class CornerWindow : public frame::FormWindow {
  Q_OBJECT

 public:
  // The timers' design intervals, in milliseconds.
  static constexpr int kTimer1Interval = 10;  // slide-up step
  static constexpr int kTimer2Interval = 1;   // parking check

  explicit CornerWindow(const frame::FrameSpec& spec, QWidget* parent = nullptr);

  // Form_Load
  void formLoad() override { Form_Load(); }

  // Parked in the corner: the slide is over and nothing moves the window any more.
  bool isParked() const { return motion_.isParked(); }

 Q_SIGNALS:
  // "X" or a double click on the background: this window is to be closed (unloaded).
  void closeRequested();

 protected:
  // Makes a click on `cmdX` this window's close action.
  void setCloseLabel(frame::Label* cmdX);

  void formDblClick() override { Form_DblClick(); }

 private:
  // The window's own geometry in twips, as the motion sees it.
  class Geometry : public CornerGeometry {
   public:
    explicit Geometry(frame::FormWindow& window) : window_(window) {}
    int screenWidth() const override;
    int screenHeight() const override;
    int windowWidth() const override;
    int windowHeight() const override;
    int windowTop() const override;
    void setWindowLeft(int left) override;
    void setWindowTop(int top) override;

   private:
    frame::FormWindow& window_;
  };

  void Form_Load();
  void Timer1_Timer();
  void Timer2_Timer();
  void cmdX_Click();
  void Form_DblClick();
  // A parked window needs neither timer any more.
  void stopTimersOnceParked();

  Geometry geometry_{*this};
  CornerMotion motion_{geometry_};
  QTimer* timer1_;
  QTimer* timer2_;
};

}  // namespace quiravel::windows
