#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"

#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/layout.h"

#include <QTest>

namespace quiravel::test {

const windows::QuestionnaireDesign& designNamed(const QString& form) {
  return form == QLatin1String("Form1") ? windows::depressionDesign() : windows::anxietyDesign();
}

void addQuestionnaireRows() {
  QTest::addColumn<QString>("form");
  dataRow("Form1", QStringLiteral("Form1"));
  dataRow("Form11", QStringLiteral("Form11"));
}

windows::QuestionnaireWindow* openQuestionnaire(
    std::unique_ptr<Questionnaire>& instance, const windows::QuestionnaireDesign& design,
    const std::function<void(windows::QuestionnaireWindow*)>& wire) {
  instance = std::make_unique<Questionnaire>([&design, wire] {
    auto window = std::make_unique<windows::QuestionnaireWindow>(design);
    if (wire)
      wire(window.get());
    return window;
  });
  instance->show();
  windows::QuestionnaireWindow* window = instance->loadedWindow();
  if (!window || !QTest::qWaitForWindowExposed(window))
    return nullptr;
  return window;
}

frame::DropDownList* combo(const QWidget* window, int index) {
  return window->findChild<frame::DropDownList*>(frame::indexedName("Combo1", index),
                                                 Qt::FindDirectChildrenOnly);
}

frame::Label* label(const QWidget* window, const QString& name) {
  return window->findChild<frame::Label*>(name, Qt::FindDirectChildrenOnly);
}

int itemCount(const windows::QuestionnaireWindow* window) {
  return static_cast<int>(window->test().items.size());
}

}  // namespace quiravel::test
