// A random-input soak of the whole program. With a fixed seed, printed at the start, it sends
// thousands of random events to whatever windows are on screen: pointer moves with every
// button mask, presses, releases, clicks, double clicks and the wheel, aimed at random points
// and, more often, at the controls that matter; keys with modifiers, Enter and keypad Enter
// among them; typing, input-method text and pasting into the answer fields; entries chosen
// from the lists' popups; the window system's activation and close; and pauses in which the
// corner windows slide. After each event, once the program has settled, it checks:
//
//  - there is at most one window per design, and it is the loaded window of its instance;
//  - nothing is on screen that is not loaded (popups of a window on screen and tool tips
//    aside);
//  - the result window shows what last wrote into it. When a questionnaire last wrote it, its
//    three texts equal the engine's result for the answers that questionnaire's lists held at
//    the moment it scored: checked right at the score, and after every later event against
//    the answers recorded then. The texts follow a score, not the lists: an answer changed
//    after the score leaves them as they were until the next score, so "the answers the lists
//    hold" is read as of the moment the texts were written. While no answer has changed since,
//    that is the same as the answers the lists hold now;
//  - the program still answers: a queued call runs, and the menu is on screen unless the
//    program has ended. When it has ended, nothing is left on screen and no timer runs; the
//    soak then starts the program afresh and goes on.
//
// A failure names the seed and the event's number and what it did, and the events before it;
//   QUIRAVEL_SOAK_SEED=<seed> QUIRAVEL_SOAK_EVENTS=<number> build/tests/app_tst_soak
// replays the run up to it. QUIRAVEL_SOAK_EVENTS alone sets a longer run, and the logging rule
// quiravel.soak.debug=true prints every event as it is sent. What the pointer can reach does
// not depend on time, so a seed gives the same events on any machine; only the toolkit's own
// few real-time delays (such as a list popup ignoring a release right after it opened) may
// take a replay another way.
#include "app/app_shell.h"
#include "app/sandbox.h"
#include "engine/screening.h"
#include "tests/app/soak_hands.h"
#include "tests/app/soak_watch.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/layout.h"
#include "ui/frame/window_drag.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QLoggingCategory>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

using namespace quiravel::app;
using namespace quiravel::frame;
using namespace quiravel::test;
using soak::Design;
using soak::Hands;
using soak::Watch;

Q_LOGGING_CATEGORY(lcSoak, "quiravel.soak", QtInfoMsg)

namespace {

// The default run: about a minute in the sanitizer build on a two-core machine.
constexpr std::uint32_t kDefaultSeed = 20240611;
constexpr qint64 kDefaultEvents = 20000;
// How long one event may take before the soak gives up on the program: only a loop of the
// program's own that never returns can take this long.
constexpr int kStuckMs = 60000;

qint64 eventsToRun() {
  bool ok = false;
  const qint64 events = qEnvironmentVariable("QUIRAVEL_SOAK_EVENTS").toLongLong(&ok);
  return ok && events > 0 ? events : kDefaultEvents;
}

std::uint32_t seedToUse() {
  bool ok = false;
  const std::uint32_t seed = qEnvironmentVariable("QUIRAVEL_SOAK_SEED").toUInt(&ok, 0);
  return ok ? seed : kDefaultSeed;
}

QString buttonsText(Qt::MouseButtons buttons) {
  QStringList names;
  if (buttons & Qt::LeftButton)
    names.append(QStringLiteral("left"));
  if (buttons & Qt::RightButton)
    names.append(QStringLiteral("right"));
  if (buttons & Qt::MiddleButton)
    names.append(QStringLiteral("middle"));
  return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char('+'));
}

QString modifiersText(Qt::KeyboardModifiers modifiers) {
  QString text;
  if (modifiers & Qt::ControlModifier)
    text += QLatin1String("Ctrl+");
  if (modifiers & Qt::AltModifier)
    text += QLatin1String("Alt+");
  if (modifiers & Qt::ShiftModifier)
    text += QLatin1String("Shift+");
  if (modifiers & Qt::MetaModifier)
    text += QLatin1String("Meta+");
  if (modifiers & Qt::KeypadModifier)
    text += QLatin1String("Keypad+");
  return text;
}

// Printable form of typed text.
QString shown(const QString& text) {
  QString out;
  for (const QChar c : text) {
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
      out += QLatin1String("\\n");
    else if (c == QLatin1Char('\t'))
      out += QLatin1String("\\t");
    else
      out += c;
  }
  return QLatin1Char('"') + out + QLatin1Char('"');
}

constexpr const char* kTexts[] = {"Yes",
                                  "No",
                                  "yes",
                                  "no",
                                  "YES",
                                  "y",
                                  "n",
                                  "Y",
                                  " ",
                                  "  Yes  ",
                                  "No ",
                                  " Yes",
                                  "Yes No",
                                  "Maybe",
                                  "1",
                                  "0",
                                  "-1",
                                  "Yes\n",
                                  "No\n",
                                  "\t",
                                  "\u00e9",
                                  "\u00df",
                                  "\u0646\u0639\u0645",
                                  "\u662f",
                                  "\U0001F642",
                                  "YesYesYesYesYesYesYesYesYesYesYesYesYesYesYesYesYesYesYesYes"};

