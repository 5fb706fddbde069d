// What the random-input soak checks between two events: the invariants of one run of the
// program, watched from outside through the window instances and the signals they give.
#pragma once

#include "app/app_shell.h"
#include "engine/screening.h"
#include "tests/support/questionnaire.h"
#include "tests/support/session.h"
#include "ui/frame/drop_down_list.h"
#include "ui/windows/main_menu_window.h"
#include "ui/windows/questionnaire_window.h"

#include <QApplication>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace soak {

using quiravel::app::AppShell;
using quiravel::engine::AnswerState;
using quiravel::engine::ScreeningResult;
using quiravel::engine::ScreeningTest;
using quiravel::frame::DropDownList;
using quiravel::frame::FormWindow;
using quiravel::frame::WindowHolder;
using quiravel::test::resultTexts;

// One window design and the slot that holds its single instance.
struct Design {
  QString name;
  WindowHolder* slot;
  const ScreeningTest* test;  // the questionnaires' test, else null
  bool hasAbout;              // the menu and the questionnaires have "?" and drag handles
};

// The shell's windows, in its order, with what the soak knows of each design.
inline std::array<Design, 5> designsOf(AppShell& shell) {
  const std::array<WindowHolder*, 5> inShell = shell.windowHolders();
  return {{
      {QStringLiteral("Form0"), inShell[0], nullptr, true},
      {QStringLiteral("Form1"), inShell[1], &quiravel::engine::depressionTest(), true},
      {QStringLiteral("Form11"), inShell[2], &quiravel::engine::anxietyTest(), true},
      {QStringLiteral("Form2"), inShell[3], nullptr, false},
      {QStringLiteral("Welcome"), inShell[4], nullptr, false},
  }};
}

inline bool isDesignName(const QString& name) {
  return name == QLatin1String("Form0") || name == QLatin1String("Form1") ||
         name == QLatin1String("Form11") || name == QLatin1String("Form2") ||
         name == QLatin1String("Welcome");
}

inline QString describeAnswers(const std::vector<AnswerState>& answers) {
  QString text;
  for (AnswerState answer : answers) {
    text.append(answer == AnswerState::Yes  ? QLatin1Char('Y')
                : answer == AnswerState::No ? QLatin1Char('N')
                                            : QLatin1Char('-'));
  }
  return text;
}

// Watches one run of the program from its start to its end. Make it before the program
// starts, so that it sees every window load.
class Watch {
 public:
  explicit Watch(AppShell& shell) : shell_(shell), designs_(designsOf(shell)) {
    for (std::size_t i = 0; i < designs_.size(); ++i) {
      QObject::connect(designs_[i].slot, &WindowHolder::created, &context_,
                       [this, i](FormWindow* window) { onCreated(i, window); });
      QObject::connect(designs_[i].slot, &WindowHolder::unloaded, &context_,
                       [this, i] { onUnloaded(i); });
    }
    QObject::connect(&shell, &AppShell::programEnded, &context_, [this] { ended_ = true; });
  }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  const std::array<Design, 5>& designs() const { return designs_; }
  bool ended() const { return ended_; }
  // Edits of answer fields refused so far.
  int edits() const { return edits_; }
  int scores() const { return scores_; }
  // Scores with at least one "Yes" among the answers.
  int scoresWithYes() const { return scoresWithYes_; }

  // What went wrong while events were being handled, since the last call; empty if nothing.
  QString takeProblems() {
    const QString text = problems_.join(QLatin1String("; "));
    problems_.clear();
    return text;
  }

  // A window drag began (through the drag seam) with `held` buttons down.
  void noteDrag(QWidget* window, Qt::MouseButtons held) {
    const Design* design = designOnScreen(window);
    if (!design || !design->hasAbout) {
      problems_.append(QStringLiteral("a window drag began on %1, which is not the menu or a "
                                      "questionnaire on screen")
                           .arg(nameOf(window)));
    } else if (held != Qt::LeftButton) {
      problems_.append(QStringLiteral("a drag of %1 began with buttons 0x%2 held; only the left "
                                      "button alone drags")
                           .arg(design->name)
                           .arg(int(held), 0, 16));
    }
  }

