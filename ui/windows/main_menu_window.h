// The main menu, the program's start window: the two tests, "X" to end, "?" for About.
#pragma once

#include "ui/frame/form_window.h"
#include "ui/frame/window_drag.h"

namespace quiravel::windows {

class MainMenuWindow : public frame::FormWindow {
  Q_OBJECT

 public:
  explicit MainMenuWindow(QWidget* parent = nullptr);

  // The menu's own About text, lines joined by CR LF.
  static QString aboutText();

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
  void title_MouseMove(int button) { frame::dragWithLeftButtonAlone(this, button); }
  void Label1_MouseMove(int button);
  void Label2_MouseMove(int button);
  void Label1_MouseDown(int button);
  void Label2_MouseDown(int button);
  void about_Click();
};

}  // namespace quiravel::windows
