// Both corner windows on the running clock: placed below the screen when they load, sliding up
// 50 twips a step, parking in the corner, sliding on unseen while hidden, never sliding again
// until they are closed, and leaving no timer behind once parked.
#include "tests/support/corner.h"
#include "tests/support/rows.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

int screenWidthPx() {
  return QGuiApplication::primaryScreen()->geometry().width();
}
int screenHeightPx() {
  return QGuiApplication::primaryScreen()->geometry().height();
}

// Parked, and neither timer left running: a parked window wakes nothing up.
bool parkedWithNoTimerRunning(FormWindow* window) {
  return isParked(window) && !timer(window, "Timer1")->isActive() &&
         !timer(window, "Timer2")->isActive();
}

// Where the window's top edge comes to rest, in twips.
int parkedTopTwips(int heightTwips) {
  const int gap = heightTwips == 6420 ? 6750 : 3300;
  return pixelsToTwips(screenHeightPx()) - gap;
}

int cornerLeftTwips() {
  return pixelsToTwips(screenWidthPx()) - 2895 - 100;
}

// The Top after each slide-up step, and whether the window was visible then.
struct StepLog {
  std::vector<int> tops;
  std::vector<bool> visible;

  void follow(FormWindow* window) {
    QObject::connect(timer(window, "Timer1"), &QTimer::timeout, window, [this, window] {
      tops.push_back(window->topTwips());
      visible.push_back(window->isVisible());
    });
  }
  int moves(int startTop) const {
    int count = 0;
    int last = startTop;
    for (int top : tops) {
      if (top != last)
        ++count;
      last = top;
    }
    return count;
  }
  bool eachMoveIsOneStepUp(int startTop) const {
    int last = startTop;
    for (int top : tops) {
      if (top != last && top != last - 50)
        return false;
      last = top;
    }
    return true;
  }
};

}  // namespace

class TestCornerSlide : public QObject {
  Q_OBJECT

  std::unique_ptr<WindowHolder> slot_;

  // Every step of the window slot_ loads next goes to `log`.
  void logSteps(StepLog& log) {
    connect(slot_.get(), &WindowHolder::created, this, [&log](FormWindow* w) { log.follow(w); });
  }

  // A new slot_ for the window `name`, every step of which goes to `log`.
  void makeLoggedSlot(const QString& name, StepLog& log) {
    slot_ = makeCornerHolder(name);
    logSteps(log);
  }

  void addWindowRows() {
    addColumns<QString, int, int>({"name", "heightTwips", "steps"});
    dataRow("result window", QStringLiteral("Form2"), 6420, 135);
    dataRow("disclaimer window", QStringLiteral("Welcome"), 2985, 66);
  }

 private Q_SLOTS:
  void cleanup() {
    if (slot_)
      slot_->unload();
    slot_.reset();
  }

  void placedBelowTheScreenWhenLoaded_data() {
    addColumns<QString, bool>({"name", "shown"});
    dataRow("result window, shown", QStringLiteral("Form2"), true);
    dataRow("result window, hidden", QStringLiteral("Form2"), false);
    dataRow("disclaimer window, shown", QStringLiteral("Welcome"), true);
    dataRow("disclaimer window, hidden", QStringLiteral("Welcome"), false);
  }
  void placedBelowTheScreenWhenLoaded() {
    QFETCH(QString, name);
    QFETCH(bool, shown);

    slot_ = makeCornerHolder(name);
    if (shown)
      slot_->show();
    else
      slot_->hide();
    FormWindow* window = slot_->window();
    QVERIFY(window);
    QCOMPARE(window->objectName(), name);
    QCOMPARE(window->isVisible(), shown);
    // Before any tick: right edge 100 twips inside the screen's, top edge on its bottom edge.
    QCOMPARE(window->leftTwips(), cornerLeftTwips());
    QCOMPARE(window->topTwips(), pixelsToTwips(screenHeightPx()));
    QCOMPARE(window->x(), twipsToPixels(cornerLeftTwips()));
    QCOMPARE(window->y(), screenHeightPx());

    QTimer* timer1 = timer(window, "Timer1");
    QTimer* timer2 = timer(window, "Timer2");
    QVERIFY(timer1 && timer2);
    QVERIFY(timer1->isActive());
    QVERIFY(timer2->isActive());
    QCOMPARE(timer1->interval(), 10);
    QCOMPARE(timer2->interval(), 1);
    QCOMPARE(timer1->timerType(), Qt::PreciseTimer);
    QCOMPARE(timer2->timerType(), Qt::PreciseTimer);
  }

