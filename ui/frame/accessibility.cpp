#include "ui/frame/accessibility.h"

#include "ui/frame/form_window.h"
#include "ui/frame/label.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QEvent>
#include <QPointer>

#include <utility>

namespace quiravel::frame {

namespace {

constexpr char kNotificationProperty[] = "quiravelNotification";

Seam<FormWindow*> announceSeam;

// Whether a mouse press could reach `widget` now: it is on screen and enabled, and no modal
// window (such as an open About box) holds the input of the other windows.
bool reachableByPointer(const QWidget& widget) {
  if (!widget.isVisible() || !widget.isEnabled())
    return false;
  const QWidget* modal = QApplication::activeModalWidget();
  return !modal || modal == widget.window() || modal->isAncestorOf(&widget);
}

// Sees a notification window come into view. Qt itself then tells the screen reader, which
// reads the window out; a test that has taken the announcements gets this one too.
class ShowWatch : public QObject {
 public:
  static ShowWatch* instance() {
    static ShowWatch watch;
    return &watch;
  }

  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Show && !event->spontaneous()) {
      auto* window = static_cast<FormWindow*>(object);
      // The program's own step is nothing: Qt announces the window as it shows.
      if (isNotification(*window))
        announceSeam.run([](FormWindow*) {}, window);
    }
    return false;
  }
};

class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(FormWindow* window) : QAccessibleWidget(window, QAccessible::Window) {}

  QAccessible::Role role() const override {
    return isNotification(*form()) ? QAccessible::Notification : QAccessible::Window;
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Name)
      return accessibleWindowName(*form());
    return QAccessibleWidget::text(type);
  }

 private:
  FormWindow* form() const { return static_cast<FormWindow*>(widget()); }
};

class LabelAccessible : public QAccessibleWidget {
 public:
  explicit LabelAccessible(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

  QAccessible::Role role() const override {
    return label()->actsAsButton() ? QAccessible::Button : QAccessible::StaticText;
  }

  QString text(QAccessible::Text type) const override {
    if (type == QAccessible::Name) {
      const QString name = label()->accessibleName();
      return name.isEmpty() ? label()->caption() : name;
    }
    return QAccessibleWidget::text(type);
  }

  // A label with a buddy labels it: the answer list next to a question.
  QList<std::pair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation match) const override {
    auto related = QAccessibleWidget::relations(match);
    if ((match & QAccessible::Labelled) && label()->buddy()) {
      if (QAccessibleInterface* buddy = QAccessible::queryAccessibleInterface(label()->buddy()))
        related.emplace_back(buddy, QAccessible::Labelled);
    }
    return related;
  }

  QStringList actionNames() const override {
    if (label()->actsAsButton())
      return {pressAction()};
    return QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (!label()->actsAsButton() || action != pressAction()) {
      QAccessibleWidget::doAction(action);
      return;
    }
    // The press runs once the assistive technology's request has been answered: what it
    // starts (an About box, the end of the program) must not keep the caller waiting.
    Label* target = label();
    QMetaObject::invokeMethod(
        target,
        [target] {
          if (target->actsAsButton() && reachableByPointer(*target))
            target->pressAndRelease();
        },
        Qt::QueuedConnection);
  }

 private:
  Label* label() const { return static_cast<Label*>(widget()); }
};

// Qt's bridge tells the accessibility registry of the program once, when it comes up. A
// registry that starts again, after a crash say, knows of no program, and a screen reader
// would not find this one until it was restarted: each new registry is told of it too, with
// the same call Qt made to the first one.
class RegistryWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    // Queued, so that Qt has told the registry that is up (or started one by telling it)
    // before the watch begins: every registry the watch then sees is a new one.
    if (active && !watcher_)
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [this] { watch(); }, Qt::QueuedConnection);
  }

 private:
  static inline const QString kRegistry = QStringLiteral("org.a11y.atspi.Registry");
  static inline const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");

  void watch() {
    // The connection Qt's bridge opened to the accessibility bus, known by the name Qt gives
    // it. Without one (another platform, or another name) there is nothing to add.
    const QDBusConnection bus(QStringLiteral("a11y"));
    if (watcher_ || !bus.isConnected())
      return;
    watcher_ = new QDBusServiceWatcher(kRegistry, bus, QDBusServiceWatcher::WatchForRegistration,
                                       QCoreApplication::instance());
    QObject::connect(watcher_, &QDBusServiceWatcher::serviceRegistered, watcher_,
                     [this] { embed(watcher_->connection()); });
  }

  static void embed(const QDBusConnection& bus) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kRegistry, kRoot, QStringLiteral("org.a11y.atspi.Socket"), QStringLiteral("Embed"));
    QDBusArgument plug;
    plug.beginStructure();
    plug << bus.baseService() << QDBusObjectPath(kRoot);
    plug.endStructure();
    call << QVariant::fromValue(plug);
    // The answer, the registry's own root, is nothing the program uses.
    bus.send(call);
  }

  QPointer<QDBusServiceWatcher> watcher_;
};

QAccessibleInterface* makeInterface(const QString&, QObject* object) {
  if (auto* label = qobject_cast<Label*>(object))
    return new LabelAccessible(label);
  if (auto* window = qobject_cast<FormWindow*>(object))
    return new WindowAccessible(window);
  return nullptr;
}

}  // namespace

void installAccessibility() {
  static bool installed = false;
  if (installed)
    return;
  installed = true;
  QAccessible::installFactory(&makeInterface);
  static RegistryWatch registryWatch;
  QAccessible::installActivationObserver(&registryWatch);
}

// Before any window or label exists, so that none of them is first given a stock interface.
Q_COREAPP_STARTUP_FUNCTION(installAccessibility)

namespace {

int quietDepth = 0;
QAccessible::UpdateHandler handlerBeforeQuiet = nullptr;

void dropEvent(QAccessibleEvent*) {}

}  // namespace

AccessibilityQuiet::AccessibilityQuiet() {
  if (quietDepth++ == 0)
    handlerBeforeQuiet = QAccessible::installUpdateHandler(&dropEvent);
}

AccessibilityQuiet::~AccessibilityQuiet() {
  if (--quietDepth == 0)
    QAccessible::installUpdateHandler(handlerBeforeQuiet);
}

QString accessibleWindowName(const FormWindow& window) {
  if (!window.accessibleName().isEmpty())
    return window.accessibleName();
  if (const auto* title =
          window.findChild<Label*>(QStringLiteral("title"), Qt::FindDirectChildrenOnly)) {
    if (!title->caption().isEmpty())
      return title->caption();
  }
  return window.windowTitle();
}

void setNotification(FormWindow* window, bool notification) {
  installAccessibility();
  window->setProperty(kNotificationProperty, notification);
  window->removeEventFilter(ShowWatch::instance());
  if (notification)
    window->installEventFilter(ShowWatch::instance());
}

bool isNotification(const FormWindow& window) {
  return window.property(kNotificationProperty).toBool();
}

void announce(FormWindow* window) {
  if (!isNotification(*window) || !window->isVisible())
    return;
  announceSeam.run(
      [](FormWindow* shownWindow) {
        // Screen readers read a notification out when it comes into view; saying so again has
        // them read the texts it shows now.
        QAccessibleEvent shown(shownWindow, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
      },
      window);
}

AnnounceHandler setAnnounceHandler(AnnounceHandler handler) {
  return announceSeam.replace(std::move(handler));
}

}  // namespace quiravel::frame
