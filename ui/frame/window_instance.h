// The single instance of a window design and its life cycle: not loaded, loaded and hidden,
// loaded and visible.
#pragma once

#include "ui/frame/form_window.h"

#include <QObject>

#include <functional>
#include <memory>

namespace quiravel::frame {

class WindowHolder : public QObject {
  Q_OBJECT

 public:
  // Makes a new window with its controls from the layout; the load handler runs afterwards.
  using Factory = std::function<std::unique_ptr<FormWindow>()>;

  explicit WindowHolder(Factory factory, QObject* parent = nullptr);
  ~WindowHolder() override;

  bool isLoaded() const { return window_ != nullptr; }
  bool isVisible() const { return window_ && window_->isVisible(); }
  // The loaded window, or null.
  FormWindow* window() const { return window_.get(); }

  // Loads the window hidden if it is not loaded: creates it, then runs its load handler.
  FormWindow& load();
  // Loads if needed, makes the window visible where it is and brings it to the front. Never
  // modal; returns at once.
  void show();
  // Loads if needed (hidden) and hides the window; it stays loaded, its timers keep running.
  void hide();
  // Destroys the window with its controls and timers; the next use loads it afresh. Safe to
  // call from inside one of the window's own handlers: the window disappears and goes quiet at
  // once, and its object is deleted once control is back in the event loop.
  void unload();

 Q_SIGNALS:
  // The window was created and its controls exist; its load handler runs right after.
  void created(quiravel::frame::FormWindow* window);
  void unloaded();

 private:
  Factory factory_;
  std::unique_ptr<FormWindow> window_;
};

// Typed access to one window design's single instance. As with a property of a window that is
// not loaded, using `->` loads the window (hidden) first.
template <class W>
class WindowInstance : public WindowHolder {
 public:
  using WindowHolder::WindowHolder;

  W* operator->() { return static_cast<W*>(&load()); }
  W& get() { return static_cast<W&>(load()); }
  // The loaded window, or null; never loads.
  W* loadedWindow() const { return static_cast<W*>(window()); }
};

}  // namespace quiravel::frame