struct KeyKind {
  Qt::Key key;
  const char* text;  // what it types without modifiers
  const char* name;
};

constexpr KeyKind kKeys[] = {
    {Qt::Key_Return, "\r", "Return"},
    {Qt::Key_Enter, "\r", "Enter"},
    {Qt::Key_Tab, "\t", "Tab"},
    {Qt::Key_Backtab, "", "Backtab"},
    {Qt::Key_Up, "", "Up"},
    {Qt::Key_Down, "", "Down"},
    {Qt::Key_Left, "", "Left"},
    {Qt::Key_Right, "", "Right"},
    {Qt::Key_Home, "", "Home"},
    {Qt::Key_End, "", "End"},
    {Qt::Key_PageUp, "", "PageUp"},
    {Qt::Key_PageDown, "", "PageDown"},
    {Qt::Key_Backspace, "\b", "Backspace"},
    {Qt::Key_Delete, "\x7f", "Delete"},
    {Qt::Key_Escape, "\x1b", "Escape"},
    {Qt::Key_Space, " ", "Space"},
    {Qt::Key_F4, "", "F4"},
    {Qt::Key_Insert, "", "Insert"},
    {Qt::Key_Menu, "", "Menu"},
    {Qt::Key_F1, "", "F1"},
    {Qt::Key_Y, "y", "Y"},
    {Qt::Key_E, "e", "E"},
    {Qt::Key_S, "s", "S"},
    {Qt::Key_N, "n", "N"},
    {Qt::Key_O, "o", "O"},
    {Qt::Key_X, "x", "X"},
    {Qt::Key_A, "a", "A"},
    {Qt::Key_C, "c", "C"},
    {Qt::Key_V, "v", "V"},
    {Qt::Key_Z, "z", "Z"},
    {Qt::Key_1, "1", "1"},
};

// The kinds of event, and how often each comes.
enum class Kind {
  Move,
  MoveWithButtons,
  Press,
  Release,
  Click,
  DoubleClick,
  Wheel,
  Key,
  Enter,
  Type,
  Paste,
  InputMethod,
  Copy,
  Choose,
  Activate,
  Close,
  Pause,
};

struct KindWeight {
  Kind kind;
  int weight;
  const char* name;
};

constexpr KindWeight kKinds[] = {
    {Kind::Move, 18, "move"},        {Kind::MoveWithButtons, 6, "move with buttons"},
    {Kind::Press, 7, "press"},       {Kind::Release, 7, "release"},
    {Kind::Click, 20, "click"},      {Kind::DoubleClick, 5, "double click"},
    {Kind::Wheel, 3, "wheel"},       {Kind::Key, 12, "key"},
    {Kind::Enter, 4, "enter"},       {Kind::Type, 5, "type"},
    {Kind::Paste, 4, "paste"},       {Kind::InputMethod, 2, "input method"},
    {Kind::Copy, 2, "copy"},         {Kind::Choose, 6, "choose"},
    {Kind::Activate, 2, "activate"}, {Kind::Close, 2, "window system close"},
    {Kind::Pause, 2, "pause"},
};

}  // namespace

class TestSoak : public QObject {
  Q_OBJECT

 public:
  static void initMain() { quiravel::app::enterSandbox(); }  // as the program, before Qt

