// The application shell: the single instance of each of the five windows, the start, which
// window shows, hides or unloads which, and when the program ends.
#pragma once

#include "ui/frame/window_instance.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/main_menu_window.h"
#include "ui/windows/questionnaire_window.h"
#include "ui/windows/result_window.h"

#include <QObject>

#include <array>

namespace quiravel::app {

class AppShell : public QObject {
  Q_OBJECT

 public:
  explicit AppShell(QObject* parent = nullptr);
  ~AppShell() override;

  // Shows the main menu; nothing else is loaded.
  void start();

  // The single instance of each window; using one does not load it.
  frame::WindowInstance<windows::MainMenuWindow>& form0() { return form0_; }
  frame::WindowInstance<windows::QuestionnaireWindow>& form1() { return form1_; }
  frame::WindowInstance<windows::QuestionnaireWindow>& form11() { return form11_; }
  frame::WindowInstance<windows::ResultWindow>& form2() { return form2_; }
  frame::WindowInstance<windows::DisclaimerWindow>& welcome() { return welcome_; }

  // All five, in the order above: the one list of the program's windows.
  std::array<frame::WindowHolder*, 5> windowHolders() {
    return {&form0_, &form1_, &form11_, &form2_, &welcome_};
  }

  bool hasEnded() const { return ended_; }

 Q_SIGNALS:
  // The program ends: every window has already disappeared and no handler runs any more.
  void programEnded();

 private:
  std::unique_ptr<frame::FormWindow> makeMainMenu();
  std::unique_ptr<frame::FormWindow> makeQuestionnaire(
      const windows::QuestionnaireDesign& design,
      frame::WindowInstance<windows::QuestionnaireWindow>& self);
  template <class W>
  std::unique_ptr<frame::FormWindow> makeCornerWindow(frame::WindowInstance<W>& self);

  void endProgram();

  frame::WindowInstance<windows::MainMenuWindow> form0_;
  frame::WindowInstance<windows::QuestionnaireWindow> form1_;
  frame::WindowInstance<windows::QuestionnaireWindow> form11_;
  frame::WindowInstance<windows::ResultWindow> form2_;
  frame::WindowInstance<windows::DisclaimerWindow> welcome_;
  bool ended_ = false;
};

}  // namespace quiravel::app
