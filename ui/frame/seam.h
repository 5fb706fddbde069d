// A seam: a step of the program that a test takes over, such as a modal box, a window drag or
// an announcement to a screen reader, so that the test records or answers what reaches the step
// without blocking on a box or needing a real pointer or screen reader.
#pragma once

#include <functional>
#include <utility>

namespace quiravel::frame {

template <class... Args>
class Seam {
 public:
  using Handler = std::function<void(Args...)>;

  // Runs the test's handler if one is in place, else the program's own step `real`.
  template <class Real>
  void run(Real&& real, Args... args) const {
    if (handler_)
      handler_(args...);
    else
      std::forward<Real>(real)(args...);
  }

  // Puts `handler` in place (an empty one gives the step back to the program) and returns the
  // handler that was in place.
  Handler replace(Handler handler) { return std::exchange(handler_, std::move(handler)); }

 private:
  Handler handler_;
};

}  // namespace quiravel::frame
