// The slide-up arithmetic of the corner windows, driven step by step without a clock: where a
// window is placed, how far each step lifts it, after how many steps it parks, and what a
// change of the screen does to it.
#include "tests/support/rows.h"
#include "ui/windows/corner_motion.h"

#include <QTest>

#include <vector>

using namespace quiravel::windows;
using quiravel::test::dataRow;

namespace {

constexpr int kResultHeight = 6420;
constexpr int kDisclaimerHeight = 2985;
constexpr int kWidth = 2895;

// A window and a screen that keep whatever is written, and count the writes.
class FakeGeometry : public CornerGeometry {
 public:
  int screenW = 28800;  // 1920 pixels
  int screenH = 16200;  // 1080 pixels
  int width = kWidth;
  int height = kResultHeight;
  int left = 0;
  int top = 0;
  int leftWrites = 0;
  std::vector<int> topWrites;

  int screenWidth() const override { return screenW; }
  int screenHeight() const override { return screenH; }
  int windowWidth() const override { return width; }
  int windowHeight() const override { return height; }
  int windowTop() const override { return top; }
  void setWindowLeft(int value) override {
    left = value;
    ++leftWrites;
  }
  void setWindowTop(int value) override {
    top = value;
    topWrites.push_back(value);
  }
};

// Runs the timers as they normally interleave: a parking check between any two steps. Returns
// the number of steps that moved the window until it parked, or -1 if it never did.
int slideUntilParked(CornerMotion& motion, FakeGeometry& geometry, int maxSteps = 100000) {
  int steps = 0;
  motion.check();
  while (motion.isSliding()) {
    if (steps == maxSteps)
      return -1;
    const int before = geometry.top;
    motion.step();
    if (geometry.top != before)
      ++steps;
    motion.check();
  }
  return steps;
}

}  // namespace

