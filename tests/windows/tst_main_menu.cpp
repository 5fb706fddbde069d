// The main menu as the user meets it: its layout, the entries' colours under the pointer, the
// drag, the About box, and what its clicks ask for.
#include "engine/screening.h"
#include "tests/support/input.h"
#include "tests/support/keys.h"
#include "tests/support/look.h"
#include "tests/support/palette.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/label.h"
#include "ui/frame/outline.h"
#include "ui/windows/main_menu_window.h"

#include <QFontInfo>
#include <QSignalSpy>
#include <QTest>

using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

struct Entry {
  Label* label;
  Outline* frame;
};

}  // namespace

class TestMainMenu : public QObject {
  Q_OBJECT

  std::unique_ptr<MainMenuWindow> menu_;

  Label* label(const char* name) const {
    return menu_->findChild<Label*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  }
  Outline* shape(const char* name) const {
    return menu_->findChild<Outline*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
  }
  // back colour, text colour, frame colour of both entries
  QList<uint> entryColours() const {
    return {label("Label1")->backColor(),   label("Label1")->foreColor(),
            shape("Shape1")->borderColor(), label("Label2")->backColor(),
            label("Label2")->foreColor(),   shape("Shape2")->borderColor()};
  }
  QPoint inWindow(QWidget* control, QPoint offset = QPoint(5, 5)) const {
    return control->geometry().topLeft() + offset;
  }

 private Q_SLOTS:
  void init() {
    menu_ = std::make_unique<MainMenuWindow>();
    menu_->formLoad();
    menu_->show();
    QVERIFY(QTest::qWaitForWindowExposed(menu_.get()));
  }
  void cleanup() { menu_.reset(); }

