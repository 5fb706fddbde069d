#include "ui/frame/window_instance.h"

#include "ui/frame/accessibility.h"

namespace quiravel::frame {

WindowHolder::WindowHolder(Factory factory, QObject* parent)
    : QObject(parent), factory_(std::move(factory)) {}

WindowHolder::~WindowHolder() = default;

FormWindow& WindowHolder::load() {
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

void WindowHolder::show() {
  FormWindow& window = load();
  window.show();
  window.raise();
  if (!window.testAttribute(Qt::WA_ShowWithoutActivating))
    window.activateWindow();
}

void WindowHolder::hide() {
  load().hide();
}

void WindowHolder::unload() {
  if (!window_)
    return;
  FormWindow* window = window_.release();
  window->silence();
  window->deleteLater();
  Q_EMIT unloaded();
}

}  // namespace quiravel::frame
