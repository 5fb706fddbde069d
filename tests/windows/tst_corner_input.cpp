// What the user can do to a corner window: close it with its "X" or a double click on its
// background, and nothing else; double clicks on its texts, drags, hovering and keys have no
// effect.
#include "tests/support/corner.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/label.h"

#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>

using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

struct Colours {
  quiravel::frame::Bgr back;
  quiravel::frame::Bgr fore;
  bool operator==(const Colours&) const = default;
};

std::map<QString, Colours> labelColours(QWidget* window) {
  std::map<QString, Colours> colours;
  for (Label* label : window->findChildren<Label*>())
    colours[label->objectName()] = {label->backColor(), label->foreColor()};
  return colours;
}

}  // namespace

class TestCornerInput : public QObject {
  Q_OBJECT

  // One instance of each window, shown and parked once and reused by the following rows.
  std::map<QString, std::unique_ptr<WindowHolder>> slots_;
  WindowHolder* slot_ = nullptr;
  CornerWindow* window_ = nullptr;
  std::unique_ptr<QSignalSpy> closeRequests_;

  // Shows the window and lets it park, as the user finds it.
  void open(const QString& name) {
    auto& slot = slots_[name];
    if (!slot)
      slot = makeCornerHolder(name);
    slot_ = slot.get();
    slot_->show();
    window_ = qobject_cast<CornerWindow*>(slot_->window());
    QVERIFY(window_);
    QTRY_VERIFY_WITH_TIMEOUT(isParked(window_), kParkTimeout);
    closeRequests_ = std::make_unique<QSignalSpy>(window_, &CornerWindow::closeRequested);
  }
  QWindow* handle() const { return window_->windowHandle(); }
  QPoint centreOf(const char* label) const {
    Label* control = window_->findChild<Label*>(QLatin1String(label));
    return control ? control->geometry().center() : QPoint();
  }

 private Q_SLOTS:
  void cleanup() {
    closeRequests_.reset();
    slot_ = nullptr;
    window_ = nullptr;
  }
  void cleanupTestCase() {
    for (auto& [name, slot] : slots_)
      slot->unload();
  }

  void closeLabelRequestsClose_data() {
    QTest::addColumn<QString>("name");
    dataRow("result window", QStringLiteral("Form2"));
    dataRow("disclaimer window", QStringLiteral("Welcome"));
  }
  void closeLabelRequestsClose() {
    QFETCH(QString, name);
    open(name);
    const QPoint x = centreOf("cmdX");
    QCOMPARE(window_->childAt(x), window_->findChild<Label*>(QStringLiteral("cmdX")));
    QTest::mouseClick(handle(), Qt::LeftButton, {}, x);
    QCOMPARE(closeRequests_->count(), 1);
  }

  void closeRequestUnloadsThroughTheOwner() {
    open(QStringLiteral("Welcome"));
    // Whoever owns the window unloads it when asked to.
    connect(window_, &CornerWindow::closeRequested, slot_, &WindowHolder::unload);
    QPointer<FormWindow> window = window_;
    QTest::mouseClick(handle(), Qt::LeftButton, {}, centreOf("cmdX"));
    QVERIFY(!slot_->isLoaded());
    QVERIFY(window.isNull() || !window->isVisible());
    QTRY_VERIFY(window.isNull());
    window_ = nullptr;
  }

  void backgroundDoubleClickRequestsClose_data() {
    addColumns<QString, QPoint>({
        "name",
        "where"  // window pixels where no label lies
    });

    dataRow("result window, on the outline's left edge", QStringLiteral("Form2"), QPoint(1, 200));
    dataRow("result window, left of the score line", QStringLiteral("Form2"), QPoint(4, 40));
    dataRow("result window, right of the advice", QStringLiteral("Form2"), QPoint(189, 300));
    dataRow("result window, below the outline", QStringLiteral("Form2"), QPoint(100, 427));
    dataRow("disclaimer window, left margin", QStringLiteral("Welcome"), QPoint(3, 100));
    dataRow("disclaimer window, right margin", QStringLiteral("Welcome"), QPoint(189, 150));
    dataRow("disclaimer window, strip below the title", QStringLiteral("Welcome"), QPoint(100, 23));
  }
  void backgroundDoubleClickRequestsClose() {
    QFETCH(QString, name);
    QFETCH(QPoint, where);
    open(name);
    QVERIFY(window_->rect().contains(where));
    QVERIFY2(window_->childAt(where) == nullptr, "a control lies there");
    QTest::mouseDClick(handle(), Qt::LeftButton, {}, where);
    QCOMPARE(closeRequests_->count(), 1);
  }

