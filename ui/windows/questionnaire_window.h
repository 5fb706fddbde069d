// The questionnaire window: one row per item of a test, each with the item's text and a "No" /
// "Yes" answer list, and "Score Your Test" below them. The depression and the anxiety
// questionnaire are this one window built from two designs.
#pragma once

#include "engine/screening.h"
#include "ui/frame/form_window.h"
#include "ui/windows/questionnaire_designs.h"

#include <vector>

namespace quiravel::frame {
class DropDownList;
class Label;
class Line;
class Outline;
}  // namespace quiravel::frame

namespace quiravel::windows {

class QuestionnaireWindow : public frame::FormWindow {
  Q_OBJECT

 public:
  explicit QuestionnaireWindow(const QuestionnaireDesign& design, QWidget* parent = nullptr);

  const engine::ScreeningTest& test() const;

  // "Score Your Test" and its outline, which the colour steps paint.
  struct Controls {
    frame::Label* label1;
    frame::Outline* shape1;
  };

  // Form_Load
  void formLoad() override;

 Q_SIGNALS:
  void loaded();
  // A mouse button went down on "Score Your Test" (after it took its pressed colour).
  void scorePressed();
  // The answers were scored: by a click on "Score Your Test" or by the Enter key.
  void scored(const quiravel::engine::ScreeningResult& result);
  // "X": this window is to be closed, and the result window with it.
  void closeRequested();

 protected:
  void formKeyDown(int key, Qt::KeyboardModifiers modifiers) override {
    Form_KeyDown(key, modifiers);
  }
  void formMouseMove(int button) override { Form_MouseMove(button); }

 private:
  // The window's making, part by part.
  void addScoreLabel();
  frame::Label* addQuestion(const QuestionRow& row, const engine::TestItem& item);
  void addAnswerList(const QuestionRow& row, const engine::TestItem& item, frame::Label* question);
  frame::Line* addSeparator(const QuestionRow& row);
  void chainTabOrder(frame::Label* about, frame::Label* cmdX);

  void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
  void Form_MouseMove(int button);
  void Label1_MouseMove(int button);
  void Label1_MouseDown(int button);
  void Label1_Click();
  void cmdX_Click();
  void about_Click();

  const QuestionnaireDesign& design_;
  std::vector<frame::DropDownList*> combo1_;  // Combo1(0) .. Combo1(n - 1)
  Controls controls_{};
};

}  // namespace quiravel::windows