  // An About box was asked for (through the About seam).
  void noteAbout(QWidget* parent, const QString& text) {
    const Design* design = designOnScreen(parent);
    if (!design || !design->hasAbout) {
      problems_.append(QStringLiteral("an About box was asked for by %1, which is not the menu "
                                      "or a questionnaire on screen")
                           .arg(nameOf(parent)));
      return;
    }
    const QString expected = design->test ? QString::fromStdString(design->test->aboutText)
                                          : quiravel::windows::MainMenuWindow::aboutText();
    if (text != expected)
      problems_.append(QStringLiteral("%1's About box shows another text").arg(design->name));
  }

  // The invariants of a running program; empty when they all hold. Call once the program has
  // settled and windows that were unloaded have been deleted.
  QString check() const {
    QStringList problems;
    const QWidgetList topLevels = QApplication::topLevelWidgets();
    // At most one window per design, and that one is the loaded window of its instance.
    for (const Design& design : designs_) {
      int count = 0;
      for (const QWidget* widget : topLevels)
        count += widget->objectName() == design.name ? 1 : 0;
      const FormWindow* loaded = design.slot->window();
      if (count > 1)
        problems.append(QStringLiteral("%1 windows of %2 exist").arg(count).arg(design.name));
      if (!loaded && count > 0)
        problems.append(
            QStringLiteral("a %1 window exists though %1 is not loaded").arg(design.name));
      if (loaded && loaded->objectName() != design.name)
        problems.append(QStringLiteral("the %1 instance holds a window named %2")
                            .arg(design.name, loaded->objectName()));
    }
    // Nothing on screen that is not loaded. Besides the windows, only the lists' and fields'
    // own popups may be up, while their window is, and tool tips.
    for (QWidget* widget : topLevels) {
      if (!widget->isVisible())
        continue;
      if (isDesignName(widget->objectName())) {
        if (!designOnScreen(widget))
          problems.append(QStringLiteral("a %1 window is on screen but is not the loaded %1")
                              .arg(widget->objectName()));
      } else if (widget->windowType() == Qt::Popup) {
        QWidget* owner = widget->parentWidget() ? widget->parentWidget()->window() : nullptr;
        if (!owner || !designOnScreen(owner))
          problems.append(
              QStringLiteral("a popup (%1) is on screen while its window %2 is not")
                  .arg(QLatin1String(widget->metaObject()->className()), nameOf(owner)));
      } else if (widget->windowType() != Qt::ToolTip) {
        problems.append(
            QStringLiteral("an unexpected window is on screen: %1 \"%2\"")
                .arg(QLatin1String(widget->metaObject()->className()), widget->objectName()));
      }
    }
    // The result window shows what last wrote into it: its design texts, or the engine's
    // result for the answers of the questionnaire that last scored, as they were then.
    if (const FormWindow* result = shell_.form2().loadedWindow()) {
      if (!result_) {
        problems.append(QStringLiteral("Form2 is loaded but was never seen loading"));
      } else if (resultTexts(result) != result_->texts) {
        problems.append(
            QStringLiteral("Form2 shows [%1] instead of %2 [%3]")
                .arg(resultTexts(result).join(QLatin1String(" | ")),
                     result_->writer.isEmpty()
                         ? QStringLiteral("its design texts")
                         : QStringLiteral("the result of %1's answers %2 at its last score")
                               .arg(result_->writer, describeAnswers(result_->answers)),
                     result_->texts.join(QLatin1String(" | "))));
      }
    }
    // The menu stays on screen until the program ends.
    if (!ended_ && !shell_.form0().isVisible())
      problems.append(QStringLiteral("the menu is gone though the program has not ended"));
    return problems.join(QLatin1String("; "));
  }

  // What must hold once the program has ended: nothing on screen, no timer running.
  QString checkEnded() const {
    QStringList problems;
    for (const Design& design : designs_) {
      if (design.slot->isVisible())
        problems.append(QStringLiteral("%1 is still on screen").arg(design.name));
      if (const FormWindow* window = design.slot->window()) {
        for (const QTimer* timer : window->findChildren<QTimer*>()) {
          if (timer->isActive())
            problems.append(
                QStringLiteral("%1's %2 still runs").arg(design.name, timer->objectName()));
        }
      }
    }
    return problems.join(QLatin1String("; "));
  }

