// What assistive technology finds in the frame's windows and labels: roles, names and
// relations, the press action of a label that acts as a button, and the announcement of a
// notification window.
#include "tests/support/accessible.h"
#include "tests/support/forms.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/accessibility.h"
#include "ui/frame/form_window.h"
#include "ui/frame/layout.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

using namespace quiravel::frame;
using namespace quiravel::test;

namespace {

LabelSpec titleSpec(const char* caption) {
  LabelSpec spec = kLabel;
  spec.name = "title";
  spec.caption = caption;
  spec.top = 0;
  spec.toolTip = nullptr;
  return spec;
}

QString pressAction() {
  return QAccessibleActionInterface::pressAction();
}

// The signals of a label, in the order they come.
class SignalOrder : public QObject {
 public:
  explicit SignalOrder(Label* label) {
    connect(label, &Label::mouseDown, this,
            [this](int button) { seen.append(QStringLiteral("down %1").arg(button)); });
    connect(label, &Label::click, this, [this] { seen.append(QStringLiteral("click")); });
  }
  QStringList seen;
};

const QStringList kPressAndRelease{QStringLiteral("down 1"), QStringLiteral("click")};

// Runs the event loop until everything queued before this call has run.
void drainQueuedCalls(QObject* context) {
  bool reached = false;
  QMetaObject::invokeMethod(
      context, [&reached] { reached = true; }, Qt::QueuedConnection);
  QTRY_VERIFY(reached);
}

}  // namespace

