// The single instance of a window through every change of state: not loaded, loaded and
// hidden, loaded and visible; the implicit load by a text write; unloading from inside the
// window's own handler.
#include "tests/support/forms.h"
#include "ui/frame/layout.h"
#include "ui/frame/window_instance.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

constexpr FrameSpec kFrame{"Probe", 3000, 3000, 0x00000000, true, false, "Probe"};

class ProbeWindow : public FormWindow {
  Q_OBJECT

 public:
  explicit ProbeWindow(int* loads) : FormWindow(kFrame), loads_(loads) {
    close_ = addLabel(this, closeLabelSpec(2700, 0));
    text_ = addLabel(this, labelSpec("Label1", "design text", 0, 600, 3000, 300));
    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(10);
    connect(close_, &Label::click, this, &ProbeWindow::cmdX_Click);
  }

  void formLoad() override {
    ++*loads_;
    timer_->start();
  }
  void setText(const QString& text) { text_->setCaption(text); }
  QString text() const { return text_->caption(); }
  Label* closeLabel() const { return close_; }

 Q_SIGNALS:
  void closeClicked();

 private:
  void cmdX_Click() {
    Q_EMIT closeClicked();
    // The handler goes on after its window was unloaded: nothing of it may be gone yet.
    text_->setCaption(QStringLiteral("after unload"));
    handledAfterUnload = true;
  }

 public:
  bool handledAfterUnload = false;

 private:
  int* loads_;
  Label* close_;
  Label* text_;
  QTimer* timer_;
};

void takeEvent(QAccessibleEvent*) {}

// The handler that accessibility events go to now, null for the platform's own.
QAccessible::UpdateHandler updateHandler() {
  const QAccessible::UpdateHandler current = QAccessible::installUpdateHandler(nullptr);
  QAccessible::installUpdateHandler(current);
  return current;
}

}  // namespace

class TestWindowLife : public QObject {
  Q_OBJECT

 private:
  int loads_ = 0;
  WindowInstance<ProbeWindow> instance_{[this] { return std::make_unique<ProbeWindow>(&loads_); }};

 private Q_SLOTS:
  void init() { loads_ = 0; }
  void cleanup() { instance_.unload(); }

  void startsNotLoaded() {
    QVERIFY(!instance_.isLoaded());
    QVERIFY(!instance_.isVisible());
    QVERIFY(instance_.loadedWindow() == nullptr);
    QCOMPARE(loads_, 0);
  }

  void showLoadsOnceAndShows() {
    QSignalSpy created(&instance_, &WindowHolder::created);
    instance_.show();
    QVERIFY(instance_.isLoaded());
    QVERIFY(instance_.isVisible());
    QCOMPARE(loads_, 1);
    QCOMPARE(created.count(), 1);
    ProbeWindow* first = instance_.loadedWindow();
    instance_.show();
    QCOMPARE(instance_.loadedWindow(), first);
    QCOMPARE(loads_, 1);
    QCOMPARE(first->objectName(), QStringLiteral("Probe"));
    QVERIFY(first->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(first->size(), QSize(200, 200));
    QCOMPARE(first->minimumSize(), first->maximumSize());  // not resizable
    // The application icon, in both of its sizes.
    QCOMPARE(first->windowIcon().availableSizes(), (QList<QSize>{QSize(32, 32), QSize(48, 48)}));
  }

  // Each load carries the same icon object, and so does every window without an icon: Qt
  // caches an icon's scaled pixmaps under the identity of the icon's pixmaps.
  void everyLoadSharesItsIcon() {
    instance_.show();
    const qint64 icon = instance_.loadedWindow()->windowIcon().cacheKey();
    instance_.unload();
    instance_.show();
    QCOMPARE(instance_.loadedWindow()->windowIcon().cacheKey(), icon);
    const FormWindow first(quiravel::test::kFrame);
    const FormWindow second(quiravel::test::kFrame);
    QCOMPARE(first.windowIcon().cacheKey(), second.windowIcon().cacheKey());
    QVERIFY(first.windowIcon().cacheKey() != icon);
  }

  void hideLoadsHidden() {
    instance_.hide();
    QVERIFY(instance_.isLoaded());
    QVERIFY(!instance_.isVisible());
    QCOMPARE(loads_, 1);
    QVERIFY(instance_.loadedWindow()->findChild<QTimer*>()->isActive());
    instance_.show();
    QVERIFY(instance_.isVisible());
    instance_.hide();
    QVERIFY(!instance_.isVisible());
    QCOMPARE(loads_, 1);
  }

  void textWriteLoadsHidden() {
    instance_->setText(QStringLiteral("written"));
    QVERIFY(instance_.isLoaded());
    QVERIFY(!instance_.isVisible());
    QCOMPARE(loads_, 1);
    instance_.show();
    QCOMPARE(instance_->text(), QStringLiteral("written"));
  }

  void unloadDiscardsAndNextUseLoadsAfresh() {
    instance_.show();
    instance_->setText(QStringLiteral("written"));
    QPointer<ProbeWindow> old = instance_.loadedWindow();
    QTimer* timer = old->findChild<QTimer*>();
    QSignalSpy unloaded(&instance_, &WindowHolder::unloaded);
    instance_.unload();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!instance_.isLoaded());
    QVERIFY(!old->isVisible());
    QVERIFY(!timer->isActive());
    QTRY_VERIFY(old.isNull());  // destroyed once back in the event loop
    instance_.unload();         // unloading what is not loaded does nothing
    QCOMPARE(unloaded.count(), 1);
    instance_.show();
    QCOMPARE(loads_, 2);
    QCOMPARE(instance_->text(), QStringLiteral("design text"));
  }