  void singleClickOnBackgroundDoesNothing() {
    open(QStringLiteral("Form2"));
    QTest::mouseClick(handle(), Qt::LeftButton, {}, QPoint(1, 200));
    QTest::mouseClick(handle(), Qt::RightButton, {}, QPoint(1, 200));
    QCOMPARE(closeRequests_->count(), 0);
  }

  void labelsTakeNoClicks_data() {
    addColumns<QString, QString>({"name", "label"});
    dataRow("result window, title", QStringLiteral("Form2"), QStringLiteral("title"));
    dataRow("result window, Label1", QStringLiteral("Form2"), QStringLiteral("Label1"));
    dataRow("result window, Label2", QStringLiteral("Form2"), QStringLiteral("Label2"));
    dataRow("result window, Label3", QStringLiteral("Form2"), QStringLiteral("Label3"));
    dataRow("disclaimer window, title", QStringLiteral("Welcome"), QStringLiteral("title"));
    dataRow("disclaimer window, Label1", QStringLiteral("Welcome"), QStringLiteral("Label1"));
  }
  void labelsTakeNoClicks() {
    QFETCH(QString, name);
    QFETCH(QString, label);
    open(name);
    const QPoint where = centreOf(label.toLatin1().constData());
    Label* control = window_->findChild<Label*>(label);
    QVERIFY(control);
    QCOMPARE(window_->childAt(where), control);
    const QString text = control->caption();
    const QPoint position = window_->pos();

    QTest::mouseDClick(handle(), Qt::LeftButton, {}, where);
    QTest::mouseClick(handle(), Qt::LeftButton, {}, where);
    QTest::mouseDClick(handle(), Qt::RightButton, {}, where);
    QCOMPARE(closeRequests_->count(), 0);
    QVERIFY(slot_->isVisible());
    QCOMPARE(control->caption(), text);
    QCOMPARE(window_->pos(), position);
  }

  void neitherDragNorHover_data() {
    QTest::addColumn<QString>("name");
    dataRow("result window", QStringLiteral("Form2"));
    dataRow("disclaimer window", QStringLiteral("Welcome"));
  }
  void neitherDragNorHover() {
    QFETCH(QString, name);
    const Seams seams(Seams::kDrag);
    open(name);
    const QPoint position = window_->pos();
    const auto colours = labelColours(window_);

    // Over every label and the background, with and without the left button held.
    const QPoint points[] = {centreOf("title"), centreOf("Label1"), centreOf("cmdX"),
                             QPoint(3, 190)};
    for (const QPoint& from : points) {
      // Towards the middle of the window, so as to stay inside it.
      const QPoint way = (window_->rect().center() - from) / 4;
      QTest::mouseMove(handle(), from);
      QTest::mouseMove(handle(), from + way / 2);
      QTest::mousePress(handle(), Qt::LeftButton, {}, from);
      QTest::mouseMove(handle(), from + way / 2);
      QTest::mouseMove(handle(), from + way);
      QTest::mouseRelease(handle(), Qt::LeftButton, {}, from + way);
    }
    QCOMPARE(seams.drags.size(), 0);
    QCOMPARE(window_->pos(), position);
    QVERIFY(labelColours(window_) == colours);
    QCOMPARE(closeRequests_->count(), 0);
  }

  void keysDoNothing_data() {
    addColumns<QString, int, int>({"name", "key", "modifiers"});
    const std::pair<const char*, QString> windows[] = {
        {"result window", QStringLiteral("Form2")},
        {"disclaimer window", QStringLiteral("Welcome")}};
    for (const auto& [row, name] : windows) {
      QTest::addRow("%s, Escape", row) << name << int(Qt::Key_Escape) << 0;
      QTest::addRow("%s, Enter", row) << name << int(Qt::Key_Return) << 0;
      QTest::addRow("%s, Space", row) << name << int(Qt::Key_Space) << 0;
      QTest::addRow("%s, X", row) << name << int(Qt::Key_X) << 0;
      QTest::addRow("%s, Alt+F4", row) << name << int(Qt::Key_F4) << int(Qt::AltModifier);
    }
  }
  void keysDoNothing() {
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    open(name);
    const QPoint position = window_->pos();
    QTest::keyClick(handle(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(closeRequests_->count(), 0);
    QVERIFY(slot_->isVisible());
    QCOMPARE(window_->pos(), position);
  }
};

QTEST_MAIN(TestCornerInput)
#include "tst_corner_input.moc"
