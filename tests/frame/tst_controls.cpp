// Labels, outlines and lines as the user meets them: mouse moves with their button masks,
// presses, clicks and double clicks, and mouse input passing through outlines and lines.
#include "tests/support/forms.h"
#include "tests/support/input.h"
#include "tests/support/rows.h"
#include "ui/frame/form_window.h"
#include "ui/frame/layout.h"

#include <QSignalSpy>
#include <QTest>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

// A window that records what reaches its own background.
class RecordingForm : public FormWindow {
 public:
  RecordingForm() : FormWindow(kFrame) {}
  QList<int> backgroundMoves;
  int backgroundDoubleClicks = 0;

 protected:
  void formMouseMove(int button) override { backgroundMoves.append(button); }
  void formDblClick() override { ++backgroundDoubleClicks; }
};

// kLabel on a form of its own, and what the label reports.
struct LabelOnForm {
  RecordingForm form;
  Label* label = addLabel(&form, kLabel);
  QSignalSpy downs{label, &Label::mouseDown};
  QSignalSpy clicks{label, &Label::click};

  bool show() {
    form.show();
    return QTest::qWaitForWindowExposed(&form);
  }
};

}  // namespace

class TestControls : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void moveReportsButtonMask_data() {
    addColumns<int, int>({"buttons", "mask"});
    dataRow("none", int(Qt::NoButton), 0);
    dataRow("left", int(Qt::LeftButton), 1);
    dataRow("right", int(Qt::RightButton), 2);
    dataRow("middle", int(Qt::MiddleButton), 4);
    dataRow("left and right", int(Qt::LeftButton | Qt::RightButton), 3);
    dataRow("all three", int(Qt::LeftButton | Qt::RightButton | Qt::MiddleButton), 7);
    dataRow("back button alone", int(Qt::BackButton), 0);
  }
  void moveReportsButtonMask() {
    QFETCH(int, buttons);
    QFETCH(int, mask);
    RecordingForm form;
    Label* label = addLabel(&form, kLabel);
    QSignalSpy moves(label, &Label::mouseMove);
    sendMove(label, QPoint(5, 5), Qt::MouseButtons(buttons));
    QCOMPARE(moves.count(), 1);
    QCOMPARE(moves.at(0).at(0).toInt(), mask);
    // A move over a label is not a move over the background.
    QVERIFY(form.backgroundMoves.isEmpty());
  }

  void pressReleaseIsClick_data() {
    addColumns<int, int, bool>({"button", "downMask", "clicks"});
    dataRow("left", int(Qt::LeftButton), 1, true);
    dataRow("right", int(Qt::RightButton), 2, false);
    dataRow("middle", int(Qt::MiddleButton), 4, false);
  }
  void pressReleaseIsClick() {
    QFETCH(int, button);
    QFETCH(int, downMask);
    QFETCH(bool, clicks);
    LabelOnForm on;
    QVERIFY(on.show());
    QTest::mouseClick(on.label, Qt::MouseButton(button), {}, QPoint(10, 10));
    QCOMPARE(on.downs.count(), 1);
    QCOMPARE(on.downs.at(0).at(0).toInt(), downMask);
    QCOMPARE(on.clicks.count(), clicks ? 1 : 0);
  }

  void releaseOutsideIsNoClick() {
    LabelOnForm on;
    QVERIFY(on.show());
    QTest::mousePress(on.label, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(on.label, Qt::LeftButton, {}, QPoint(-20, 10));
    QCOMPARE(on.downs.count(), 1);
    QCOMPARE(on.clicks.count(), 0);
  }

  void doubleClickIsOneClickAndOneDoubleClick() {
    LabelOnForm on;
    QSignalSpy doubles(on.label, &Label::dblClick);
    QVERIFY(on.show());
    // Through the window, as the window system delivers it: press, release, press, release.
    QTest::mouseDClick(on.form.windowHandle(), Qt::LeftButton, {},
                       on.label->geometry().topLeft() + QPoint(10, 10));
    QCOMPARE(on.downs.count(), 1);
    QCOMPARE(on.clicks.count(), 1);
    QCOMPARE(doubles.count(), 1);
    // A double click on a label is not one on the background.
    QCOMPARE(on.form.backgroundDoubleClicks, 0);
  }

  void backgroundDoubleClick() {
    RecordingForm form;
    addLabel(&form, kLabel);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(form.backgroundDoubleClicks, 1);
  }

  void outlineAndLinePassMouseThrough() {
    RecordingForm form;
    Label* label = addLabel(&form, kLabel);
    // An outline over the label's edge and a line across the background, both in front.
    Outline* shape = addOutline(&form, {"Shape1", 1500, 1500, 3000, 585, 0x00FF8080, 2});
    Line* line = addLine(&form, {"Line3(0)", 120, 3600, 5000, 3600, 0x00FFFFFF});
    stackFrontToBack({shape, line, label});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QSignalSpy labelMoves(label, &Label::mouseMove);

    // On the outline's border, which lies over the label: the label gets the move.
    // Moves go through the window, which finds the control under the pointer.
    QTest::mouseMove(form.windowHandle(), shape->geometry().topLeft() + QPoint(1, 1));
    QTRY_COMPARE(labelMoves.count(), 1);
    // On the line, over the background: the background gets it.
    QTest::mouseMove(form.windowHandle(), line->geometry().center());
    QTRY_COMPARE(form.backgroundMoves.count(), 1);
    QCOMPARE(labelMoves.count(), 1);
  }

  void autoSizedLabelFitsItsText() {
    RecordingForm form;
    Label* x = addLabel(&form, closeLabelSpec(5700, 0x00FF8080));
    QCOMPARE(x->pos(), QPoint(380, 0));
    QCOMPARE(x->size(), x->sizeHint());
    QVERIFY(x->isTransparent());
    QVERIFY(!x->autoFillBackground());
    QCOMPARE(x->toolTip(), QStringLiteral("Close"));

    // Word wrap with auto-size keeps the width and grows with the text.
    Label* wrapped = addLabel(&form, [] {
      LabelSpec spec = labelSpec("Label2", "Result is", 120, 840, 2895, 240);
      spec.wordWrap = true;
      spec.autoSize = true;
      return spec;
    }());
    const int oneLine = wrapped->height();
    wrapped->setCaption(QStringLiteral("Moderate Depression (5-9): and a good deal more text"));
    QCOMPARE(wrapped->width(), 193);
    QVERIFY(wrapped->height() > oneLine);
  }

  // In its text colour where that stands out 3:1 from the background, else black or white.
  void focusMarkColour_data() {
    addColumns<uint, uint, QColor>({"back", "fore", "mark"});
    dataRow("white on dark blue", 0x00400000u, 0x00FFFFFFu, QColor(Qt::white));
    dataRow("purple on white", 0x00FFFFFFu, 0x00800080u, QColor(0x80, 0, 0x80));
    dataRow("white on light blue, 3.3:1", 0x00FF8080u, 0x00FFFFFFu, QColor(Qt::white));
    dataRow("white on pale blue, 1.7:1", 0x00FFC0C0u, 0x00FFFFFFu, QColor(Qt::black));
    dataRow("dark blue on black", 0x00000000u, 0x00400000u, QColor(Qt::white));
  }
  void focusMarkColour() {
    QFETCH(uint, back);
    QFETCH(uint, fore);
    QFETCH(QColor, mark);
    RecordingForm form;
    Label* label = addLabel(&form, kLabel);
    label->setBackColor(back);
    label->setForeColor(fore);
    QCOMPARE(label->focusMarkColour(), mark);
  }

  void coloursAreKept() {
    RecordingForm form;
    Label* label = addLabel(&form, kLabel);
    QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 0, 0x40));
    QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
    label->setBackColor(0x00FFC0C0);
    QCOMPARE(label->backColor(), 0x00FFC0C0u);
    QCOMPARE(label->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
  }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
