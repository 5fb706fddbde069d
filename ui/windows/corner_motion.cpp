#include "ui/windows/corner_motion.h"

namespace quiravel::windows {

void CornerMotion::place() {
  geometry_.setWindowLeft(geometry_.screenWidth() - geometry_.windowWidth() - kRightGap);
  geometry_.setWindowTop(geometry_.screenHeight());
  state_ = State::Sliding;
  checkOwed_ = false;
}

void CornerMotion::step() {
  if (checkOwed_)
    check();
  if (state_ != State::Sliding)
    return;
  geometry_.setWindowTop(geometry_.windowTop() - kStep);
  checkOwed_ = true;
}

void CornerMotion::check() {
  checkOwed_ = false;
  if (state_ != State::Sliding)
    return;
  const int threshold = geometry_.screenHeight() - geometry_.windowHeight() - kParkingGap;
  if (threshold > geometry_.windowTop())
    state_ = State::Parked;
}

}  // namespace quiravel::windows
