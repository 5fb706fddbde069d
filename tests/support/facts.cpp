// quiravel_facts: the program's facts, as JSON on stdout, for the tests that drive it from
// outside (quiravel_support/facts.py). Everything comes from the program's own tables and code:
// the five windows built on the offscreen platform at 96 dpi (their sizes, start places and
// controls), the engine's texts, the refusal lines, and, for each `--screen WIDTHxHEIGHT` (twips),
// where CornerMotion places and parks each corner window.
#include "app/display_refusal.h"
#include "engine/screening.h"
#include "ui/windows/corner_motion.h"
#include "ui/windows/disclaimer_window.h"
#include "ui/windows/main_menu_window.h"
#include "ui/windows/questionnaire_window.h"
#include "ui/windows/result_window.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <memory>
#include <vector>

using namespace quiravel;

namespace {

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// A corner window's motion on a screen of this size, all in twips.
class Corner : public windows::CornerGeometry {
 public:
  Corner(int screenWidth, int screenHeight, const frame::FormWindow& window)
      : screen_(screenWidth, screenHeight), size_(window.widthTwips(), window.heightTwips()) {}
  int screenWidth() const override { return screen_.width(); }
  int screenHeight() const override { return screen_.height(); }
  int windowWidth() const override { return size_.width(); }
  int windowHeight() const override { return size_.height(); }
  int windowTop() const override { return top_; }
  void setWindowLeft(int left) override { left_ = left; }
  void setWindowTop(int top) override { top_ = top; }

  QJsonObject slide() {
    windows::CornerMotion motion(*this);
    motion.place();
    const int left = left_, startTop = top_;
    int steps = 0;
    for (motion.check(); !motion.isParked() && steps < 100000; motion.check()) {
      motion.step();
      ++steps;
    }
    return {{"left", left}, {"start_top", startTop}, {"parked_top", top_}, {"steps", steps}};
  }

 private:
  QSize screen_, size_;
  int left_ = 0, top_ = 0;
};

QJsonObject window(const frame::FormWindow& form) {
  QJsonObject controls;
  for (const QWidget* control : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect r = control->geometry();
    if (!control->objectName().isEmpty())
      controls[control->objectName()] = QJsonArray{r.x(), r.y(), r.width(), r.height()};
  }
  const int centredLeft = (frame::screenWidthTwips() - form.widthTwips()) / 2;
  const int centredTop = (frame::screenHeightTwips() - form.heightTwips()) / 2;
  return {{"name", form.objectName()},
          {"title", form.windowTitle()},
          {"width", form.widthTwips()},
          {"height", form.heightTwips()},
          {"left", form.leftTwips()},
          {"top", form.topTwips()},
          {"centred", form.leftTwips() == centredLeft && form.topTwips() == centredTop},
          {"controls", controls}};
}

// The texts of a test, and what the result window shows for each total: the result of that
// many "Yes" answers, scored by the engine.
QJsonObject test(const engine::ScreeningTest& screening) {
  QJsonArray questions, results;
  std::vector<engine::AnswerState> answers(screening.items.size(), engine::AnswerState::No);
  for (const engine::TestItem& item : screening.items)
    questions.append(qs(item.text));
  for (std::size_t yes = 0; yes <= answers.size(); ++yes) {
    const engine::ScreeningResult result = engine::scoreTest(screening, answers);
    results.append(QJsonArray{qs(result.scoreLine), qs(result.caption), qs(result.advice)});
    if (yes < answers.size())
      answers[yes] = engine::AnswerState::Yes;
  }
  return {{"title", qs(screening.displayTitle)},
          {"about", qs(screening.aboutText)},
          {"questions", questions},
          {"results", results}};
}

}  // namespace

int main(int argc, char** argv) {
  // The TCP display's line, with "{}" where the display's name goes.
  const QString display = QStringLiteral("localhost:0");
  qputenv("DISPLAY", display.toUtf8());
  qputenv("QT_QPA_PLATFORM", "xcb");
  const QString tcpRefusal = app::tcpDisplayRefusal().replace(display, QStringLiteral("{}"));
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  QApplication application(argc, argv);

  const std::unique_ptr<frame::FormWindow> forms[] = {
      std::make_unique<windows::MainMenuWindow>(),
      std::make_unique<windows::QuestionnaireWindow>(windows::depressionDesign()),
      std::make_unique<windows::QuestionnaireWindow>(windows::anxietyDesign()),
      std::make_unique<windows::ResultWindow>(),
      std::make_unique<windows::DisclaimerWindow>(),
  };
  QJsonArray windowFacts;
  for (const auto& form : forms)
    windowFacts.append(window(*form));

  QJsonObject screens;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
    if (arguments[i] != QLatin1String("--screen"))
      continue;
    const QStringList size = arguments[++i].split(QLatin1Char('x'));
    QJsonObject corners;
    for (const auto& form : forms) {
      if (qobject_cast<windows::CornerWindow*>(form.get()))
        corners[form->objectName()] =
            Corner(size.value(0).toInt(), size.value(1).toInt(), *form).slide();
    }
    screens[arguments[i]] = corners;
  }

  const QJsonObject facts{
      {"windows", windowFacts},
      {"tests", QJsonObject{{"depression", test(engine::depressionTest())},
                            {"anxiety", test(engine::anxietyTest())}}},
      {"menu_about", windows::MainMenuWindow::aboutText()},
      {"refusals",
       QJsonObject{{"tcp_display", tcpRefusal}, {"eight_bit_display", app::colourDepthRefusal(8)}}},
      {"step_seconds", windows::CornerWindow::kTimer1Interval / 1000.0},
      {"screens", screens},
  };
  std::fputs(QJsonDocument(facts).toJson(QJsonDocument::Indented).constData(), stdout);
  return 0;
}
