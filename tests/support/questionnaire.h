// A questionnaire window as the tests open it, and its controls by their layout names.
#pragma once

#include "ui/frame/window_instance.h"
#include "ui/windows/questionnaire_window.h"

#include <QString>

#include <functional>
#include <memory>

namespace quiravel::frame {
class DropDownList;
class Label;
}  // namespace quiravel::frame

namespace quiravel::test {

using Questionnaire = frame::WindowInstance<windows::QuestionnaireWindow>;

// "Form1": the depression design; "Form11": the anxiety design.
const windows::QuestionnaireDesign& designNamed(const QString& form);

// Data rows for a test of both questionnaires: a column "form" with the rows "Form1" and
// "Form11".
void addQuestionnaireRows();

// Makes `instance` a new single instance of the questionnaire `design` (with `wire` run on each
// window it creates, before the window loads), shows it and waits until it is on screen.
// Returns the window, or nullptr if it did not come up.
windows::QuestionnaireWindow* openQuestionnaire(
    std::unique_ptr<Questionnaire>& instance, const windows::QuestionnaireDesign& design,
    const std::function<void(windows::QuestionnaireWindow*)>& wire = {});

// The answer list Combo1(index) and the label `name` of `window`.
frame::DropDownList* combo(const QWidget* window, int index);
frame::Label* label(const QWidget* window, const QString& name);

// The number of items of the window's test.
int itemCount(const windows::QuestionnaireWindow* window);

}  // namespace quiravel::test