class TestCornerMotion : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void derivedConstants() {
    QCOMPARE(CornerMotion::stepsToPark(kResultHeight), 135);
    QCOMPARE(CornerMotion::stepsToPark(kDisclaimerHeight), 66);
    QCOMPARE(CornerMotion::parkedTop(16200, kResultHeight), 16200 - 6750);
    QCOMPARE(CornerMotion::parkedTop(16200, kDisclaimerHeight), 16200 - 3300);
  }

  void nothingMovesBeforePlacement() {
    FakeGeometry geometry;
    CornerMotion motion(geometry);
    QCOMPARE(motion.state(), CornerMotion::State::NotPlaced);
    motion.step();
    motion.check();
    motion.step();
    QCOMPARE(geometry.leftWrites, 0);
    QVERIFY(geometry.topWrites.empty());
    QVERIFY(!motion.isSliding());
    QVERIFY(!motion.isParked());
  }

  void placement_data() {
    quiravel::test::addColumns<int, int, int, int>(
        {"screenWidth", "screenHeight", "windowWidth", "expectedLeft"});

    dataRow("1920x1080", 28800, 16200, kWidth, 25805);
    dataRow("800x800", 12000, 12000, kWidth, 9005);
    dataRow("narrower than the window", 1500, 12000, kWidth, -1495);
    dataRow("no screen", 0, 0, kWidth, -2995);
  }
  void placement() {
    QFETCH(int, screenWidth);
    QFETCH(int, screenHeight);
    QFETCH(int, windowWidth);
    QFETCH(int, expectedLeft);

    FakeGeometry geometry;
    geometry.screenW = screenWidth;
    geometry.screenH = screenHeight;
    geometry.width = windowWidth;
    geometry.top = 4321;
    CornerMotion motion(geometry);
    motion.place();
    QCOMPARE(geometry.left, expectedLeft);
    QCOMPARE(geometry.left + geometry.width + CornerMotion::kRightGap, screenWidth);
    QCOMPARE(geometry.top, screenHeight);  // the whole window below the screen
    QVERIFY(motion.isSliding());
  }

  void slidesAndParks_data() {
    quiravel::test::addColumns<int, int, int, int>(
        {"screenHeight", "windowHeight", "expectedSteps", "expectedTop"});

    dataRow("result, 1920x1080", 16200, kResultHeight, 135, 9450);
    dataRow("disclaimer, 1920x1080", 16200, kDisclaimerHeight, 66, 12900);
    dataRow("result, 800x800", 12000, kResultHeight, 135, 5250);
    dataRow("disclaimer, 800x800", 12000, kDisclaimerHeight, 66, 8700);
    // The threshold is 0 or below: the window parks partly above the screen's top edge.
    dataRow("screen exactly height + 300", 6720, kResultHeight, 135, -30);
    dataRow("screen shorter than the window", 6000, kResultHeight, 135, -750);
    dataRow("no screen", 0, kDisclaimerHeight, 66, -3300);
  }
  void slidesAndParks() {
    QFETCH(int, screenHeight);
    QFETCH(int, windowHeight);
    QFETCH(int, expectedSteps);
    QFETCH(int, expectedTop);

    FakeGeometry geometry;
    geometry.screenH = screenHeight;
    geometry.height = windowHeight;
    CornerMotion motion(geometry);
    motion.place();
    QCOMPARE(slideUntilParked(motion, geometry), expectedSteps);
    QCOMPARE(geometry.top, expectedTop);
    QVERIFY(motion.isParked());

    // Every step lifts the window by 50 twips from where it was.
    QCOMPARE(int(geometry.topWrites.size()), expectedSteps + 1);
    QCOMPARE(geometry.topWrites.front(), screenHeight);
    for (std::size_t i = 1; i < geometry.topWrites.size(); ++i)
      QCOMPARE(geometry.topWrites[i], geometry.topWrites[i - 1] - 50);

    // Its bottom edge rests more than 300 and at most 350 twips above the screen's bottom edge.
    const int gap = screenHeight - (geometry.top + windowHeight);
    QVERIFY2(gap > 300 && gap <= 350, qPrintable(QString::number(gap)));
  }

  void parksOnlyWhenStrictlyAboveTheThreshold() {
    // Height + 300 is a whole number of steps: after 134 steps Top equals the threshold.
    FakeGeometry geometry;
    geometry.height = 6400;
    CornerMotion motion(geometry);
    motion.place();
    for (int i = 0; i < 134; ++i) {
      motion.check();
      motion.step();
    }
    const int threshold = geometry.screenH - geometry.height - 300;
    QCOMPARE(geometry.top, threshold);
    motion.check();
    motion.check();
    QVERIFY(motion.isSliding());
    motion.step();
    QCOMPARE(geometry.top, threshold - 50);
    motion.check();
    QVERIFY(motion.isParked());
  }

  void stepStartsFromTheReportedTop() {
    // A window system that rounds positions reports a Top other than the one written: the next
    // step goes on from what it reports.
    FakeGeometry geometry;
    CornerMotion motion(geometry);
    motion.place();
    motion.step();
    QCOMPARE(geometry.top, 16150);
    geometry.top = 16155;
    motion.check();
    motion.step();
    QCOMPARE(geometry.top, 16105);
  }

  void screenHeightChangesWhileSliding_data() {
    quiravel::test::addColumns<int, int>({"newScreenHeight", "expectedTop"});

    // After 50 steps Top is 13700. A shorter screen lowers the threshold (12000 - 6720 = 5280)
    // and the window goes on up to the first Top below it.
    dataRow("screen gets shorter", 12000, 5250);
    // A taller screen lifts the threshold above the window (21600 - 6720 = 14880): it parks at
    // the next check, where it is.
    dataRow("screen gets taller", 21600, 13700);
    // Unchanged, as a reference.
    dataRow("screen stays", 16200, 9450);
  }
  void screenHeightChangesWhileSliding() {
    QFETCH(int, newScreenHeight);
    QFETCH(int, expectedTop);

    FakeGeometry geometry;
    CornerMotion motion(geometry);
    motion.place();
    for (int i = 0; i < 50; ++i) {
      motion.check();
      motion.step();
    }
    QCOMPARE(geometry.top, 13700);
    geometry.screenH = newScreenHeight;
    slideUntilParked(motion, geometry);
    QCOMPARE(geometry.top, expectedTop);
  }

  void screenChangesAfterParkingMoveNothing_data() {
    quiravel::test::addColumns<int, int>({"newScreenWidth", "newScreenHeight"});

    dataRow("taller", 28800, 21600);
    dataRow("shorter", 28800, 9000);
    dataRow("narrower and shorter", 12000, 12000);
    dataRow("gone", 0, 0);
  }
  void screenChangesAfterParkingMoveNothing() {
    QFETCH(int, newScreenWidth);
    QFETCH(int, newScreenHeight);

    FakeGeometry geometry;
    geometry.height = kDisclaimerHeight;
    CornerMotion motion(geometry);
    motion.place();
    QCOMPARE(slideUntilParked(motion, geometry), 66);
    const auto writes = geometry.topWrites.size();
    geometry.screenW = newScreenWidth;
    geometry.screenH = newScreenHeight;
    for (int i = 0; i < 20; ++i) {
      motion.check();
      motion.step();
    }
    QVERIFY(motion.isParked());
    QCOMPARE(geometry.topWrites.size(), writes);
    QCOMPARE(geometry.top, 12900);
    QCOMPARE(geometry.leftWrites, 1);
    QCOMPARE(geometry.left, 25805);
  }

  void screenWidthChangeWhileSlidingDoesNotMoveSideways() {
    FakeGeometry geometry;
    CornerMotion motion(geometry);
    motion.place();
    QCOMPARE(geometry.left, 25805);
    for (int i = 0; i < 10; ++i) {
      motion.check();
      motion.step();
    }
    geometry.screenW = 12000;
    QCOMPARE(slideUntilParked(motion, geometry), 125);
    QCOMPARE(geometry.leftWrites, 1);
    QCOMPARE(geometry.left, 25805);
    QCOMPARE(geometry.top, 9450);
  }

  void lateChecksDoNotLetTheWindowOvershoot_data() {
    quiravel::test::addColumns<int, int, int>(
        {"windowHeight",
         "checkEvery",  // one parking check per so many steps; 0: none at all
         "expectedTop"});

    dataRow("result, check every 2nd step", kResultHeight, 2, 9450);
    dataRow("result, check every 7th step", kResultHeight, 7, 9450);
    dataRow("result, no check at all", kResultHeight, 0, 9450);
    dataRow("disclaimer, check every 3rd step", kDisclaimerHeight, 3, 12900);
    dataRow("disclaimer, no check at all", kDisclaimerHeight, 0, 12900);
  }
  void lateChecksDoNotLetTheWindowOvershoot() {
    QFETCH(int, windowHeight);
    QFETCH(int, checkEvery);
    QFETCH(int, expectedTop);

    FakeGeometry geometry;
    geometry.height = windowHeight;
    CornerMotion motion(geometry);
    motion.place();
    for (int tick = 1; tick < 1000 && motion.isSliding(); ++tick) {
      motion.step();
      if (checkEvery > 0 && tick % checkEvery == 0)
        motion.check();
    }
    QVERIFY(motion.isParked());
    QCOMPARE(geometry.top, expectedTop);
  }

  void manyChecksBetweenStepsChangeNothing() {
    FakeGeometry geometry;
    geometry.height = kDisclaimerHeight;
    CornerMotion motion(geometry);
    motion.place();
    int steps = 0;
    while (motion.isSliding() && steps < 1000) {
      for (int i = 0; i < 10; ++i)
        motion.check();  // 1 ms checks between 10 ms steps
      if (!motion.isSliding())
        break;
      motion.step();
      ++steps;
    }
    QCOMPARE(steps, 66);
    QCOMPARE(geometry.top, 12900);
  }

  void placingAgainStartsAFreshSlide() {
    FakeGeometry geometry;
    CornerMotion motion(geometry);
    motion.place();
    QCOMPARE(slideUntilParked(motion, geometry), 135);
    motion.place();
    QVERIFY(motion.isSliding());
    QCOMPARE(geometry.top, 16200);
    QCOMPARE(slideUntilParked(motion, geometry), 135);
    QCOMPARE(geometry.top, 9450);
  }
};

QTEST_MAIN(TestCornerMotion)
#include "tst_corner_motion.moc"
