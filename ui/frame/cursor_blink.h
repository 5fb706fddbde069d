// The text cursor's blinking, limited to the moments the user is at the keyboard.
#pragma once

#include <QObject>

#include <chrono>

class QTimer;

namespace quiravel::frame {

// Lets the text cursor blink at the desktop's rate while the user works, and holds it still,
// drawn, once no key, click or focus change has come for `rest` (ten seconds by default, as
// GTK programs on the same desktop do). The next key press, click or focus change makes it
// blink again. A blinking cursor wakes the program twice a second for as long as a text field
// has the focus; a still one costs nothing, and nothing blinks on and on at a reader.
//
// Application-wide while it exists; on destruction the desktop's rate is restored. Where the
// desktop has blinking switched off, it leaves everything as it is.
class CursorBlinkLimit final : public QObject {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kDefaultRest{10'000};

  explicit CursorBlinkLimit(QObject* parent = nullptr,
                            std::chrono::milliseconds rest = kDefaultRest);
  ~CursorBlinkLimit() override;

  // Whether text cursors blink at the moment.
  bool blinking() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void wake();
  void rest();

  QTimer* restTimer_;
  int desktopFlashTime_;
};

}  // namespace quiravel::frame
