#include "ui/frame/window_instance.h"

#include "ui/frame/accessibility.h"

namespace quiravel::frame {

WindowSlot::WindowSlot(Factory factory, QObject* parent)
    : QObject(parent), factory_(std::move(factory)) {}

WindowSlot::~WindowSlot() = default;

FormWindow& WindowSlot::load() {
  if (!window_) {
    {
      // Built out of sight: assistive technology meets the window when it shows.
      const AccessibilityQuiet quiet;
      window_ = factory_();
    }
    Q_ASSERT(window_);
    FormWindow* window = window_.get();
    Q_EMIT created(window);
    window->formLoad();
  }
  return *window_;
}

void WindowSlot::show() {
  FormWindow& window = load();
  window.show();
  window.raise();
  if (!window.testAttribute(Qt::WA_ShowWithoutActivating))
    window.activateWindow();
}

void WindowSlot::hide() {
  load().hide();
}

void WindowSlot::unload() {
  if (!window_)
    return;
  FormWindow* window = window_.release();
  window->stopTimers();
  window->hide();
  // No signal of the unloaded window reaches anyone any more.
  window->blockSignals(true);
  window->deleteLater();
  Q_EMIT unloaded();
}

}  // namespace quiravel::frame
