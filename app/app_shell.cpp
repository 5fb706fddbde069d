#include "app/app_shell.h"

#include "ui/frame/accessibility.h"

namespace quiravel::app {

using frame::FormWindow;
using frame::WindowInstance;
using windows::DisclaimerWindow;
using windows::MainMenuWindow;
using windows::QuestionnaireWindow;
using windows::ResultWindow;

AppShell::AppShell(QObject* parent)
    : QObject(parent),
      form0_([this] { return makeMainMenu(); }, this),
      form1_([this] { return makeQuestionnaire(windows::depressionDesign(), form1_); }, this),
      form11_([this] { return makeQuestionnaire(windows::anxietyDesign(), form11_); }, this),
      form2_([this] { return makeCornerWindow(form2_); }, this),
      welcome_([this] { return makeCornerWindow(welcome_); }, this) {}

AppShell::~AppShell() = default;

void AppShell::start() {
  form0_.show();
}

// The navigation, every place where one window acts on another, is wired below; its table is
// in docs/how-it-works.md ("Navigation").
//
// Program end. The menu stays loaded and visible from the start to the end, and however it is
// closed — its "X" or the window system's close command — the program ends at once. So no
// other window outlives it: in particular a disclaimer window hidden by a score can never keep
// the program running with nothing on screen.

std::unique_ptr<FormWindow> AppShell::makeMainMenu() {
  auto menu = std::make_unique<MainMenuWindow>();
  connect(menu.get(), &MainMenuWindow::depressionChosen, this, [this] { form1_.show(); });
  connect(menu.get(), &MainMenuWindow::anxietyChosen, this, [this] { form11_.show(); });
  connect(menu.get(), &MainMenuWindow::endRequested, this, &AppShell::endProgram);
  connect(menu.get(), &FormWindow::systemCloseRequested, this, &AppShell::endProgram);
  return menu;
}

std::unique_ptr<FormWindow> AppShell::makeQuestionnaire(const windows::QuestionnaireDesign& design,
                                                        WindowInstance<QuestionnaireWindow>& self) {
  auto window = std::make_unique<QuestionnaireWindow>(design);
  QuestionnaireWindow* w = window.get();
  connect(w, &QuestionnaireWindow::loaded, this, [this] {
    // A screen reader reads the disclaimer out as it comes into view; one that is on screen
    // already is read out again for the questionnaire that opens now.
    const bool onScreen = welcome_.isVisible();
    welcome_.show();
    if (onScreen)
      frame::announce(welcome_.window());
  });
  connect(w, &QuestionnaireWindow::scorePressed, this, [this] { form2_.show(); });
  connect(w, &QuestionnaireWindow::scored, this, [this](const engine::ScreeningResult& result) {
    welcome_.hide();
    form2_->showResult(result);
  });
  connect(w, &QuestionnaireWindow::closeRequested, this, [this, &self] {
    self.unload();
    form2_.unload();
  });
  connect(w, &FormWindow::systemCloseRequested, this, [&self] { self.unload(); });
  return window;
}

template <class W>
std::unique_ptr<FormWindow> AppShell::makeCornerWindow(WindowInstance<W>& self) {
  auto window = std::make_unique<W>();
  connect(window.get(), &W::closeRequested, this, [&self] { self.unload(); });
  connect(window.get(), &FormWindow::systemCloseRequested, this, [&self] { self.unload(); });
  return window;
}

void AppShell::endProgram() {
  if (ended_)
    return;
  ended_ = true;
  // Every window disappears at once and goes quiet; the objects go when the shell does.
  for (frame::WindowHolder* holder : windowHolders()) {
    if (FormWindow* window = holder->window())
      window->silence();
    holder->blockSignals(true);
  }
  Q_EMIT programEnded();
}

}  // namespace quiravel::app
