// The text cursor blinks while the user works and holds still, drawn, after a quiet spell.
#include "tests/support/rows.h"
#include "ui/frame/cursor_blink.h"
#include "ui/frame/drop_down_list.h"

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <QVBoxLayout>

#include <functional>
#include <memory>

using namespace quiravel::frame;
using namespace std::chrono_literals;
using quiravel::test::dataRow;

namespace {

// The desktop's rate in these tests: the cursor turns on or off every 100 ms.
constexpr int kDesktopFlashMs = 200;
constexpr auto kRest = 700ms;  // seven turns of the cursor: time to see one under load

QImage fieldImage(QWidget* field) {
  return field->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// How many of the pixels in which `a` and `b` differ show, in `a`, the field's own background
// or selection colour. The cursor is drawn over them by inverting them, so the picture without
// the cursor is the one where these pixels have the field's colours.
int fieldColouredDifferences(const QImage& a, const QImage& b, const QWidget* field) {
  const QRgb base = field->palette().color(QPalette::Base).rgb();
  const QRgb selection = field->palette().color(QPalette::Highlight).rgb();
  int count = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y) && (a.pixel(x, y) == base || a.pixel(x, y) == selection))
        ++count;
  return count;
}

// Samples the field for up to 2 s; returns the image with the cursor drawn, or a null image
// when the field never showed two different pictures (it did not blink).
QImage cursorOnWhileBlinking(QWidget* field) {
  const QImage first = fieldImage(field);
  QDeadlineTimer deadline(2000);
  while (!deadline.hasExpired()) {
    QTest::qWait(15);
    const QImage now = fieldImage(field);
    if (now != first)
      return fieldColouredDifferences(first, now, field) >
                     fieldColouredDifferences(now, first, field)
                 ? now
                 : first;
  }
  return {};
}

// Waits for the limit to hold the cursor still.
bool comesToRest(const CursorBlinkLimit& limit) {
  return QTest::qWaitFor([&] { return !limit.blinking(); }, 3000);
}

// Whether the field shows `expected` at every sample over five blink periods.
bool stillShows(QWidget* field, const QImage& expected) {
  QDeadlineTimer deadline(5 * kDesktopFlashMs / 2);
  while (!deadline.hasExpired()) {
    if (fieldImage(field) != expected)
      return false;
    QTest::qWait(15);
  }
  return fieldImage(field) == expected;
}

}  // namespace

class TestCursorBlink : public QObject {
  Q_OBJECT

  std::unique_ptr<QWidget> window_;
  DropDownList* answer_ = nullptr;
  DropDownList* next_ = nullptr;

  QWidget* field() const { return answer_->lineEdit(); }

 private Q_SLOTS:
  void init() {
    QGuiApplication::styleHints()->setCursorFlashTime(kDesktopFlashMs);
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    answer_ = new DropDownList(window_.get());
    answer_->setEntries({"No", "Yes"}, "No");
    next_ = new DropDownList(window_.get());
    next_->setEntries({"No", "Yes"}, "No");
    layout->addWidget(answer_);
    layout->addWidget(next_);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    answer_->setFocus();
    QTRY_VERIFY(field()->hasFocus());
  }

  void cleanup() {
    window_.reset();
    QGuiApplication::styleHints()->setCursorFlashTime(-1);
  }

  void blinksAtFirstThenHoldsStillWithTheCursorDrawn() {
    CursorBlinkLimit limit(nullptr, kRest);
    QVERIFY(limit.blinking());
    const QImage cursorOn = cursorOnWhileBlinking(field());
    QVERIFY2(!cursorOn.isNull(), "the cursor does not blink while the user works");

    QVERIFY(comesToRest(limit));
    QCOMPARE(fieldImage(field()), cursorOn);
    QVERIFY2(stillShows(field(), cursorOn), "the cursor went on blinking or disappeared");
  }

  void blinksAgainAtInput_data() {
    quiravel::test::addColumns<std::function<void(TestCursorBlink*)>, bool>(
        {"input", "focusMoves"});
    dataRow("key", std::function<void(TestCursorBlink*)>([](TestCursorBlink* t) {
              QTest::keyClick(t->field(), Qt::Key_Home);
            }),
            false);
    dataRow("click in the field", std::function<void(TestCursorBlink*)>([](TestCursorBlink* t) {
              QTest::mouseClick(t->field(), Qt::LeftButton, {}, QPoint(2, 5));
            }),
            false);
    dataRow("double click in the field",
            std::function<void(TestCursorBlink*)>([](TestCursorBlink* t) {
              QTest::mouseDClick(t->field(), Qt::LeftButton, {}, QPoint(2, 5));
            }),
            false);
    dataRow("text from an input method",
            std::function<void(TestCursorBlink*)>([](TestCursorBlink* t) {
              QInputMethodEvent compose(QStringLiteral("Y"), {});
              QApplication::sendEvent(t->field(), &compose);
            }),
            false);
    dataRow("focus to the next field by Tab",
            std::function<void(TestCursorBlink*)>(
                [](TestCursorBlink* t) { QTest::keyClick(t->field(), Qt::Key_Tab); }),
            true);
    dataRow("focus set by program",
            std::function<void(TestCursorBlink*)>([](TestCursorBlink* t) { t->next_->setFocus(); }),
            true);
  }

  void blinksAgainAtInput() {
    QFETCH(std::function<void(TestCursorBlink*)>, input);
    QFETCH(bool, focusMoves);
    CursorBlinkLimit limit(nullptr, kRest);
    QVERIFY(comesToRest(limit));

    input(this);
    QVERIFY(limit.blinking());
    QWidget* focused = focusMoves ? next_->lineEdit() : field();
    QTRY_VERIFY(focused->hasFocus());
    const QImage cursorOn = cursorOnWhileBlinking(focused);
    QVERIFY2(!cursorOn.isNull(), "the cursor does not blink again after the input");

    // ...and holds still again after the next quiet spell, drawn.
    QVERIFY(comesToRest(limit));
    QVERIFY(stillShows(focused, cursorOn));
  }

  void pointerMovesDoNotWakeIt() {
    CursorBlinkLimit limit(nullptr, kRest);
    QVERIFY(comesToRest(limit));
    const QImage resting = fieldImage(field());
    for (int x = 0; x < field()->width(); x += 7)
      QTest::mouseMove(field(), QPoint(x, field()->height() / 2));
    QTest::mouseMove(window_.get(), QPoint(1, 1));
    QVERIFY(!limit.blinking());
    QVERIFY(stillShows(field(), resting));
  }

  void restoresTheDesktopRateWhenGone() {
    {
      CursorBlinkLimit limit(nullptr, kRest);
      QVERIFY(comesToRest(limit));
    }
    QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), kDesktopFlashMs);
    QVERIFY(!cursorOnWhileBlinking(field()).isNull());
  }

  void leavesADesktopWithoutBlinkingAlone() {
    QGuiApplication::styleHints()->setCursorFlashTime(0);
    {
      CursorBlinkLimit limit(nullptr, kRest);
      QVERIFY(!limit.blinking());
      QTest::keyClick(field(), Qt::Key_Home);
      QTest::mouseClick(field(), Qt::LeftButton, {}, QPoint(2, 5));
      QVERIFY(!limit.blinking());
      QVERIFY(stillShows(field(), fieldImage(field())));
    }
    QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
  }
};

QTEST_MAIN(TestCursorBlink)
#include "tst_cursor_blink.moc"