  void windowIsASmallWhiteBorderlessWindowCentred() {
    QCOMPARE(menu_->objectName(), QStringLiteral("Form0"));
    QCOMPARE(menu_->size(), QSize(481, 212));
    QCOMPARE(menu_->pos(), QPoint((800 - 481) / 2, (800 - 212) / 2));
    QVERIFY(menu_->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(menu_->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(!menu_->windowIcon().isNull());
    QCOMPARE(menu_->windowTitle(), QStringLiteral("Quiravel"));
    QCOMPARE(menu_->accessibleName(), QStringLiteral("Quiravel"));
  }

  void controlsAsDesigned_data() {
    addColumns<QString, QString, QRect, uint, uint, QString, double, bool>(
        {"name", "caption",
         "geometry",  // pixels; for auto-sized labels only the corner
         "back", "fore", "face", "points", "transparent"});
    dataRow("title", "title", "Quiravel", QRect(0, 0, 481, 31), kPurple, kWhite, "Tahoma", 14.25,
            false);
    dataRow("Label1", "Label1",
            QString::fromStdString(quiravel::engine::depressionTest().displayTitle),
            QRect(84, 73, 312, 28), kWhite, kPurple, "Arial", 14.25, false);
    dataRow("Label2", "Label2",
            QString::fromStdString(quiravel::engine::anxietyTest().displayTitle),
            QRect(84, 136, 312, 28), kWhite, kPurple, "Arial", 14.25, false);
    dataRow("cmdX", "cmdX", "X", QRect(448, 0, -1, -1), kPurple, kWhite, "Arial", 9.75, true);
    dataRow("about", "about", "?", QRect(464, 0, -1, -1), kPurple, kWhite, "Arial", 9.75, true);
  }
  void controlsAsDesigned() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(uint, back);
    QFETCH(uint, fore);
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(bool, transparent);
    Label* l = label(name.toLatin1().constData());
    QVERIFY(l);
    QCOMPARE(l->caption(), caption);
    QCOMPARE(l->geometry(), designedGeometry(l, geometry));
    QCOMPARE(l->backColor(), back);
    QCOMPARE(l->foreColor(), fore);
    QCOMPARE(fontLook(l->font()), designedFontLook(face, points));
    QCOMPARE(l->isTransparent(), transparent);
    // Keys reach the entries, "X" and "?"; a click moves no focus.
    QCOMPARE(l->focusPolicy(), name == QLatin1String("title") ? Qt::NoFocus : Qt::TabFocus);
  }

  void toolTipsAndFrames() {
    QCOMPARE(label("cmdX")->toolTip(), QStringLiteral("Close"));
    QCOMPARE(label("about")->toolTip(), QStringLiteral("About"));
    QVERIFY(label("title")->hasSingleBorder());
    QCOMPARE(shape("Shape1")->geometry(), QRect(84, 73, 312, 27));
    QCOMPARE(shape("Shape2")->geometry(), QRect(84, 136, 312, 27));
    QCOMPARE(shape("Shape1")->borderWidth(), 2);
    QCOMPARE(entryColours(),
             (QList<uint>{kWhite, kPurple, kLightBlue, kWhite, kPurple, kLightBlue}));
  }

  void stackedFrontToBack() {
    // Shape2, about, cmdX, Shape1, Label1, title, Label2 from front to back.
    const QStringList expected = {QStringLiteral("Label2"), QStringLiteral("title"),
                                  QStringLiteral("Label1"), QStringLiteral("Shape1"),
                                  QStringLiteral("cmdX"),   QStringLiteral("about"),
                                  QStringLiteral("Shape2")};
    QStringList order;
    for (QObject* child : menu_->children()) {
      if (child->isWidgetType())
        order.append(child->objectName());
    }
    QCOMPARE(order, expected);
    // The pointer on the X and on the ? lands on them, not on the caption bar.
    QCOMPARE(menu_->childAt(inWindow(label("cmdX"), QPoint(2, 2))), label("cmdX"));
    QCOMPARE(menu_->childAt(inWindow(label("about"), QPoint(2, 2))), label("about"));
  }

  void hoverPressAndReset() {
    QTest::mouseMove(menu_->windowHandle(), inWindow(label("Label1")));
    QTRY_COMPARE(entryColours(),
                 (QList<uint>{kPurple, kWhite, kLightBlue, kWhite, kPurple, kLightBlue}));
    // Over the background again: both entries back to rest.
    QTest::mouseMove(menu_->windowHandle(), QPoint(20, 190));
    QTRY_COMPARE(entryColours(),
                 (QList<uint>{kWhite, kPurple, kLightBlue, kWhite, kPurple, kLightBlue}));
    // From one entry over the background to the other: only the second stays highlighted.
    QTest::mouseMove(menu_->windowHandle(), inWindow(label("Label1")));
    QTest::mouseMove(menu_->windowHandle(), QPoint(20, 120));
    QTest::mouseMove(menu_->windowHandle(), inWindow(label("Label2")));
    QTRY_COMPARE(entryColours(),
                 (QList<uint>{kWhite, kPurple, kLightBlue, kPurple, kWhite, kLightBlue}));
    // Leaving an entry for the caption bar keeps it highlighted.
    QTest::mouseMove(menu_->windowHandle(), QPoint(20, 10));
    QTRY_COMPARE(label("Label2")->backColor(), kPurple);
  }

  void pressColours_data() {
    addColumns<QString, int, QList<uint>>({"entry", "button", "colours"});
    // Pressed without hovering first: Label1 gets a purple back and keeps its purple text,
    // Label2 gets a purple back and white text.
    for (int button : {int(Qt::LeftButton), int(Qt::RightButton), int(Qt::MiddleButton)}) {
      QTest::addRow("Label1, button %d", button)
          << "Label1" << button
          << QList<uint>{kPurple, kPurple, kLightBlue, kWhite, kPurple, kLightBlue};
      QTest::addRow("Label2, button %d", button)
          << "Label2" << button
          << QList<uint>{kWhite, kPurple, kLightBlue, kPurple, kWhite, kLightBlue};
    }
  }
  void pressColours() {
    QFETCH(QString, entry);
    QFETCH(int, button);
    QFETCH(QList<uint>, colours);
    QTest::mousePress(label(entry.toLatin1().constData()), Qt::MouseButton(button), {},
                      QPoint(5, 5));
    QCOMPARE(entryColours(), colours);
    QTest::mouseRelease(label(entry.toLatin1().constData()), Qt::MouseButton(button), {},
                        QPoint(5, 5));
  }

  void clicksAskForTheirActions() {
    QSignalSpy depression(menu_.get(), &MainMenuWindow::depressionChosen);
    QSignalSpy anxiety(menu_.get(), &MainMenuWindow::anxietyChosen);
    QSignalSpy end(menu_.get(), &MainMenuWindow::endRequested);
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    QTest::mouseClick(label("Label1"), Qt::LeftButton);
    QTest::mouseClick(label("Label2"), Qt::LeftButton);
    QCOMPARE(depression.count(), 2);
    QCOMPARE(anxiety.count(), 1);
    QCOMPARE(end.count(), 0);
    QTest::mouseClick(label("cmdX"), Qt::LeftButton);
    QCOMPARE(end.count(), 1);
  }

  void aboutShowsTheMenuText() {
    const Seams seams(Seams::kAbout);
    const QStringList& shown = seams.aboutTexts;
    QTest::mouseClick(label("about"), Qt::LeftButton);
    QCOMPARE(shown.size(), 1);
    const QStringList lines = shown.first().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("Quiravel v.1.0"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2],
             QStringLiteral("These quizzes are for informational purposes only and can not "
                            "replace a true diagnostic assessment by a licensed mental health "
                            "professional. "));
    QCOMPARE(lines[3], QString(54, QLatin1Char('-')));
    QCOMPARE(lines[4], QStringLiteral("Programming by : Tesmarin "));
    QCOMPARE(lines[5], QStringLiteral("E-mail <quiravel.author@example.org> "));
    QVERIFY(!shown.first().endsWith(QLatin1Char('\n')));
  }