  // The loaded design window that `widget` is, if it is on screen; else null.
  const Design* designOnScreen(const QWidget* widget) const {
    for (const Design& design : designs_) {
      if (widget && design.slot->window() == widget && widget->isVisible())
        return &design;
    }
    return nullptr;
  }

  // A short name for a window in messages.
  static QString nameOf(const QWidget* widget) {
    if (!widget)
      return QStringLiteral("no window");
    if (!widget->objectName().isEmpty())
      return widget->objectName();
    return QLatin1String(widget->metaObject()->className());
  }

 private:
  struct ResultRecord {
    QStringList texts;                 // what Label1, Label2 and Label3 must show
    QString writer;                    // the questionnaire that wrote them; empty: the design
    std::vector<AnswerState> answers;  // its answers when it wrote them
  };

  void onCreated(std::size_t index, FormWindow* window) {
    const Design& design = designs_[index];
    if (design.test) {
      auto* questionnaire = qobject_cast<quiravel::windows::QuestionnaireWindow*>(window);
      if (!questionnaire) {
        problems_.append(QStringLiteral("%1 is not a questionnaire window").arg(design.name));
        return;
      }
      // Connected after the application shell's own connection, so this runs once the result
      // has been written.
      QObject::connect(questionnaire, &quiravel::windows::QuestionnaireWindow::scored, &context_,
                       [this, index] { onScored(index); });
      for (DropDownList* list : window->findChildren<DropDownList*>())
        QObject::connect(list, &DropDownList::change, &context_, [this] { ++edits_; });
    } else if (design.name == QLatin1String("Form2")) {
      result_ = ResultRecord{resultTexts(window), QString(), {}};
    }
  }

  void onUnloaded(std::size_t index) {
    if (designs_[index].name == QLatin1String("Form2"))
      result_.reset();
  }

  void onScored(std::size_t index) {
    ++scores_;
    const Design& design = designs_[index];
    const FormWindow* questionnaire = design.slot->window();
    if (!questionnaire) {
      problems_.append(QStringLiteral("%1 scored while it is not loaded").arg(design.name));
      return;
    }
    // The answers its lists hold now, read by their names, in item order.
    std::vector<AnswerState> answers;
    for (std::size_t i = 0; i < design.test->items.size(); ++i) {
      const DropDownList* list = quiravel::test::combo(questionnaire, static_cast<int>(i));
      if (!list) {
        problems_.append(QStringLiteral("%1 has no Combo1(%2)").arg(design.name).arg(i));
        return;
      }
      answers.push_back(
          quiravel::engine::answerFromListIndex(static_cast<std::int16_t>(list->currentIndex())));
    }
    if (std::find(answers.begin(), answers.end(), AnswerState::Yes) != answers.end())
      ++scoresWithYes_;
    const QStringList expected = resultTexts(quiravel::engine::scoreTest(*design.test, answers));
    const FormWindow* result = shell_.form2().loadedWindow();
    if (!result) {
      problems_.append(QStringLiteral("a score by %1 left no result window").arg(design.name));
    } else if (resultTexts(result) != expected) {
      problems_.append(QStringLiteral("a score by %1 with answers %2 wrote [%3] instead of [%4]")
                           .arg(design.name, describeAnswers(answers),
                                resultTexts(result).join(QLatin1String(" | ")),
                                expected.join(QLatin1String(" | "))));
    }
    if (shell_.welcome().isVisible())
      problems_.append(
          QStringLiteral("a score by %1 left the disclaimer on screen").arg(design.name));
    result_ = ResultRecord{expected, design.name, std::move(answers)};
  }

  AppShell& shell_;
  std::array<Design, 5> designs_;
  QObject context_;
  std::optional<ResultRecord> result_;  // while Form2 is loaded
  QStringList problems_;
  int edits_ = 0;
  int scores_ = 0;
  int scoresWithYes_ = 0;
  bool ended_ = false;
};

}  // namespace soak
