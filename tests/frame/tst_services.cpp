// What the frame does for every window: key preview, the drag, the About box, and the colour
// steps.
#include "tests/support/forms.h"
#include "tests/support/input.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/about_box.h"
#include "ui/frame/colour_scheme.h"
#include "ui/frame/form_window.h"
#include "ui/frame/layout.h"
#include "ui/frame/window_drag.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

constexpr FrameSpec kFrame{"Keys", 4500, 3000, 0x00000000, true, false, ""};

class KeyForm : public FormWindow {
 public:
  KeyForm() : FormWindow(kFrame) {
    edit = new QLineEdit(this);
    edit->setGeometry(10, 10, 100, 20);
    title = addLabel(this, titleLabelSpec("Title", 4500, 135, 9, 0x00FF8080));
    connect(title, &Label::mouseMove, this, [this](int button) {
      if (button == kLeftButton)
        beginWindowDrag(this);
    });
  }
  QLineEdit* edit;
  Label* title;
  QList<int> keysSeen;
  QStringList textWhenSeen;
  QList<int> backgroundMoves;

 protected:
  void formKeyDown(int key, Qt::KeyboardModifiers) override {
    keysSeen.append(key);
    textWhenSeen.append(edit->text());
  }
  void formMouseMove(int button) override {
    if (button == kLeftButton)
      beginWindowDrag(this);
    backgroundMoves.append(button);
  }
};

}  // namespace

class TestServices : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void keyPreviewSeesEachKeyOnceBeforeTheFocusedControl() {
    KeyForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.activateWindow();
    form.edit->setFocus();
    QTRY_VERIFY(form.edit->hasFocus());
    QTest::keyClick(form.windowHandle(), Qt::Key_A);
    QTest::keyClick(form.windowHandle(), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(form.keysSeen, (QList<int>{Qt::Key_A, Qt::Key_Shift, Qt::Key_Return}));
    // The window saw the key before the control did, and the control still got it.
    QCOMPARE(form.textWhenSeen.first(), QString());
    QCOMPARE(form.edit->text(), QStringLiteral("a"));
  }

  void dragStartsOnlyWithTheLeftButtonAlone_data() {
    addColumns<bool, int, int>({"onTitle", "buttons", "drags"});
    for (bool onTitle : {true, false}) {
      const char* where = onTitle ? "title" : "background";
      QTest::addRow("%s, left", where) << onTitle << int(Qt::LeftButton) << 1;
      QTest::addRow("%s, none", where) << onTitle << int(Qt::NoButton) << 0;
      QTest::addRow("%s, right", where) << onTitle << int(Qt::RightButton) << 0;
      QTest::addRow("%s, middle", where) << onTitle << int(Qt::MiddleButton) << 0;
      QTest::addRow("%s, left and right", where)
          << onTitle << int(Qt::LeftButton | Qt::RightButton) << 0;
    }
  }
  void dragStartsOnlyWithTheLeftButtonAlone() {
    QFETCH(bool, onTitle);
    QFETCH(int, buttons);
    QFETCH(int, drags);
    KeyForm form;
    const quiravel::test::Seams seams(quiravel::test::Seams::kDrag);
    const QList<QWidget*>& dragged = seams.drags;
    sendMove(onTitle ? static_cast<QWidget*>(form.title) : &form, QPoint(100, 3),
             Qt::MouseButtons(buttons));
    QCOMPARE(dragged.count(), drags);
    if (drags)
      QCOMPARE(dragged.first(), &form);
  }

  void dragReturnsBeforeTheHandlerGoesOn() {
    KeyForm form;
    quiravel::test::Seams seams(quiravel::test::Seams::kDrag);
    QList<int> movesSeenByDrag;
    seams.onDrag = [&](QWidget*) { movesSeenByDrag.append(form.backgroundMoves.size()); };
    sendMove(&form, QPoint(100, 100), Qt::LeftButton);
    // The drag ran before the background handler's next step.
    QCOMPARE(movesSeenByDrag, QList<int>{0});
    QCOMPARE(form.backgroundMoves, QList<int>{1});
  }

  // The point grabbed stays under the pointer, from the movement that begins the drag on.
  void dragFollowsThePointerFromItsFirstMovement() {
    KeyForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint origin = form.pos();
    QWindow* handle = form.windowHandle();
    const QPoint grabbed = handle->mapToGlobal(QPoint(100, 3));  // on the title
    const auto pointerTo = [handle](QPoint global) {
      QTest::mouseMove(handle, handle->mapFromGlobal(global));
    };
    QTest::mousePress(handle, Qt::LeftButton, {}, handle->mapFromGlobal(grabbed));
    QPoint afterFirst;
    QTimer::singleShot(0, &form, [&] {  // inside the drag
      afterFirst = form.pos();
      pointerTo(grabbed + QPoint(60, 45));
      QTest::mouseRelease(handle, Qt::LeftButton, {},
                          handle->mapFromGlobal(grabbed + QPoint(60, 45)));
    });
    pointerTo(grabbed + QPoint(10, 7));
    QCOMPARE(afterFirst, origin + QPoint(10, 7));
    QCOMPARE(form.pos(), origin + QPoint(60, 45));
  }

  void aboutBoxSeamGetsTheText() {
    KeyForm form;
    const quiravel::test::Seams seams(quiravel::test::Seams::kAbout);
    showAboutBox(&form, QStringLiteral("line one\r\nline two"));
    QCOMPARE(seams.aboutParents, QList<QWidget*>{&form});
    QCOMPARE(seams.aboutTexts, QStringList{QStringLiteral("line one\r\nline two")});
  }

  void realAboutBoxLooksAsItShould() {
    QCOMPARE(applicationTitle(), QStringLiteral("Quiravel"));
    KeyForm form;
    form.show();
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool modal = false;
    // Answer the box from inside its own modal loop.
    QTimer::singleShot(0, this, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      icon = box->icon();
      buttons = box->buttons().size();
      modal = box->windowModality() == Qt::ApplicationModal;
      box->button(QMessageBox::Ok)->click();
    });
    showAboutBox(&form, QStringLiteral("Quiravel v.1.0\r\n\r\n<b>not bold</b> "));
    QCOMPARE(title, QStringLiteral("Quiravel"));
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(buttons, 1);
    QVERIFY(modal);
    QCOMPARE(text, QStringLiteral("Quiravel v.1.0\n\n<b>not bold</b> "));
  }

  void colourStepsRunInOrder() {
    KeyForm form;
    LabelSpec spec = labelSpec("Label1", "entry", 0, 1500, 3000, 300);
    spec.back = 0x00FFFFFF;
    spec.fore = 0x00800080;
    struct Controls {
      Label* label;
      Outline* outline;
    } controls{addLabel(&form, spec), addOutline(&form, {"Shape1", 0, 1500, 3000, 300, 0, 2})};
    constexpr ColourStep<Controls> steps[] = {
        backColour(&Controls::label, 0x00000001), backColour(&Controls::label, 0x00800080),
        foreColour(&Controls::label, 0x00FFFFFF), borderColour(&Controls::outline, 0x00FFFFFF)};
    applyColours(controls, steps);
    QCOMPARE(controls.label->backColor(), 0x00800080u);
    QCOMPARE(controls.label->foreColor(), 0x00FFFFFFu);
    QCOMPARE(controls.outline->borderColor(), 0x00FFFFFFu);
  }
};

QTEST_MAIN(TestServices)
#include "tst_services.moc"
