// The main menu, the program's start window: the two tests, "X" to end, "?" for About.
#pragma once

#include "ui/frame/form_window.h"

namespace quiravel::frame {
class Label;
class Outline;
}  // namespace quiravel::frame

namespace quiravel::windows {

class MainMenuWindow : public frame::FormWindow {
  Q_OBJECT

 public:
  explicit MainMenuWindow(QWidget* parent = nullptr);

  // The menu's own About text, lines joined by CR LF.
  static QString aboutText();

  // The controls that the colour steps paint and Up and Down move between.
  struct Controls {
    frame::Label* label1;
    frame::Label* label2;
    frame::Outline* shape1;
    frame::Outline* shape2;
  };

 Q_SIGNALS:
  void depressionChosen();  // Label1_Click
  void anxietyChosen();     // Label2_Click
  void endRequested();      // cmdX_Click: the program ends at once

 protected:
  void formMouseMove(int button) override { Form_MouseMove(button); }
  void formKeyDown(int key, Qt::KeyboardModifiers modifiers) override {
    Form_KeyDown(key, modifiers);
  }

 private:
  void Form_MouseMove(int button);
  void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void Label1_MouseMove(int button);
  void Label2_MouseMove(int button);
  void Label1_MouseDown(int button);
  void Label2_MouseDown(int button);
  void about_Click();

  Controls controls_{};
};

}  // namespace quiravel::windows