  TestSoak() {
    // A longer run than the default may take longer than Qt Test gives one test function.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT")) {
      const qint64 ms = std::max<qint64>(300000, eventsToRun() * 100);
      qputenv("QTEST_FUNCTION_TIMEOUT", QByteArray::number(ms));
    }
    stuck_.setSingleShot(true);
    stuck_.setInterval(kStuckMs);
    connect(&stuck_, &QTimer::timeout, this, [this] {
      qFatal(
          "soak: seed %u, event #%lld (%s) has not returned after %d s: the program is stuck "
          "in a loop of its own",
          seed_, number_, qPrintable(current_), kStuckMs / 1000);
    });
  }

 private Q_SLOTS:
  void initTestCase() {
    // The offscreen platform cannot raise windows or grab the keyboard; thousands of events
    // would say so thousands of times.
    previousHandler_ = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
          if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not "
                                                                       "support")))
            return;
          previousHandler_(type, context, message);
        });
    // The real drag follows the pointer in a loop of its own until the left button comes up,
    // and the real About box is modal: record both instead, and check where they came from.
    seams_.emplace(Seams::kDrag | Seams::kAbout);
    seams_->onDrag = [this](QWidget* window) {
      // The buttons of the pointer event that is being handled.
      if (watch_)
        watch_->noteDrag(window, QGuiApplication::mouseButtons());
    };
    seams_->onAbout = [this](QWidget* parent, const QString& text) {
      if (watch_)
        watch_->noteAbout(parent, text);
    };
  }

  void cleanupTestCase() {
    qInstallMessageHandler(previousHandler_);
    seams_.reset();
  }

  void cleanup() { stopProgram(); }

  // The checks themselves see what they are there to see.
  void checksSeeAStrayWindow_data() {
    addColumns<QString, QString>({"name", "reported"});
    dataRow("a second menu", "Form0", "2 windows of Form0 exist");
    dataRow("a result window not loaded", "Form2",
            "a Form2 window is on screen but is not the loaded Form2");
    dataRow("a window of no design", "Stray", "an unexpected window is on screen");
  }
  void checksSeeAStrayWindow() {
    QFETCH(QString, name);
    QFETCH(QString, reported);
    startProgram();
    QCOMPARE(watch_->check(), QString());
    auto stray = std::make_unique<QWidget>();
    stray->setObjectName(name);
    stray->show();
    const QString problems = watch_->check();
    QVERIFY2(problems.contains(reported), qPrintable(problems));
    stray.reset();
    QCOMPARE(watch_->check(), QString());
  }

  void checksSeeResultTextsThatNoScoreWrote() {
    startProgram();
    clickControl(shell_->form0().loadedWindow(), "Label1");
    FormWindow* form1 = shell_->form1().loadedWindow();
    QVERIFY(form1);
    quiravel::test::combo(form1, 2)->setCurrentIndex(1);
    clickControl(form1, "Label1");
    QVERIFY(settle().isEmpty());
    QCOMPARE(watch_->scores(), 1);
    QCOMPARE(watch_->takeProblems(), QString());
    QCOMPARE(watch_->check(), QString());
    // An answer changed after the score leaves the texts as they were; that is no fault.
    quiravel::test::combo(form1, 0)->setCurrentIndex(1);
    QCOMPARE(watch_->check(), QString());
    // Texts that no score of these answers wrote are.
    shell_->form2()->showResult(quiravel::engine::scoreTest(
        quiravel::engine::anxietyTest(),
        std::vector<quiravel::engine::AnswerState>(10, quiravel::engine::AnswerState::Yes)));
    const QString problems = watch_->check();
    QVERIFY2(problems.contains(QLatin1String("Form2 shows")), qPrintable(problems));
    // The next score puts things right.
    clickControl(form1, "Label1");
    QVERIFY(settle().isEmpty());
    QCOMPARE(watch_->takeProblems(), QString());
    QCOMPARE(watch_->check(), QString());
  }

  void checksSeeADragWithoutTheLeftButtonAlone() {
    startProgram();
    QWindow* menu = shell_->form0().loadedWindow()->windowHandle();
    hands_.press(menu, QPoint(5, 5), Qt::LeftButton, {});
    quiravel::frame::beginWindowDrag(shell_->form0().loadedWindow());
    QCOMPARE(watch_->takeProblems(), QString());
    hands_.press(menu, QPoint(5, 5), Qt::RightButton, {});
    quiravel::frame::beginWindowDrag(shell_->form0().loadedWindow());
    const QString problems = watch_->takeProblems();
    QVERIFY2(problems.contains(QLatin1String("only the left button alone drags")),
             qPrintable(problems));
    hands_.release(menu, QPoint(5, 5), Qt::RightButton, {});
    hands_.release(menu, QPoint(5, 5), Qt::LeftButton, {});
  }

  void checksSeeWindowsLeftOnScreenAtTheEnd() {
    startProgram();
    clickControl(shell_->form0().loadedWindow(), "Label2");
    QVERIFY(shell_->form11().isVisible());
    clickControl(shell_->form0().loadedWindow(), "cmdX");
    QVERIFY(watch_->ended());
    QCOMPARE(watch_->checkEnded(), QString());
    shell_->form11().show();
    const QString problems = watch_->checkEnded();
    QVERIFY2(problems.contains(QLatin1String("Form11 is still on screen")), qPrintable(problems));
  }

  void randomEvents() {
    seed_ = seedToUse();
    const qint64 events = eventsToRun();
    qInfo("soak: seed %u, %lld events (QUIRAVEL_SOAK_SEED and QUIRAVEL_SOAK_EVENTS change them)",
          seed_, events);
    rng_.seed(seed_);
    startProgram();
    int runs = 1;
    int scores = 0;
    int scoresWithYes = 0;
    for (number_ = 1; number_ <= events; ++number_) {
      current_.clear();
      stuck_.start();
      randomEvent();
      stuck_.stop();
      recent_.push_back(QStringLiteral("#%1 %2").arg(number_).arg(current_));
      if (recent_.size() > 30)
        recent_.pop_front();

      QString problems = settle();
      if (problems.isEmpty())
        problems = watch_->takeProblems();
      if (problems.isEmpty() && watch_->ended()) {
        problems = watch_->checkEnded();
        scores += watch_->scores();
        scoresWithYes += watch_->scoresWithYes();
        stopProgram();
        if (problems.isEmpty())
          problems = leftOnScreen();
        startProgram();
        ++runs;
      } else if (problems.isEmpty()) {
        problems = watch_->check();
      }
      if (!problems.isEmpty()) {
        for (const QString& line : recent_)
          qInfo("soak: %s", qPrintable(line));
        QFAIL(qPrintable(QStringLiteral("seed %1, event #%2 (%3): %4. Replay with "
                                        "QUIRAVEL_SOAK_SEED=%1 QUIRAVEL_SOAK_EVENTS=%2 "
                                        "build/tests/app_tst_soak")
                             .arg(seed_)
                             .arg(number_)
                             .arg(current_, problems)));
      }
    }
    scores += watch_->scores();
    scoresWithYes += watch_->scoresWithYes();
    QString kinds;
    for (const auto& [name, count] : kindCounts_)
      kinds += QStringLiteral(" %1 %2,").arg(QString::fromStdString(name)).arg(count);
    qInfo(
        "soak: %lld events in %d runs of the program; %d scores (%d with a Yes), %d drags, %d "
        "About boxes;%s",
        events, runs, scores, scoresWithYes, int(seams_->drags.size()),
        int(seams_->aboutTexts.size()), qPrintable(kinds.chopped(1)));
    // A run that never got as far as scoring answers would check little.
    QVERIFY(scoresWithYes > 0 || events < 1000);
  }

 private:
  // ---- the program ----

  void startProgram() {
    shell_ = std::make_unique<AppShell>();
    watch_ = std::make_unique<Watch>(*shell_);
    shell_->start();
    QCoreApplication::processEvents();
  }

  void stopProgram() {
    watch_.reset();
    shell_.reset();
    hands_.forget();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // After the program has gone: nothing of it may be left.
  static QString leftOnScreen() {
    QStringList problems;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
      if (soak::isDesignName(widget->objectName()))
        problems.append(
            QStringLiteral("a %1 window outlived the program").arg(widget->objectName()));
      else if (widget->isVisible() && widget->windowType() != Qt::ToolTip)
        problems.append(QStringLiteral("%1 is still on screen after the program has gone")
                            .arg(Watch::nameOf(widget)));
    }
    return problems.join(QLatin1String("; "));
  }

  // Lets everything queued run, the deletion of unloaded windows among it, until a round brings
  // no more refused edits. Each round is a queued call that must come back.
  QString settle() {
    for (int round = 0; round < 1000; ++round) {
      const int edits = watch_->edits();
      const int expected = ++pingsSent_;
      QMetaObject::invokeMethod(
          this, [this] { ++pingsAnswered_; }, Qt::QueuedConnection);
      if (!QTest::qWaitFor([this, expected] { return pingsAnswered_ >= expected; }, 30000))
        return QStringLiteral("the program stopped answering: a queued call did not run");
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      if (watch_->edits() == edits)
        return {};
    }
    return QStringLiteral("answer fields went on being edited by themselves");
  }

  // ---- helpers for the fixed checks ----

  void clickControl(FormWindow* window, const char* name) {
    auto* control = window->findChild<QWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    QVERIFY2(control, name);
    const QPoint at = control->mapTo(window, control->rect().center());
    hands_.press(window->windowHandle(), at, Qt::LeftButton, {});
    if (window->windowHandle())
      hands_.release(window->windowHandle(), at, Qt::LeftButton, {});
  }

  // ---- randomness ----

  int pick(int n) { return static_cast<int>(rng_() % static_cast<std::uint32_t>(n)); }
  bool chance(int percent) { return pick(100) < percent; }
  QPoint pointIn(const QRect& rect) {
    return {rect.left() + pick(rect.width()), rect.top() + pick(rect.height())};
  }

  Kind randomKind() {
    // An open list is there to be chosen from, more often than not.
    QWidget* popup = QApplication::activePopupWidget();
    const bool listOpen = popup && !qobject_cast<QMenu*>(popup);
    const auto weight = [listOpen](const KindWeight& k) {
      return k.kind == Kind::Choose && listOpen ? 60 : k.weight;
    };
    int total = 0;
    for (const KindWeight& k : kKinds)
      total += weight(k);
    int at = pick(total);
    for (const KindWeight& k : kKinds) {
      if (at < weight(k)) {
        ++kindCounts_[k.name];
        return k.kind;
      }
      at -= weight(k);
    }
    return Kind::Move;
  }

  Qt::MouseButton randomButton() {
    const int n = pick(20);
    return n < 12 ? Qt::LeftButton : n < 17 ? Qt::RightButton : Qt::MiddleButton;
  }

  Qt::KeyboardModifiers randomModifiers() {
    switch (pick(20)) {
      case 0:
      case 1:
        return Qt::ShiftModifier;
      case 2:
      case 3:
        return Qt::ControlModifier;
      case 4:
        return Qt::AltModifier;
      case 5:
        return Qt::ControlModifier | Qt::ShiftModifier;
      case 6:
        return Qt::AltModifier | Qt::ShiftModifier;
      case 7:
        return Qt::MetaModifier;
      case 8:
        return Qt::ControlModifier | Qt::AltModifier;
      default:
        return Qt::NoModifier;
    }
  }

  Qt::KeyboardModifiers pointerModifiers() {
    return chance(85) ? Qt::NoModifier : randomModifiers();
  }

  QString randomText() {
    if (chance(25)) {
      QString text;
      const int length = 1 + pick(12);
      for (int i = 0; i < length; ++i)
        text.append(QChar(0x20 + pick(0x5F)));
      return text;
    }
    return QString::fromUtf8(kTexts[pick(static_cast<int>(std::size(kTexts)))]);
  }

  // ---- what is on screen ----

  // Windows the pointer can reach, in a fixed order: the design windows on screen, then the
  // open popup. Points are aimed anywhere in a window, also at a part that lies off the
  // screen: what the pointer can reach must not depend on how far a corner window has slid in
  // the time the events took, or a seed would not replay its run.
  std::vector<QWidget*> reachable() const {
    std::vector<QWidget*> windows;
    for (const Design& design : watch_->designs()) {
      QWidget* window = design.slot->window();
      if (window && window->isVisible() && window->windowHandle())
        windows.push_back(window);
    }
    QWidget* popup = QApplication::activePopupWidget();
    if (popup && popup->isVisible() && popup->windowHandle())
      windows.push_back(popup);
    return windows;
  }

  // The questionnaires, the menu and what else takes the keyboard, on screen.
  std::vector<QWidget*> focusable() const {
    std::vector<QWidget*> windows;
    for (QWidget* window : reachable()) {
      if (!(window->windowFlags() & Qt::WindowDoesNotAcceptFocus) &&
          window->windowType() != Qt::Popup)
        windows.push_back(window);
    }
    return windows;
  }

  QString nameOf(const QWidget* window) const {
    if (soak::isDesignName(window->objectName()))
      return window->objectName();
    QString owner;
    for (const QWidget* w = window->parentWidget(); w; w = w->parentWidget()) {
      if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"))) {
        owner = w->objectName();
        if (w->parentWidget())
          owner += QLatin1String(" in ") + w->window()->objectName();
        break;
      }
    }
    const QString kind =
        qobject_cast<const QMenu*>(window) ? QStringLiteral("menu") : QStringLiteral("popup");
    return owner.isEmpty() ? kind : kind + QLatin1String(" of ") + owner;
  }

  // What lies under a point of a window, for the event's description.
  static QString under(const QWidget* window, QPoint at) {
    const QWidget* child = window->childAt(at);
    while (child && child->parentWidget() != window)
      child = child->parentWidget();
    if (!child)
      return QStringLiteral("background");
    return child->objectName().isEmpty() ? QLatin1String(child->metaObject()->className())
                                         : child->objectName();
  }

  // How much a control draws the pointer: the named controls that do things far more than
  // the texts, the lines and the background. The menu's "X" ends the program, so rarely.
  static int weightOf(const QWidget* window, const QWidget* control) {
    const QString name = control->objectName();
    const bool menu = window->objectName() == QLatin1String("Form0");
    if (name == QLatin1String("cmdX"))
      return menu ? 1 : 5;
    if (name == QLatin1String("Label1") || name == QLatin1String("Label2"))
      return 14;
    if (name == QLatin1String("about") || name == QLatin1String("title"))
      return 4;
    if (name.startsWith(QLatin1String("Combo1(")))
      return 4;
    return 1;
  }

  // A point in a window, most often on one of its controls. Popups: one of their entries.
  QPoint aimAt(QWidget* window) {
    const QRect reach = window->rect();
    std::vector<std::pair<QRect, int>> spots;
    if (auto* menu = qobject_cast<QMenu*>(window)) {
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator())
          spots.push_back({menu->actionGeometry(action), 1});
      }
    } else if (window->windowType() == Qt::Popup) {
      if (auto* view = window->findChild<QAbstractItemView*>()) {
        for (int row = 0; row < view->model()->rowCount(); ++row) {
          const QRect item = view->visualRect(view->model()->index(row, 0));
          spots.push_back({QRect(view->viewport()->mapTo(window, item.topLeft()), item.size()), 1});
        }
      }
    } else {
      for (QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control->isVisible())
          spots.push_back({control->geometry(), weightOf(window, control)});
      }
    }
    if (!spots.empty() && chance(75)) {
      int total = 0;
      for (const auto& spot : spots)
        total += spot.second;
      int at = pick(total);
      for (const auto& [rect, weight] : spots) {
        if (at < weight) {
          const QRect target = rect & reach;
          if (!target.isEmpty())
            return chance(30) ? target.center() : pointIn(target);
          break;
        }
        at -= weight;
      }
    }
    return pointIn(reach);
  }

  // Where the pointer goes next: the window holding the grab while a button is down (and
  // then anywhere, even outside it), else any window on screen.
  std::pair<QWidget*, QPoint> aim() {
    if (QWindow* grabber = hands_.grabber()) {
      for (QWidget* window : reachable()) {
        if (window->windowHandle() == grabber) {
          QPoint at = aimAt(window);
          if (chance(20))
            at += QPoint(pick(121) - 60, pick(121) - 60);
          return {window, at};
        }
      }
    }
    const std::vector<QWidget*> windows = reachable();
    QWidget* window = windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    return {window, aimAt(window)};
  }

  // The window that gets the keys: the open popup, else the active window. With none, the
  // window system makes one active first.
  QWindow* keyWindow() {
    if (QWidget* popup = QApplication::activePopupWidget())
      return popup->windowHandle();
    QWindow* focus = QGuiApplication::focusWindow();
    for (QWidget* window : focusable()) {
      if (window->windowHandle() == focus)
        return focus;
    }
    const std::vector<QWidget*> windows = focusable();
    if (windows.empty())
      return nullptr;
    QWidget* window = windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    say(QStringLiteral("activate %1, then ").arg(nameOf(window)));
    window->windowHandle()->requestActivate();
    QCoreApplication::processEvents();
    return window->windowHandle() && window->isVisible() ? window->windowHandle() : nullptr;
  }

  QString windowName(QWindow* handle) const {
    for (QWidget* window : reachable()) {
      if (window->windowHandle() == handle)
        return nameOf(window);
    }
    return QStringLiteral("a window");
  }

  // Adds to the description of the event being sent; with the logging rule
  // quiravel.soak.debug=true each part is also printed before it is sent.
  void say(const QString& text) {
    current_ += text;
    qCDebug(lcSoak, "#%lld %s", number_, qPrintable(text));
  }

  // ---- the events ----

  void randomEvent() {
    if (watch_->ended() || reachable().empty()) {
      say(QStringLiteral("nothing on screen"));
      return;
    }
    switch (randomKind()) {
      case Kind::Move:
        return move();
      case Kind::MoveWithButtons:
        return moveWithButtons();
      case Kind::Press:
        return press();
      case Kind::Release:
        return release();
      case Kind::Click:
        return click();
      case Kind::DoubleClick:
        return doubleClick();
      case Kind::Wheel:
        return wheel();
      case Kind::Key:
        return key();
      case Kind::Enter:
        return enter();
      case Kind::Type:
        return type(randomText());
      case Kind::Paste:
        return paste();
      case Kind::InputMethod:
        return inputMethod();
      case Kind::Copy:
        return copy();
      case Kind::Choose:
        return choose();
      case Kind::Activate:
        return activate();
      case Kind::Close:
        return close();
      case Kind::Pause:
        return pause();
    }
  }

  QString where(QWidget* window, QPoint at) const {
    return QStringLiteral("%1 (%2,%3) on %4")
        .arg(nameOf(window))
        .arg(at.x())
        .arg(at.y())
        .arg(under(window, at));
  }

  void move() {
    const auto [window, at] = aim();
    const Qt::KeyboardModifiers modifiers = pointerModifiers();
    say(QStringLiteral("move to %1 with %2%3 held")
            .arg(where(window, at), modifiersText(modifiers), buttonsText(hands_.held())));
    hands_.move(window->windowHandle(), at, modifiers);
  }

  // The buttons change to a random set (each one that changes goes down or up where the
  // pointer is), then the pointer moves on.
  void moveWithButtons() {
    const int mask = pick(8);
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    Qt::MouseButtons wanted;
    for (int i = 0; i < 3; ++i)
      wanted.setFlag(buttons[i], (mask >> i) & 1);
    say(QStringLiteral("buttons to %1: ").arg(buttonsText(wanted)));
    for (int i = 0; i < 3; ++i) {
      const bool want = (mask >> i) & 1;
      if (want == bool(hands_.held() & buttons[i]) || reachable().empty())
        continue;
      const auto [window, at] = aim();
      say(QStringLiteral("%1 %2 at %3, ")
              .arg(want ? QStringLiteral("press") : QStringLiteral("release"),
                   buttonsText(buttons[i]), where(window, at)));
      if (want)
        hands_.press(window->windowHandle(), at, buttons[i], {});
      else
        hands_.release(window->windowHandle(), at, buttons[i], {});
    }
    if (!reachable().empty() && !watch_->ended())
      move();
  }

  // Where a press or click of `button` lands and with which modifiers, said in the log as
  // `what`; now and then the hands hurry.
  struct Aimed {
    QWidget* window;
    QPoint at;
    Qt::KeyboardModifiers modifiers;
  };
  Aimed aimButton(const QString& what, Qt::MouseButton button) {
    const auto [window, at] = aim();
    const Qt::KeyboardModifiers modifiers = pointerModifiers();
    if (chance(10))
      hands_.hurry();
    say(QStringLiteral("%1 %2%3 on %4")
            .arg(what, modifiersText(modifiers), buttonsText(button), where(window, at)));
    return {window, at, modifiers};
  }

  void press() {
    const Qt::MouseButton button = randomButton();
    if (hands_.held() & button)
      return release(button);
    const Aimed aimed = aimButton(QStringLiteral("press"), button);
    hands_.press(aimed.window->windowHandle(), aimed.at, button, aimed.modifiers);
  }

  void release() {
    const Qt::MouseButtons held = hands_.held();
    if (held == Qt::NoButton)
      return move();
    Qt::MouseButton button = randomButton();
    while (!(held & button))
      button = randomButton();
    release(button);
  }

  void release(Qt::MouseButton button) {
    const auto [window, at] = aim();
    say(QStringLiteral("release %1 on %2").arg(buttonsText(button), where(window, at)));
    hands_.release(window->windowHandle(), at, button, {});
  }

  void click() {
    const Qt::MouseButton button = chance(80) ? Qt::LeftButton : randomButton();
    if (hands_.held() & button)
      return release(button);
    const Aimed aimed = aimButton(QStringLiteral("click"), button);
    QPointer<QWindow> handle = aimed.window->windowHandle();
    hands_.press(handle, aimed.at, button, aimed.modifiers);
    if (handle)
      hands_.release(handle, aimed.at, button, aimed.modifiers);
  }

  void doubleClick() {
    const Qt::MouseButton button = chance(85) ? Qt::LeftButton : randomButton();
    if (hands_.held() & button)
      return release(button);
    const auto [window, at] = aim();
    say(QStringLiteral("double click %1 on %2").arg(buttonsText(button), where(window, at)));
    hands_.doubleClick(window->windowHandle(), at, button, {});
  }

  void wheel() {
    const auto [window, at] = aim();
    const int notches = (chance(50) ? 1 : -1) * (1 + pick(2));
    say(QStringLiteral("wheel %1 on %2").arg(notches).arg(where(window, at)));
    hands_.wheel(window->windowHandle(), at, notches, pointerModifiers());
  }

  void key() {
    const KeyKind& kind = kKeys[pick(static_cast<int>(std::size(kKeys)))];
    Qt::KeyboardModifiers modifiers = randomModifiers();
    if (kind.key == Qt::Key_Enter)
      modifiers |= Qt::KeypadModifier;
    // Alt+F4 is the window manager's: it closes the active window.
    if (kind.key == Qt::Key_F4 && modifiers == Qt::AltModifier &&
        !QApplication::activePopupWidget())
      return close(QGuiApplication::focusWindow());
    QWindow* window = keyWindow();
    if (!window)
      return say(QStringLiteral("no window takes keys"));
    QString text = QString::fromLatin1(kind.text);
    if (text.size() == 1 && text.at(0).isLetter()) {
      if (modifiers & Qt::ControlModifier)
        text = QChar(text.at(0).unicode() - 'a' + 1);
      else if (modifiers & Qt::ShiftModifier)
        text = text.toUpper();
    }
    say(QStringLiteral("key %1%2 to %3")
            .arg(modifiersText(modifiers), QLatin1String(kind.name), windowName(window)));
    Hands::key(window, kind.key, text, modifiers);
  }

  void enter() {
    const bool keypad = chance(40);
    const Qt::KeyboardModifiers modifiers = (chance(60) ? Qt::NoModifier : randomModifiers()) |
                                            (keypad ? Qt::KeypadModifier : Qt::NoModifier);
    QWindow* window = keyWindow();
    if (!window)
      return say(QStringLiteral("no window takes keys"));
    say(QStringLiteral("key %1%2 to %3")
            .arg(modifiersText(modifiers),
                 keypad ? QStringLiteral("Enter") : QStringLiteral("Return"), windowName(window)));
    Hands::key(window, keypad ? Qt::Key_Enter : Qt::Key_Return, QStringLiteral("\r"), modifiers);
  }

  void type(const QString& text) {
    QWindow* window = keyWindow();
    if (!window)
      return say(QStringLiteral("no window takes keys"));
    say(QStringLiteral("type %1 to %2").arg(shown(text), windowName(window)));
    QPointer<QWindow> target(window);
    for (const uint code : text.toUcs4()) {
      if (!target || !target->isVisible())
        break;
      const QString typed = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
      if (code == '\n' || code == '\r') {
        Hands::key(target, Qt::Key_Return, QStringLiteral("\r"), {});
      } else if (code == '\t') {
        Hands::key(target, Qt::Key_Tab, typed, {});
      } else if (code < 0x10000) {
        const QChar c(static_cast<char16_t>(code));
        const Qt::Key key = c == QLatin1Char(' ') ? Qt::Key_Space : Qt::Key(c.toUpper().unicode());
        Hands::key(target, key, typed, c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
      } else {
        Hands::key(target, Qt::Key_unknown, typed, {});
      }
    }
  }

  void paste() {
    if (chance(50)) {
      const QString text = randomText();
      say(QStringLiteral("copy %1 elsewhere, ").arg(shown(text)));
      QGuiApplication::clipboard()->setText(text);
    }
    QWindow* window = keyWindow();
    if (!window)
      return say(QStringLiteral("no window takes keys"));
    if (chance(70)) {
      say(QStringLiteral("paste with Ctrl+V to %1").arg(windowName(window)));
      Hands::key(window, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
    } else {
      say(QStringLiteral("paste with Shift+Insert to %1").arg(windowName(window)));
      Hands::key(window, Qt::Key_Insert, QString(), Qt::ShiftModifier);
    }
  }

  void inputMethod() {
    const QString text = randomText();
    if (QApplication::activePopupWidget() || !keyWindow())
      return say(QStringLiteral("input method has no field"));
    const bool taken = Hands::commit(text);
    say(QStringLiteral("input method commits %1 (%2)")
            .arg(shown(text), taken ? QStringLiteral("taken") : QStringLiteral("no field")));
  }

  void copy() {
    const QString text = randomText();
    say(QStringLiteral("copy %1 elsewhere").arg(shown(text)));
    QGuiApplication::clipboard()->setText(text);
  }

  // An entry chosen from an answer list: from its open popup, by the pointer or the keys, or
  // the list's popup opened by its arrow.
  void choose() {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup && !qobject_cast<QMenu*>(popup)) {
      if (chance(60)) {
        const QPoint at = aimAt(popup);
        say(QStringLiteral("choose by the pointer in %1 (%2,%3)")
                .arg(nameOf(popup))
                .arg(at.x())
                .arg(at.y()));
        QPointer<QWindow> handle = popup->windowHandle();
        hands_.move(handle, at, {});
        if (handle)
          hands_.press(handle, at, Qt::LeftButton, {});
        if (handle)
          hands_.release(handle, at, Qt::LeftButton, {});
      } else {
        const Qt::Key step = chance(50) ? Qt::Key_Down : Qt::Key_Up;
        say(QStringLiteral("choose by the keys in %1: %2, Return")
                .arg(nameOf(popup),
                     step == Qt::Key_Down ? QStringLiteral("Down") : QStringLiteral("Up")));
        QPointer<QWindow> handle = popup->windowHandle();
        Hands::key(handle, step, QString(), {});
        if (handle && handle->isVisible())
          Hands::key(handle, Qt::Key_Return, QStringLiteral("\r"), {});
      }
      return;
    }
    std::vector<DropDownList*> lists;
    for (QWidget* window : reachable()) {
      for (DropDownList* list : window->findChildren<DropDownList*>(Qt::FindDirectChildrenOnly))
        lists.push_back(list);
    }
    if (lists.empty())
      return move();
    DropDownList* list = lists[static_cast<std::size_t>(pick(static_cast<int>(lists.size())))];
    QWidget* window = list->window();
    const QPoint at = list->mapTo(window, QPoint(list->width() - 6, list->height() / 2));
    say(QStringLiteral("open the list of %1 in %2").arg(list->objectName(), nameOf(window)));
    QPointer<QWindow> handle = window->windowHandle();
    hands_.press(handle, at, Qt::LeftButton, {});
    if (handle)
      hands_.release(handle, at, Qt::LeftButton, {});
  }

  void activate() {
    const std::vector<QWidget*> windows = focusable();
    if (windows.empty())
      return move();
    QWidget* window = windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))];
    say(QStringLiteral("window system activates %1").arg(nameOf(window)));
    window->windowHandle()->requestActivate();
  }

  // The window system's close of a window on screen; the menu's rarely, since it ends the
  // program.
  void close() {
    std::vector<QWidget*> windows;
    for (QWidget* window : reachable()) {
      if (soak::isDesignName(window->objectName()) &&
          (window->objectName() != QLatin1String("Form0") || chance(15)))
        windows.push_back(window);
    }
    if (windows.empty())
      return move();
    close(
        windows[static_cast<std::size_t>(pick(static_cast<int>(windows.size())))]->windowHandle());
  }

  void close(QWindow* window) {
    if (!window)
      return say(QStringLiteral("window system close of no window"));
    say(QStringLiteral("window system closes %1").arg(windowName(window)));
    QCloseEvent event;
    QCoreApplication::sendEvent(window, &event);
  }

  void pause() {
    const int ms = 1 + pick(40);
    say(QStringLiteral("pause %1 ms").arg(ms));
    QTest::qWait(ms);
  }

  std::unique_ptr<AppShell> shell_;
  std::unique_ptr<Watch> watch_;
  Hands hands_;
  std::mt19937 rng_;
  std::uint32_t seed_ = kDefaultSeed;
  qint64 number_ = 0;
  QString current_;  // what the event being sent does
  std::deque<QString> recent_;
  std::map<std::string, int> kindCounts_;
  QTimer stuck_;
  int pingsSent_ = 0;
  int pingsAnswered_ = 0;
  static inline QtMessageHandler previousHandler_ = nullptr;
  // The real drag follows the pointer in a loop of its own until the left button comes up, and
  // the real About box is modal: both are recorded instead, and checked where they came from.
  std::optional<Seams> seams_;
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