  void slidesUpStepByStepAndParks_data() { addWindowRows(); }
  void slidesUpStepByStepAndParks() {
    QFETCH(QString, name);
    QFETCH(int, heightTwips);
    QFETCH(int, steps);

    StepLog log;
    makeLoggedSlot(name, log);
    slot_->show();
    FormWindow* window = slot_->window();
    const int start = window->topTwips();
    QCOMPARE(window->heightTwips(), heightTwips);

    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(window), kParkTimeout);
    QVERIFY(log.eachMoveIsOneStepUp(start));
    QCOMPARE(log.moves(start), steps);
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));
    QCOMPARE(window->y(), twipsToPixels(parkedTopTwips(heightTwips)));
    QCOMPARE(window->x(), twipsToPixels(cornerLeftTwips()));
    QVERIFY(window->isVisible());
  }

  void hiddenWhileSlidingItParksUnseenAndShowsParked_data() { addWindowRows(); }
  void hiddenWhileSlidingItParksUnseenAndShowsParked() {
    QFETCH(QString, name);
    QFETCH(int, heightTwips);

    StepLog log;
    makeLoggedSlot(name, log);
    slot_->show();
    FormWindow* window = slot_->window();
    const int start = window->topTwips();
    // Some way up, not yet parked.
    QTRY_VERIFY_WITH_TIMEOUT(window->topTwips() < start && !isParked(window), kParkTimeout);
    slot_->hide();
    const auto stepsSeen = log.tops.size();
    QVERIFY(!window->isVisible());
    QVERIFY(timer(window, "Timer1")->isActive());

    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(window), kParkTimeout);
    QVERIFY(log.tops.size() > stepsSeen);
    for (auto i = stepsSeen; i < log.visible.size(); ++i)
      QVERIFY(!log.visible[i]);
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));

    slot_->show();
    QCOMPARE(slot_->window(), window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));
    QVERIFY(parkedWithNoTimerRunning(window));
  }

  void showingAParkedWindowAgainDoesNotSlide_data() { addWindowRows(); }
  void showingAParkedWindowAgainDoesNotSlide() {
    QFETCH(QString, name);
    QFETCH(int, heightTwips);

    slot_ = makeCornerHolder(name);
    slot_->show();
    FormWindow* window = slot_->window();
    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(window), kParkTimeout);
    slot_->show();
    slot_->hide();
    slot_->show();
    QCOMPARE(slot_->window(), window);
    QVERIFY(parkedWithNoTimerRunning(window));
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));
    // And it stays there.
    QTest::qWait(100);
    QVERIFY(parkedWithNoTimerRunning(window));
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));
    QVERIFY(window->isVisible());
  }

  void closingAndShowingAgainSlidesAfresh_data() { addWindowRows(); }
  void closingAndShowingAgainSlidesAfresh() {
    QFETCH(QString, name);
    QFETCH(int, heightTwips);
    QFETCH(int, steps);

    slot_ = makeCornerHolder(name);
    slot_->show();
    QPointer<FormWindow> first = slot_->window();
    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(first), kParkTimeout);
    slot_->unload();
    QVERIFY(!slot_->isLoaded());
    QTRY_VERIFY(first.isNull());

    StepLog log;
    logSteps(log);
    slot_->show();
    FormWindow* second = slot_->window();
    QCOMPARE(second->y(), screenHeightPx());
    QVERIFY(!isParked(second));
    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(second), kParkTimeout);
    QCOMPARE(log.moves(pixelsToTwips(screenHeightPx())), steps);
    QCOMPARE(second->topTwips(), parkedTopTwips(heightTwips));
  }

  void closingWhileSlidingStopsTheMotion_data() { addWindowRows(); }
  void closingWhileSlidingStopsTheMotion() {
    QFETCH(QString, name);

    slot_ = makeCornerHolder(name);
    slot_->show();
    QPointer<FormWindow> window = slot_->window();
    QTimer* timer1 = timer(window, "Timer1");
    QTimer* timer2 = timer(window, "Timer2");
    QTRY_VERIFY_WITH_TIMEOUT(window->topTwips() < pixelsToTwips(screenHeightPx()), kParkTimeout);
    slot_->unload();
    QVERIFY(!timer1->isActive());
    QVERIFY(!timer2->isActive());
    QVERIFY(!window->isVisible());
    QTRY_VERIFY(window.isNull());
  }

  void hideLoadsANotLoadedWindowThatSlidesUnseen_data() { addWindowRows(); }
  void hideLoadsANotLoadedWindowThatSlidesUnseen() {
    QFETCH(QString, name);
    QFETCH(int, heightTwips);
    QFETCH(int, steps);

    StepLog log;
    makeLoggedSlot(name, log);
    slot_->hide();
    FormWindow* window = slot_->window();
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(window), kParkTimeout);
    QCOMPARE(log.moves(pixelsToTwips(screenHeightPx())), steps);
    for (bool visible : log.visible)
      QVERIFY(!visible);

    slot_->show();
    QVERIFY(window->isVisible());
    QCOMPARE(window->topTwips(), parkedTopTwips(heightTwips));
    QCOMPARE(window->y(), twipsToPixels(parkedTopTwips(heightTwips)));
  }

  void noTimerLeftOnceBothHaveParked() {
    const auto [result, disclaimer] = showBothCornerWindows();
    QTRY_VERIFY_WITH_TIMEOUT(parkedWithNoTimerRunning(result->window()) &&
                                 parkedWithNoTimerRunning(disclaimer->window()),
                             kParkTimeout);
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (FormWindow* window : {result->window(), disclaimer->window()}) {
      QVERIFY(dispatcher->registeredTimers(window).isEmpty());
      for (QObject* object : window->findChildren<QObject*>()) {
        QVERIFY2(dispatcher->registeredTimers(object).isEmpty(), qPrintable(object->objectName()));
      }
    }
    result->unload();
    disclaimer->unload();
  }
};

QTEST_MAIN(TestCornerSlide)
#include "tst_corner_slide.moc"