  void dragOnlyByCaptionAndBackground_data() {
    addDragRows({{"entry", "Label1"}, {"X", "cmdX"}, {"?", "about"}});
  }
  void dragOnlyByCaptionAndBackground() {
    QFETCH(QString, control);
    QFETCH(int, buttons);
    QFETCH(int, drags);
    Seams seams(Seams::kDrag);
    QList<uint> coloursDuringDrag;
    seams.onDrag = [&](QWidget* window) {
      QCOMPARE(window, menu_.get());
      coloursDuringDrag = entryColours();
    };
    label("Label1")->setBackColor(kPurple);  // highlighted before the drag
    QWidget* target =
        control.isEmpty() ? menu_.get() : static_cast<QWidget*>(label(control.toLatin1()));
    sendMove(target, QPoint(2, 2), Qt::MouseButtons(buttons));
    QCOMPARE(seams.drags.size(), drags);
    if (control.isEmpty()) {
      // The background resets the entries, after the drag has ended.
      if (drags)
        QCOMPARE(coloursDuringDrag.first(), kPurple);
      QCOMPARE(label("Label1")->backColor(), kWhite);
    }
  }

  void keysWalkTheMenu_data() {
    addColumns<QList<int>, QString>({"keys", "focus"});
    dataRow("at start", QList<int>{}, "Label1");
    dataRow("Tab", QList<int>{Qt::Key_Tab}, "Label2");
    dataRow("Tab Tab", QList<int>{Qt::Key_Tab, Qt::Key_Tab}, "about");
    dataRow("Tab x3", QList<int>(3, Qt::Key_Tab), "cmdX");
    dataRow("Tab x4 wraps round", QList<int>(4, Qt::Key_Tab), "Label1");
    dataRow("Shift+Tab", QList<int>{Qt::Key_Backtab}, "cmdX");
    dataRow("Down", QList<int>{Qt::Key_Down}, "Label2");
    dataRow("Down Down", QList<int>{Qt::Key_Down, Qt::Key_Down}, "Label1");
    dataRow("Up", QList<int>{Qt::Key_Up}, "Label2");
    dataRow("Down on ?", QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Down}, "about");
  }
  void keysWalkTheMenu() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, focus);
    QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
    typeKeys(menu_.get(), keys);
    QCOMPARE(focusedName(), focus);
  }

  void keysPressWhatTheyReach_data() {
    addColumns<QList<int>, QString>({"keys", "action"});
    dataRow("Space on the first entry", QList<int>{Qt::Key_Space}, "depression");
    dataRow("Enter on the first entry", QList<int>{Qt::Key_Return}, "depression");
    dataRow("Down, Space", QList<int>{Qt::Key_Down, Qt::Key_Space}, "anxiety");
    dataRow("Enter on the second", QList<int>{Qt::Key_Tab, Qt::Key_Enter}, "anxiety");
    dataRow("Space on ?", QList<int>{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Space}, "about");
    dataRow("Enter on X", QList<int>{Qt::Key_Backtab, Qt::Key_Return}, "end");
    dataRow("Space on X", QList<int>{Qt::Key_Backtab, Qt::Key_Space}, "end");
  }
  void keysPressWhatTheyReach() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, action);
    const Seams seams(Seams::kAbout);
    QSignalSpy depression(menu_.get(), &MainMenuWindow::depressionChosen);
    QSignalSpy anxiety(menu_.get(), &MainMenuWindow::anxietyChosen);
    QSignalSpy end(menu_.get(), &MainMenuWindow::endRequested);
    QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
    typeKeys(menu_.get(), keys);
    const QList<qsizetype> counts{depression.count(), anxiety.count(), seams.aboutTexts.size(),
                                  end.count()};
    const QStringList actions{"depression", "anxiety", "about", "end"};
    QList<qsizetype> expected(4, 0);
    expected[actions.indexOf(action)] = 1;
    QCOMPARE(counts, expected);
  }

  void focusMarkAfterKeysNotClicks_data() {
    addColumns<QString, int>({"name", "tabs"});
    dataRow("Label1", "Label1", 4);
    dataRow("Label2", "Label2", 1);
    dataRow("about", "about", 2);
    dataRow("cmdX", "cmdX", 3);
  }
  void focusMarkAfterKeysNotClicks() {
    QFETCH(QString, name);
    QFETCH(int, tabs);
    const Seams seams(Seams::kAbout);
    QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
    QCOMPARE(focusedName(), QStringLiteral("Label1"));
    const QString fault =
        focusMarkFaultAfter(label(name.toLatin1().constData()), QList<int>(tabs, Qt::Key_Tab));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  void labelsLayOutNoDocument() {
    // Qt lays out the text of a label that can take the focus in a rich-text document of its
    // own, first in the application's font: memory and a font file more at start.
    QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
    typeKeys(menu_.get(), QList<int>(4, Qt::Key_Tab));
    label("Label2")->setCaption(QStringLiteral("Anxiety"));
    for (const QObject* o : menu_->findChildren<QObject*>())
      QVERIFY2(qstrcmp(o->metaObject()->className(), "QWidgetTextControl") != 0,
               qPrintable(o->parent()->objectName()));
  }
};

QTEST_MAIN(TestMainMenu)
#include "tst_main_menu.moc"
