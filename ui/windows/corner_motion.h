// The slide-up motion of a corner window: placed below the screen's bottom edge near its right
// edge when the window loads, lifted a step at a time until it parks in the bottom right-hand
// corner. Pure arithmetic over the window's and the screen's geometry; the window's timers only
// call into it.
#pragma once

namespace quiravel::windows {

// What the motion reads and writes, all in twips. Every read goes to the window system anew.
class CornerGeometry {
 public:
  virtual ~CornerGeometry() = default;

  virtual int screenWidth() const = 0;
  virtual int screenHeight() const = 0;
  virtual int windowWidth() const = 0;
  virtual int windowHeight() const = 0;
  virtual int windowTop() const = 0;
  virtual void setWindowLeft(int left) = 0;
  virtual void setWindowTop(int top) = 0;
};

class CornerMotion {
 public:
  // Twips between the window's right edge and the screen's right edge.
  static constexpr int kRightGap = 100;
  // Twips the window rises at each step.
  static constexpr int kStep = 50;
  // The window parks once its bottom edge lies more than this above the screen's bottom edge.
  static constexpr int kParkingGap = 300;

  // Steps from the screen's bottom edge until a window of this height parks.
  static constexpr int stepsToPark(int windowHeight) {
    return (windowHeight + kParkingGap) / kStep + 1;
  }
  // Where a window of this height parks on a screen of this height.
  static constexpr int parkedTop(int screenHeight, int windowHeight) {
    return screenHeight - kStep * stepsToPark(windowHeight);
  }

  enum class State { NotPlaced, Sliding, Parked };

  explicit CornerMotion(CornerGeometry& geometry) : geometry_(geometry) {}
  CornerMotion(const CornerMotion&) = delete;
  CornerMotion& operator=(const CornerMotion&) = delete;

  // Form_Load: the right edge kRightGap inside the screen's right edge, the top edge on the
  // screen's bottom edge; the window starts sliding. Left is never written again.
  void place();

  // Timer1_Timer: lifts a sliding window by kStep, from the Top the window reports. The parking
  // check normally runs between any two steps; a step that finds it has not run since the last
  // step runs it first, so that a late check never lets the window overshoot its corner.
  void step();

  // Timer2_Timer: parks a sliding window whose Top lies above the threshold, reading the
  // screen's height anew. Nothing moves a parked window again.
  void check();

  State state() const { return state_; }
  bool isSliding() const { return state_ == State::Sliding; }
  bool isParked() const { return state_ == State::Parked; }

 private:
  CornerGeometry& geometry_;
  State state_ = State::NotPlaced;
  bool checkOwed_ = false;
};

}  // namespace quiravel::windows
