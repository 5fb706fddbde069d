#include "tests/support/session.h"

#include "tests/support/questionnaire.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"

#include <QTest>

#include <vector>

namespace quiravel::test {

void clickLabel(QWidget* window, const QString& name) {
  frame::Label* target = label(window, name);
  QVERIFY2(target, qPrintable(name));
  QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(2, 2));
}

void chooseAnswers(QWidget* window, const QList<int>& yes, const QList<int>& no) {
  for (int item : yes)
    combo(window, item - 1)->setCurrentIndex(1);
  for (int item : no)
    combo(window, item - 1)->setCurrentIndex(0);
}

engine::ScreeningResult resultWithYes(const engine::ScreeningTest& test, const QList<int>& yes,
                                      engine::AnswerState others) {
  std::vector<engine::AnswerState> answers(test.items.size(), others);
  for (int item : yes)
    answers.at(static_cast<std::size_t>(item - 1)) = engine::AnswerState::Yes;
  return engine::scoreTest(test, answers);
}

QStringList resultTexts(const QWidget* window) {
  QStringList texts;
  for (const char* name : {"Label1", "Label2", "Label3"}) {
    const frame::Label* shown = label(window, QLatin1String(name));
    texts.append(shown ? shown->caption() : QStringLiteral("<no %1>").arg(QLatin1String(name)));
  }
  return texts;
}

QStringList resultTexts(const engine::ScreeningResult& result) {
  return {QString::fromStdString(result.scoreLine), QString::fromStdString(result.caption),
          QString::fromStdString(result.advice)};
}

}  // namespace quiravel::test
