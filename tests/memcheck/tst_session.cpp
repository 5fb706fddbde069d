// One whole session with the program, walked step by step as a user goes through it, for a
// memory check under valgrind: every window loads, is used and unloads again, both tests are
// answered by choosing, typing and pasting, scored by the pointer and by Enter, the About
// boxes and the drags are asked for, windows are closed by their "X", by a double click and by
// the window system, and the program ends both ways and starts again. Each step checks what
// the user sees, so that a session that went wrong cannot pass as a clean memory check. Waits
// are generous: under memcheck everything runs many times slower.
#include "app/app_shell.h"
#include "app/sandbox.h"
#include "engine/screening.h"
#include "tests/support/questionnaire.h"
#include "tests/support/seams.h"
#include "tests/support/session.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

using namespace quiravel::app;
using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

constexpr int kPatience = 120000;  // ms

void key(FormWindow* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(window->windowHandle(), key, modifiers);
}

}  // namespace

class TestSession : public QObject {
  Q_OBJECT

  std::unique_ptr<AppShell> shell_;
  // The real drag and About box are modal loops: recorded instead.
  std::optional<Seams> seams_;

  FormWindow* menu() { return shell_->form0().loadedWindow(); }

  // Gives a list the keyboard focus, as a click into its field would.
  static bool focus(DropDownList* list) {
    list->window()->activateWindow();
    list->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([list] { return QApplication::focusWidget() == list; }, kPatience);
  }

  void endOfProgram() {
    QVERIFY(shell_->hasEnded());
    for (quiravel::frame::WindowHolder* slot : shell_->windowHolders())
      QVERIFY(!slot->isVisible());
    shell_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

 public:
  static void initMain() { quiravel::app::enterSandbox(); }  // as the program, before Qt

 private Q_SLOTS:
  void initTestCase() { seams_.emplace(Seams::kDrag | Seams::kAbout); }

  void cleanupTestCase() {
    shell_.reset();
    seams_.reset();
  }

  void aWholeSession() {
    shell_ = std::make_unique<AppShell>();
    shell_->start();
    QVERIFY(shell_->form0().isVisible());

    // The depression test: the disclaimer comes with it.
    clickLabel(menu(), "Label1");
    FormWindow* form1 = shell_->form1().loadedWindow();
    QVERIFY(form1 && form1->isVisible());
    QVERIFY(shell_->welcome().isVisible());

    // Item 1 answered "Yes" from the list's popup.
    DropDownList* first = combo(form1, 0);
    first->showPopup();
    QAbstractItemView* popup = first->view();
    QTRY_VERIFY_WITH_TIMEOUT(popup->isVisible(), kPatience);
    const QRect yes = popup->visualRect(first->model()->index(1, 0));
    QTest::mouseMove(popup->viewport(), yes.center());
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, yes.center());
    QTRY_VERIFY_WITH_TIMEOUT(!popup->isVisible(), kPatience);
    QCOMPARE(first->currentIndex(), 1);

    // Item 2: what is typed is refused.
    DropDownList* second = combo(form1, 1);
    const QString untouched = second->currentText();
    QVERIFY(focus(second));
    key(form1, Qt::Key_End);
    for (const char c : {'Y', 'e', 's'})
      QTest::keyClick(form1->windowHandle(), c);
    QCOMPARE(second->currentText(), untouched);

    // Item 3: so is what is pasted.
    QGuiApplication::clipboard()->setText(QStringLiteral("Yes"));
    DropDownList* third = combo(form1, 2);
    QVERIFY(focus(third));
    key(form1, Qt::Key_End);
    key(form1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(third->currentText(), untouched);

    // Item 4 answered "Yes" by the arrow keys.
    DropDownList* fourth = combo(form1, 3);
    QVERIFY(focus(fourth));
    key(form1, Qt::Key_Down);
    key(form1, Qt::Key_Down);
    QCOMPARE(fourth->currentIndex(), 1);

    // Scored by the pointer: the result window shows the result of two "Yes".
    clickLabel(form1, "Label1");
    FormWindow* result = shell_->form2().loadedWindow();
    QVERIFY(result && result->isVisible());
    QVERIFY(!shell_->welcome().isVisible());
    QCOMPARE(resultTexts(result), resultTexts(resultWithYes(depressionTest(), {1, 4})));

    // About, and a drag by the caption bar.
    clickLabel(form1, "about");
    QCOMPARE(seams_->aboutTexts.size(), 1);
    Label* title = label(form1, "title");
    QTest::mousePress(title, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(title, QPoint(9, 6));
    QTest::mouseRelease(title, Qt::LeftButton, {}, QPoint(9, 6));
    QCOMPARE(seams_->drags.size(), 1);

    // The anxiety test alongside, scored by Enter with all unanswered: the shared result
    // window shows its result.
    clickLabel(menu(), "Label2");
    FormWindow* form11 = shell_->form11().loadedWindow();
    QVERIFY(form11 && form11->isVisible());
    key(form11, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(resultTexts(result), resultTexts(resultWithYes(anxietyTest(), {})));

    // The result window closed by a double click, the disclaimer by its "X".
    QTest::mouseDClick(result, Qt::LeftButton, {}, QPoint(2, result->height() - 2));
    QVERIFY(!shell_->form2().isLoaded());
    clickLabel(shell_->welcome().loadedWindow(), "cmdX");
    QVERIFY(!shell_->welcome().isLoaded());

    // The anxiety questionnaire closed by the window system, the depression one by its "X"
    // after one more score.
    form11->close();
    QVERIFY(!shell_->form11().isLoaded());
    key(form1, Qt::Key_Return);
    QVERIFY(shell_->form2().isLoaded());
    clickLabel(form1, "cmdX");
    QVERIFY(!shell_->form1().isLoaded());
    QVERIFY(!shell_->form2().isLoaded());

    // The menu's About; the depression test again, afresh; then the menu's "X" ends it all.
    clickLabel(menu(), "about");
    QCOMPARE(seams_->aboutTexts.size(), 2);
    clickLabel(menu(), "Label1");
    form1 = shell_->form1().loadedWindow();
    QVERIFY(form1 && form1->isVisible());
    QCOMPARE(combo(form1, 0)->currentIndex(), -1);
    QVERIFY(shell_->welcome().isVisible());
    clickLabel(form1, "Label1");
    QSignalSpy ended(shell_.get(), &AppShell::programEnded);
    clickLabel(menu(), "cmdX");
    QCOMPARE(ended.count(), 1);
    endOfProgram();

    // A second run, ended by the window system's close of the menu.
    shell_ = std::make_unique<AppShell>();
    shell_->start();
    clickLabel(menu(), "Label2");
    form11 = shell_->form11().loadedWindow();
    QVERIFY(form11 && form11->isVisible());
    clickLabel(form11, "Label1");
    QVERIFY(shell_->form2().isVisible());
    menu()->close();
    endOfProgram();
  }
};

QTEST_MAIN(TestSession)
#include "tst_session.moc"
