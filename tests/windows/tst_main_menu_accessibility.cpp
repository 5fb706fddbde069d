// The main menu as a screen reader finds it: the window's name, its entries, "X" and "?" as
// push buttons, and what their press actions do.
#include "engine/screening.h"
#include "tests/support/accessible.h"
#include "tests/support/palette.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/label.h"
#include "ui/windows/main_menu_window.h"

#include <QAccessible>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace quiravel::test;
using quiravel::frame::Label;
using quiravel::windows::MainMenuWindow;

namespace {

Label* label(MainMenuWindow& menu, const QString& name) {
  Label* found = menu.findChild<Label*>(name);
  Q_ASSERT(found);
  return found;
}

}  // namespace

class TestMainMenuAccessibility : public QObject {
  Q_OBJECT

  std::optional<Seams> seams_;

 private Q_SLOTS:
  void init() { seams_.emplace(Seams::kAbout); }
  void cleanup() { seams_.reset(); }

  void windowIsNamedAfterTheProgram() {
    MainMenuWindow menu;
    QAccessibleInterface* iface = accessible(&menu);
    QCOMPARE(iface->role(), QAccessible::Window);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Quiravel"));
  }

  void labels_data() {
    addColumns<QString, int, QString, QString>({"name", "role", "text", "description"});
    dataRow("Label1", "Label1", int(QAccessible::Button),
            QString::fromStdString(quiravel::engine::depressionTest().displayTitle), "");
    dataRow("Label2", "Label2", int(QAccessible::Button),
            QString::fromStdString(quiravel::engine::anxietyTest().displayTitle), "");
    dataRow("cmdX", "cmdX", int(QAccessible::Button), "X", "Close");
    dataRow("about", "about", int(QAccessible::Button), "?", "About");
    dataRow("title", "title", int(QAccessible::StaticText), "Quiravel", "");
  }
  void labels() {
    QFETCH(QString, name);
    QFETCH(int, role);
    QFETCH(QString, text);
    QFETCH(QString, description);
    MainMenuWindow menu;
    QAccessibleInterface* iface = accessible(label(menu, name));
    QCOMPARE(int(iface->role()), role);
    QCOMPARE(iface->text(QAccessible::Name), text);
    QCOMPARE(iface->text(QAccessible::Description), description);
    QCOMPARE(
        iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
        role == QAccessible::Button);
    // The menu's window lists it among its children.
    QVERIFY(accessible(&menu)->indexOfChild(iface) >= 0);
  }

  void pressAction_data() {
    addColumns<QString, QString>({"name", "outcome"});
    dataRow("Label1", "Label1", "depression");
    dataRow("Label2", "Label2", "anxiety");
    dataRow("cmdX", "cmdX", "end");
    dataRow("about", "about", "about");
  }
  void pressAction() {
    QFETCH(QString, name);
    QFETCH(QString, outcome);
    MainMenuWindow menu;
    menu.show();
    QSignalSpy depression(&menu, &MainMenuWindow::depressionChosen);
    QSignalSpy anxiety(&menu, &MainMenuWindow::anxietyChosen);
    QSignalSpy end(&menu, &MainMenuWindow::endRequested);
    quiravel::test::pressAction(label(menu, name));
    const auto happened = [&] {
      return depression.count() + anxiety.count() + end.count() + int(seams_->aboutTexts.size());
    };
    QTRY_COMPARE(happened(), 1);
    QCOMPARE(depression.count(), outcome == QLatin1String("depression") ? 1 : 0);
    QCOMPARE(anxiety.count(), outcome == QLatin1String("anxiety") ? 1 : 0);
    QCOMPARE(end.count(), outcome == QLatin1String("end") ? 1 : 0);
    QCOMPARE(seams_->aboutTexts, outcome == QLatin1String("about")
                                     ? QStringList{MainMenuWindow::aboutText()}
                                     : QStringList());
  }

  void pressActionTakesPressColours_data() {
    addColumns<QString, quint32, quint32>({"name", "back", "fore"});
    // Label1's press leaves its text colour; Label2's turns it white.
    dataRow("Label1", "Label1", quint32(kPurple), quint32(kPurple));
    dataRow("Label2", "Label2", quint32(kPurple), quint32(kWhite));
  }
  void pressActionTakesPressColours() {
    QFETCH(QString, name);
    QFETCH(quint32, back);
    QFETCH(quint32, fore);
    MainMenuWindow menu;
    menu.show();
    Label* entry = label(menu, name);
    QSignalSpy clicks(entry, &Label::click);
    accessible(entry)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(clicks.wait(10000));
    QCOMPARE(entry->backColor(), back);
    QCOMPARE(entry->foreColor(), fore);
  }
};

QTEST_MAIN(TestMainMenuAccessibility)
#include "tst_main_menu_accessibility.moc"