class TestAccessibility : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void labelRole_data() {
    addColumns<bool, bool, int, QStringList>({"actsAsButton", "queriedBefore", "role", "actions"});
    dataRow("plain label", false, false, int(QAccessible::StaticText), QStringList());
    dataRow("button", true, false, int(QAccessible::Button), QStringList{pressAction()});
    dataRow("made a button after a screen reader first read it", true, true,
            int(QAccessible::Button), QStringList{pressAction()});
  }
  void labelRole() {
    QFETCH(bool, actsAsButton);
    QFETCH(bool, queriedBefore);
    QFETCH(int, role);
    QFETCH(QStringList, actions);
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    if (queriedBefore)
      QCOMPARE(accessible(label)->role(), QAccessible::StaticText);
    label->setActsAsButton(actsAsButton);
    QAccessibleInterface* iface = accessible(label);
    QCOMPARE(int(iface->role()), role);
    QVERIFY(iface->actionInterface());
    QCOMPARE(iface->actionInterface()->actionNames(), actions);
  }

  void buttonGoesBackToText() {
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    label->setActsAsButton(true);
    QCOMPARE(accessible(label)->role(), QAccessible::Button);
    label->setActsAsButton(false);
    QCOMPARE(accessible(label)->role(), QAccessible::StaticText);
    QVERIFY(accessible(label)->actionInterface()->actionNames().isEmpty());
  }

  void labelReadsItsCaption() {
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    label->setActsAsButton(true);
    QAccessibleInterface* iface = accessible(label);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Score Your Test"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("Scores the answers"));
    // A new caption is read at once, blanks and all.
    label->setCaption(QStringLiteral("Moderate Depression (5-9): "));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Moderate Depression (5-9): "));
    // An accessible name of its own takes precedence.
    label->setAccessibleName(QStringLiteral("Score"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Score"));
  }

  void pressActionIsPressAndRelease() {
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    label->setActsAsButton(true);
    form.show();
    SignalOrder order(label);
    accessible(label)->actionInterface()->doAction(pressAction());
    // The caller is answered first: the press comes from the event loop.
    QVERIFY(order.seen.isEmpty());
    QTRY_COMPARE(order.seen, kPressAndRelease);
    drainQueuedCalls(&form);
    QCOMPARE(order.seen, kPressAndRelease);
  }

  void pressAndReleaseWithoutPointer() {
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    SignalOrder order(label);
    label->pressAndRelease();
    QCOMPARE(order.seen, kPressAndRelease);
  }

  void pressOnlyWhereMouseReaches_data() {
    addColumns<QString, bool>({"situation", "pressed"});
    dataRow("on screen", "on screen", true);
    dataRow("window hidden", "window hidden", false);
    dataRow("label disabled", "label disabled", false);
    dataRow("another window is modal", "another window is modal", false);
    dataRow("its own window is modal", "its own window is modal", true);
    dataRow("no longer a button", "no longer a button", false);
  }
  void pressOnlyWhereMouseReaches() {
    QFETCH(QString, situation);
    QFETCH(bool, pressed);
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    label->setActsAsButton(true);
    QWidget modal;
    if (situation != QLatin1String("window hidden"))
      form.show();
    if (situation == QLatin1String("label disabled"))
      label->setEnabled(false);
    if (situation == QLatin1String("another window is modal")) {
      modal.setWindowModality(Qt::ApplicationModal);
      modal.show();
      QCOMPARE(QApplication::activeModalWidget(), &modal);
    }
    if (situation == QLatin1String("its own window is modal")) {
      form.hide();
      form.setWindowModality(Qt::ApplicationModal);
      form.show();
      QCOMPARE(QApplication::activeModalWidget(), &form);
    }
    SignalOrder order(label);
    accessible(label)->actionInterface()->doAction(pressAction());
    if (situation == QLatin1String("no longer a button"))
      label->setActsAsButton(false);
    drainQueuedCalls(&form);
    QCOMPARE(order.seen, pressed ? kPressAndRelease : QStringList());
  }

  void otherActionsPressNothing() {
    FormWindow form(kFrame);
    Label* label = addLabel(&form, kLabel);
    label->setActsAsButton(true);
    form.show();
    SignalOrder order(label);
    accessible(label)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    drainQueuedCalls(&form);
    QVERIFY(order.seen.isEmpty());
  }

  void questionLabelsItsAnswerList() {
    FormWindow form(kFrame);
    Label* question = addLabel(&form, kLabel);
    Label* other = addLabel(&form, titleSpec("Unrelated"));
    DropDownList* list = addDropDown(
        &form,
        {"Combo1", 4500, 1500, 1095, 315, 0x00FFFFFF, 0x00000000, {"Tahoma", 8.25, 400, 178}});
    question->setBuddy(list);

    QAccessibleInterface* questionIface = accessible(question);
    QAccessibleInterface* listIface = accessible(list);
    QCOMPARE(listIface->role(), QAccessible::ComboBox);
    QCOMPARE(related(listIface, QAccessible::Label), QList{questionIface});
    QCOMPARE(related(questionIface, QAccessible::Labelled), QList{listIface});
    QVERIFY(related(accessible(other), QAccessible::Labelled).isEmpty());
  }

  void windowName_data() {
    addColumns<QString, QString, QString>({"accessibleName", "title", "name"});
    dataRow("its own accessible name", "Quiravel", "Caption bar", "Quiravel");
    dataRow("its title label", "", "Result", "Result");
    dataRow("an empty title label", "", "", "Form caption");
    dataRow("no title label", "", QString(), "Form caption");
  }
  void windowName() {
    QFETCH(QString, accessibleName);
    QFETCH(QString, title);
    QFETCH(QString, name);
    FormWindow form(kFrame);
    const QByteArray caption = title.toUtf8();
    if (!title.isNull())
      addLabel(&form, titleSpec(caption.constData()));
    // A label named otherwise is no caption bar.
    addLabel(&form, kLabel);
    form.setAccessibleName(accessibleName);
    QCOMPARE(accessibleWindowName(form), name);
    QAccessibleInterface* iface = accessible(&form);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->role(), QAccessible::Window);
  }

  void notificationRole() {
    FormWindow form(kFrame);
    QVERIFY(!isNotification(form));
    setNotification(&form, true);
    QVERIFY(isNotification(form));
    QCOMPARE(accessible(&form)->role(), QAccessible::Notification);
    setNotification(&form, false);
    QCOMPARE(accessible(&form)->role(), QAccessible::Window);
  }

  void announcement_data() {
    addColumns<bool, bool, int>({"notification", "visible", "announcements"});
    dataRow("notification on screen", true, true, 1);
    dataRow("hidden notification", true, false, 0);
    dataRow("plain window", false, true, 0);
  }
  void announcement() {
    QFETCH(bool, notification);
    QFETCH(bool, visible);
    QFETCH(int, announcements);
    FormWindow form(kFrame);
    setNotification(&form, notification);
    form.setVisible(visible);
    QList<FormWindow*> announced;
    {
      const quiravel::test::Seams seams(quiravel::test::Seams::kAnnounce);
      announce(&form);
      announced = seams.announced;
    }
    QCOMPARE(announced.size(), announcements);
    if (announcements > 0)
      QCOMPARE(announced.front(), &form);
  }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
