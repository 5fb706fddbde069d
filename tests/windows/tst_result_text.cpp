// Writing a result into the result window: which label shows what, a write into a window that is
// not loaded, a second result, and a window closed and loaded again.
#include "engine/screening.h"
#include "tests/support/corner.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "tests/support/session.h"
#include "ui/frame/label.h"
#include "ui/frame/units.h"
#include "ui/frame/window_instance.h"
#include "ui/windows/result_window.h"

#include <QTest>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

QString text(ResultWindow* window, const char* name) {
  return label(window, QLatin1String(name))->caption();
}

ScreeningResult sample() {
  return {.total = 7,
          .scoreLine = "Your total score is : 7",
          .caption = "Moderate",
          .advice =
              "Some advice that is long enough to wrap over more than one line of the "
              "advice label in the result window."};
}

}  // namespace

class TestResultText : public QObject {
  Q_OBJECT

  WindowInstance<ResultWindow> form2_{[] { return std::make_unique<ResultWindow>(); }};

 private Q_SLOTS:
  void cleanup() { form2_.unload(); }

  void eachTextGoesToItsLabel() {
    form2_.show();
    const QString title = text(form2_.loadedWindow(), "title");
    const ScreeningResult result = sample();
    form2_->showResult(result);
    QCOMPARE(resultTexts(form2_.loadedWindow()),
             (QStringList{"Your total score is : 7", "Moderate",
                          QString::fromStdString(result.advice)}));
    QCOMPARE(text(form2_.loadedWindow(), "title"), title);
  }

  void textsAreWrittenAsGiven_data() {
    addColumns<QString, QString, QString>({"scoreLine", "caption", "advice"});
    dataRow("blanks kept", "Your total score is : 0 ", "  two leading blanks", "trailing blanks  ");
    dataRow("empty", "", "", "");
    dataRow("line breaks", "a\r\nb", "c\r\nd", "e\r\n\r\nf");
    dataRow("not ASCII", QString::fromUtf8("Punktzahl : 1,5"), QString::fromUtf8("Mäßig"),
            QString::fromUtf8("naïve café"));
  }
  void textsAreWrittenAsGiven() {
    QFETCH(QString, scoreLine);
    QFETCH(QString, caption);
    QFETCH(QString, advice);
    form2_->showResult({.total = 1,
                        .scoreLine = scoreLine.toStdString(),
                        .caption = caption.toStdString(),
                        .advice = advice.toStdString()});
    QCOMPARE(resultTexts(form2_.loadedWindow()), (QStringList{scoreLine, caption, advice}));
  }

  void writingIntoAWindowNotLoadedLoadsItHidden() {
    QVERIFY(!form2_.isLoaded());
    form2_->showResult(sample());
    ResultWindow* window = form2_.loadedWindow();
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QCOMPARE(text(window, "Label2"), QStringLiteral("Moderate"));
    // Placed below the screen, sliding up unseen.
    QCOMPARE(window->topTwips(), screenHeightTwips());
    QVERIFY(!isParked(window));
    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    QVERIFY(!window->isVisible());
    QCOMPARE(window->topTwips(), parkedTop(window));

    // Shown later: where it parked, with the texts written.
    form2_.show();
    QCOMPARE(form2_.loadedWindow(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->topTwips(), parkedTop(window));
    QCOMPARE(text(window, "Label1"), QStringLiteral("Your total score is : 7"));
  }

  void aSecondResultReplacesTheFirstInPlace() {
    form2_.show();
    ResultWindow* window = form2_.loadedWindow();
    QTRY_VERIFY_WITH_TIMEOUT(isParked(window), kParkTimeout);
    form2_->showResult(sample());
    form2_->showResult({.total = 0,
                        .scoreLine = "Your total score is : 0",
                        .caption = "None",
                        .advice = "Nothing to worry about."});
    QCOMPARE(form2_.loadedWindow(), window);
    QCOMPARE(resultTexts(window),
             (QStringList{"Your total score is : 0", "None", "Nothing to worry about."}));
    QVERIFY(isParked(window));
    QCOMPARE(window->topTwips(), parkedTop(window));
  }

  void closingDiscardsTheTexts() {
    const QStringList designed = resultTexts(&form2_.get());
    form2_->showResult(sample());
    form2_.unload();
    form2_.show();
    QCOMPARE(resultTexts(form2_.loadedWindow()), designed);
    QCOMPARE(form2_.loadedWindow()->topTwips(), screenHeightTwips());
  }

  void scoringResultShownAsComputed() {
    // The engine's own result for a filled-in test goes through unchanged.
    const ScreeningResult result = resultWithYes(depressionTest(), {}, AnswerState::Yes);
    form2_->showResult(result);
    QCOMPARE(resultTexts(form2_.loadedWindow()), resultTexts(result));
  }
};

QTEST_MAIN(TestResultText)
#include "tst_result_text.moc"