  void unloadFromOwnHandler() {
    instance_.show();
    QVERIFY(QTest::qWaitForWindowExposed(instance_.loadedWindow()));
    QPointer<ProbeWindow> window = instance_.loadedWindow();
    connect(window, &ProbeWindow::closeClicked, &instance_, [this] { instance_.unload(); });
    QTest::mouseClick(window->closeLabel(), Qt::LeftButton);
    // The handler ran to its end on a live window (the sanitizer build would catch otherwise).
    QVERIFY(!instance_.isLoaded());
    QVERIFY(window && window->handledAfterUnload);
    QTRY_VERIFY(window.isNull());
    instance_.show();
    QVERIFY(instance_.isVisible());
    QCOMPARE(loads_, 2);
  }

  void systemCloseOnlyAsks() {
    instance_.show();
    QSignalSpy asked(instance_.loadedWindow(), &FormWindow::systemCloseRequested);
    QVERIFY(!instance_.loadedWindow()->close());
    QCOMPARE(asked.count(), 1);
    QVERIFY(instance_.isVisible());
  }

  // While a window is built out of sight its controls tell assistive technology nothing; from
  // its load handler on, events go where they went before.
  void buildTellsAssistiveTechnologyNothing() {
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(&takeEvent);
    QAccessible::UpdateHandler whileBuilt = &takeEvent;
    QAccessible::UpdateHandler onceBuilt = nullptr;
    WindowInstance<ProbeWindow> slot([&] {
      whileBuilt = updateHandler();
      return std::make_unique<ProbeWindow>(&loads_);
    });
    connect(&slot, &WindowHolder::created, this, [&] { onceBuilt = updateHandler(); });
    slot.load();
    const QAccessible::UpdateHandler after = QAccessible::installUpdateHandler(before);
    QVERIFY(whileBuilt != nullptr && whileBuilt != &takeEvent);
    QVERIFY(onceBuilt == &takeEvent);
    QVERIFY(after == &takeEvent);
  }

  void twipsGeometryReadsBackAsWritten() {
    ProbeWindow& w = instance_.get();
    w.moveTwips(12000 - 3000 - 100, 12000);
    QCOMPARE(w.leftTwips(), 8900);
    QCOMPARE(w.topTwips(), 12000);
    QCOMPARE(w.pos(), QPoint(593, 800));
    w.setTopTwips(w.topTwips() - 50);
    QCOMPARE(w.topTwips(), 11950);
    QCOMPARE(w.y(), 797);
    // Moved by other means, the window reports where it is.
    w.move(10, 20);
    QCOMPARE(w.leftTwips(), 150);
    QCOMPARE(w.topTwips(), 300);
    QCOMPARE(w.widthTwips(), 3000);
    QCOMPARE(w.heightTwips(), 3000);
  }
};

QTEST_MAIN(TestWindowLife)
#include "tst_window_life.moc"
