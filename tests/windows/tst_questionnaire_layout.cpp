// Both questionnaires as they open: the window's frame and place, every control of the layout,
// the rows built from the test's items, the stacking, the tab order and what a screen reader
// is told.
#include "engine/screening.h"
#include "tests/support/keys.h"
#include "tests/support/look.h"
#include "tests/support/palette.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "tests/support/seams.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"
#include "ui/frame/layout.h"
#include "ui/frame/outline.h"
#include "ui/frame/window_instance.h"
#include "ui/windows/questionnaire_window.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

namespace {

QString itemText(const QString& form, int index) {
  return QString::fromStdString(
      designNamed(form).test().items.at(static_cast<std::size_t>(index)).text);
}

// The test's title, from the engine.
QString title(const QString& form) {
  return QString::fromStdString(designNamed(form).test().displayTitle);
}

}  // namespace

class TestQuestionnaireLayout : public QObject {
  Q_OBJECT

  std::unique_ptr<Questionnaire> instance_;
  int loads_ = 0;
  bool visibleWhenLoaded_ = true;

  QuestionnaireWindow* open(const QString& form) {
    return openQuestionnaire(instance_, designNamed(form), [this](QuestionnaireWindow* w) {
      QObject::connect(w, &QuestionnaireWindow::loaded, w, [this, w] {
        ++loads_;
        visibleWhenLoaded_ = w->isVisible();
      });
    });
  }
  QuestionnaireWindow* window() const { return instance_->loadedWindow(); }
  Label* label(const QString& name) const { return quiravel::test::label(window(), name); }
  DropDownList* combo(int index) const { return quiravel::test::combo(window(), index); }
  int stackPosition(const QString& name) const {
    const QObjectList children = window()->children();
    for (int i = 0; i < children.size(); ++i) {
      if (children[i]->objectName() == name)
        return i;
    }
    return -1;
  }

  static void addFormRows() {
    QTest::addColumn<QString>("form");
    dataRow("depression", "Form1");
    dataRow("anxiety", "Form11");
  }

 private Q_SLOTS:
  void cleanup() {
    instance_.reset();
    loads_ = 0;
    visibleWhenLoaded_ = true;
  }

  void opensWithNothingAnswered_data() { addFormRows(); }
  void opensWithNothingAnswered() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    const int items = static_cast<int>(designNamed(form).test().items.size());
    QCOMPARE(window()->findChildren<DropDownList*>().size(), items);
    for (int i = 0; i < items; ++i) {
      DropDownList* list = combo(i);
      QVERIFY2(list, qPrintable(quiravel::frame::indexedName("Combo1", i)));
      QCOMPARE(list->currentIndex(), -1);
      QCOMPARE(list->currentText(), QStringLiteral("No"));
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->itemText(0), QStringLiteral("No"));
      QCOMPARE(list->itemText(1), QStringLiteral("Yes"));
      QVERIFY(list->isEditable());
      QCOMPARE(list->completer(), nullptr);
      QCOMPARE(list->insertPolicy(), QComboBox::NoInsert);
    }
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo(0)));
    // The load handler ran once, before the window first became visible.
    QCOMPARE(loads_, 1);
    QVERIFY(!visibleWhenLoaded_);
  }

  void windowFrameAndPlace_data() {
    addColumns<QString, QString, QRect>({
        "form", "title",
        "geometry"  // pixels on the 800 x 800 test screen
    });
    dataRow("depression", "Form1", title(QStringLiteral("Form1")), QRect(393, 0, 657, 751));
    // Centred: (12000 - 9855) / 2 = 1072 twips, (12000 - 8700) / 2 = 1650 twips.
    dataRow("anxiety", "Form11", title(QStringLiteral("Form11")), QRect(71, 110, 657, 580));
  }
  void windowFrameAndPlace() {
    QFETCH(QString, form);
    QFETCH(QString, title);
    QFETCH(QRect, geometry);
    QVERIFY(open(form));
    QCOMPARE(window()->objectName(), form);
    QCOMPARE(window()->geometry(), geometry);
    QVERIFY(window()->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window()->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(!window()->windowIcon().isNull());
    QCOMPARE(window()->windowTitle(), title);
    QCOMPARE(window()->accessibleName(), title);
    QCOMPARE(QString::fromStdString(window()->test().displayTitle), title);
  }

  // Row names made here rather than by addRow's formatting, which g++ -O2 misreads as
  // possibly formatting a null string.
  static QByteArray tag(const char* form, const char* control) {
    return QByteArray(form) + control;
  }

  void fixedControls_data() {
    addColumns<QString, QString, QString, QRect, uint, QString, double, bool, QString>(
        {"form", "name", "caption",
         "geometry",  // pixels; for auto-sized labels only the corner
         "back", "face", "points", "transparent", "toolTip"});
    for (const char* form : {"Form1", "Form11"}) {
      const bool depression = QLatin1String(form) == QLatin1String("Form1");
      dataRow(tag(form, " title").constData(), form, "title", title(QLatin1String(form)),
              QRect(0, 0, 657, 31), kLightBlue, "Tahoma", 14.25, false, "");
      dataRow(tag(form, " cmdX").constData(), form, "cmdX", "X", QRect(624, 0, -1, -1), kLightBlue,
              "Arial", 9.75, true, "Close");
      dataRow(tag(form, " about").constData(), form, "about", "?", QRect(640, 0, -1, -1),
              kLightBlue, "Arial", 9.75, true, "About");
      dataRow(tag(form, " Label1").constData(), form, "Label1", "Score Your Test",
              (depression ? QRect(172, 713, 312, 28) : QRect(172, 537, 312, 28)), kDarkBlue,
              "Arial", 14.25, false, "");
    }
  }
  void fixedControls() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QFETCH(uint, back);
    QFETCH(QString, face);
    QFETCH(double, points);
    QFETCH(bool, transparent);
    QFETCH(QString, toolTip);
    QVERIFY(open(form));
    Label* l = label(name);
    QVERIFY(l);
    QCOMPARE(l->caption(), caption);
    QCOMPARE(l->geometry(), designedGeometry(l, geometry));
    QCOMPARE(l->backColor(), back);
    QCOMPARE(l->foreColor(), kWhite);
    QCOMPARE(fontLook(l->font()), designedFontLook(face, points));
    QCOMPARE(l->isTransparent(), transparent);
    QCOMPARE(l->hasSingleBorder(), name == QLatin1String("title"));
    QCOMPARE(l->toolTip(), toolTip);
    QVERIFY(l->alignment() & Qt::AlignHCenter);
    // Keys reach "Score Your Test", "?" and "X"; a click moves no focus.
    QCOMPARE(l->focusPolicy(), name == QLatin1String("title") ? Qt::NoFocus : Qt::TabFocus);
  }

  void scoreOutline_data() {
    addColumns<QString, QRect>({"form", "geometry"});
    dataRow("depression", "Form1", QRect(172, 713, 312, 27));
    dataRow("anxiety", "Form11", QRect(172, 537, 312, 27));
  }
  void scoreOutline() {
    QFETCH(QString, form);
    QFETCH(QRect, geometry);
    QVERIFY(open(form));
    auto* shape = window()->findChild<Outline*>(QStringLiteral("Shape1"));
    QVERIFY(shape);
    QCOMPARE(shape->geometry(), geometry);
    QCOMPARE(shape->borderColor(), kLightBlue);
    QCOMPARE(shape->borderWidth(), 2);
    // It frames "Score Your Test" and lies in front of it.
    QCOMPARE(shape->geometry().topLeft(), label(QStringLiteral("Label1"))->pos());
    QVERIFY(stackPosition(QStringLiteral("Shape1")) > stackPosition(QStringLiteral("Label1")));
  }

  void rows_data() {
    addColumns<QString, int, QRect, bool, QPoint, QString, int>({
        "form", "index",
        "question",  // twips; auto-sized: only the corner counts
        "autoSized",
        "list",  // twips
        "separator",
        "separatorY"  // twips
    });
    dataRow("Form1 item 1", "Form1", 0, QRect(360, 720, 8130, 240), true, QPoint(8520, 720),
            "Line3(0)", 1080);
    dataRow("Form1 item 2", "Form1", 1, QRect(360, 1200, 5895, 240), true, QPoint(8520, 1200),
            "Line3(1)", 1560);
    dataRow("Form1 item 3", "Form1", 2, QRect(360, 1680, 7935, 480), false, QPoint(8520, 1680),
            "Line3(2)", 2160);
    dataRow("Form1 item 5", "Form1", 4, QRect(360, 3000, 7935, 735), false, QPoint(8520, 3120),
            "Line3(4)", 3840);
    dataRow("Form1 item 9", "Form1", 8, QRect(405, 6120, 7935, 495), false, QPoint(8520, 6120),
            "Line3(8)", 6720);
    dataRow("Form1 item 10", "Form1", 9, QRect(360, 6840, 7935, 615), false, QPoint(8520, 6960),
            "Line3(9)", 7440);
    dataRow("Form1 item 12", "Form1", 11, QRect(360, 8280, 7935, 495), false, QPoint(8475, 8280),
            "Line3(11)", 8640);
    dataRow("Form1 item 14", "Form1", 13, QRect(360, 9360, 7935, 735), false, QPoint(8475, 9360),
            "Line3(13)", 10080);
    dataRow("Form1 item 15", "Form1", 14, QRect(360, 10200, 7935, 495), false, QPoint(8475, 10200),
            "Line1(9)", 10560);
    dataRow("Form11 item 1", "Form11", 0, QRect(360, 720, 7125, 240), true, QPoint(8520, 720),
            "Line3(0)", 1200);
    dataRow("Form11 item 2", "Form11", 1, QRect(360, 1440, 5805, 240), true, QPoint(8520, 1440),
            "Line3(1)", 1920);
    dataRow("Form11 item 4", "Form11", 3, QRect(360, 2880, 7935, 735), false, QPoint(8520, 3000),
            "Line3(3)", 3480);
    dataRow("Form11 item 7", "Form11", 6, QRect(360, 5040, 7935, 615), false, QPoint(8520, 5160),
            "Line3(6)", 5640);
    dataRow("Form11 item 9", "Form11", 8, QRect(405, 6480, 7935, 495), false, QPoint(8520, 6600),
            "Line3(8)", 7080);
    dataRow("Form11 item 10", "Form11", 9, QRect(360, 7200, 7935, 615), false, QPoint(8520, 7320),
            "Line3(9)", 7800);
  }
  void rows() {
    QFETCH(QString, form);
    QFETCH(int, index);
    QFETCH(QRect, question);
    QFETCH(bool, autoSized);
    QFETCH(QPoint, list);
    QFETCH(QString, separator);
    QFETCH(int, separatorY);
    QVERIFY(open(form));

    Label* text = label(QStringLiteral("question(%1)").arg(index));
    QVERIFY(text);
    QCOMPARE(text->caption(), itemText(form, index));
    const QRect designed =
        twipsRect(question.x(), question.y(), question.width(), question.height());
    if (autoSized) {
      // One line, as long as its text.
      QCOMPARE(text->pos(), designed.topLeft());
      QVERIFY(!text->wordWrap());
      QCOMPARE(text->size(), text->sizeHint());
    } else {
      // Wrapped within the design width; the height stays, whatever the text needs.
      QCOMPARE(text->geometry(), designed);
      QVERIFY(text->wordWrap());
    }
    QVERIFY(text->isTransparent());
    QCOMPARE(text->backColor(), kBlack);
    QCOMPARE(text->foreColor(), kWhite);
    QCOMPARE(fontLook(text->font()), designedFontLook(QStringLiteral("Arial"), 9.75));
    QVERIFY(text->alignment() & Qt::AlignLeft);
    QCOMPARE(text->focusPolicy(), Qt::NoFocus);

    DropDownList* answer = combo(index);
    QVERIFY(answer);
    QCOMPARE(answer->geometry(), twipsRect(list.x(), list.y(), 1095, 315));
    QCOMPARE(fontLook(answer->font()), designedFontLook(QStringLiteral("Tahoma"), 8.25, false));
    QCOMPARE(answer->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(answer->palette().color(QPalette::Text), QColor(Qt::black));
    // A screen reader names the list by its question.
    QCOMPARE(text->buddy(), static_cast<QWidget*>(answer));
    QCOMPARE(answer->accessibleName(), itemText(form, index));

    auto* line = window()->findChild<Line*>(separator, Qt::FindDirectChildrenOnly);
    QVERIFY(line);
    QCOMPARE(line->geometry(), QRect(8, quiravel::frame::twipsToPixels(separatorY), 641, 1));
    QCOMPARE(line->borderColor(), kWhite);
  }

  void oneRowPerItem_data() { addFormRows(); }
  void oneRowPerItem() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    const auto& items = designNamed(form).test().items;
    const int n = static_cast<int>(items.size());
    QCOMPARE(n, form == QLatin1String("Form1") ? 15 : 10);
    QCOMPARE(window()->findChildren<Line*>().size(), n);
    for (int i = 0; i < n; ++i) {
      QCOMPARE(label(QStringLiteral("question(%1)").arg(i))->caption(), itemText(form, i));
      // Rows run down the window in item order.
      if (i > 0)
        QVERIFY(combo(i)->y() > combo(i - 1)->y());
    }
  }

  void tabWalksTheListsThenTheActions_data() { addFormRows(); }
  void tabWalksTheListsThenTheActions() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo(0)));
    const int n = static_cast<int>(designNamed(form).test().items.size());
    QStringList expected;
    for (int i = 1; i < n; ++i)
      expected.append(quiravel::frame::indexedName("Combo1", i));
    expected << "Label1"
             << "about"
             << "cmdX"
             << "Combo1(0)";
    QStringList walked;
    for (qsizetype step = 0; step < expected.size(); ++step) {
      typeKeys(window(), {Qt::Key_Tab});
      walked.append(focusedName());
    }
    QCOMPARE(walked, expected);
    typeKeys(window(), {Qt::Key_Backtab});
    QCOMPARE(focusedName(), QStringLiteral("cmdX"));
    typeKeys(window(), {Qt::Key_Backtab, Qt::Key_Backtab, Qt::Key_Backtab});
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(combo(n - 1)));
  }

  void focusMarkAfterKeysNotClicks_data() {
    addColumns<QString, QString, int>({"form", "name", "backtabs"});
    for (const char* form : {"Form1", "Form11"}) {
      QTest::addRow("%s Label1", form) << form << "Label1" << 3;
      QTest::addRow("%s about", form) << form << "about" << 2;
      QTest::addRow("%s cmdX", form) << form << "cmdX" << 1;
    }
  }
  void focusMarkAfterKeysNotClicks() {
    QFETCH(QString, form);
    QFETCH(QString, name);
    QFETCH(int, backtabs);
    const Seams seams;
    QVERIFY(open(form));
    QTRY_COMPARE(focusedName(), QStringLiteral("Combo1(0)"));
    const QString fault = focusMarkFaultAfter(label(name), QList<int>(backtabs, Qt::Key_Backtab));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  void onlyTheListsAndActionsTakeTheFocus_data() { addFormRows(); }
  void onlyTheListsAndActionsTakeTheFocus() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    QCOMPARE(window()->focusPolicy(), Qt::NoFocus);
    const QStringList actions{"Label1", "about", "cmdX"};
    for (QWidget* child : window()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const bool list = qobject_cast<DropDownList*>(child) != nullptr;
      const Qt::FocusPolicy policy = list                                    ? Qt::StrongFocus
                                     : actions.contains(child->objectName()) ? Qt::TabFocus
                                                                             : Qt::NoFocus;
      QCOMPARE(child->focusPolicy(), policy);
    }
  }

  void frontToBack_data() { addFormRows(); }
  void frontToBack() {
    QFETCH(QString, form);
    QVERIFY(open(form));
    // "X" and "?" lie in front of the caption bar and take the pointer there.
    QVERIFY(stackPosition(QStringLiteral("cmdX")) > stackPosition(QStringLiteral("title")));
    QVERIFY(stackPosition(QStringLiteral("about")) > stackPosition(QStringLiteral("title")));
    Label* cmdX = label(QStringLiteral("cmdX"));
    Label* about = label(QStringLiteral("about"));
    QCOMPARE(window()->childAt(cmdX->geometry().center()), cmdX);
    QCOMPARE(window()->childAt(about->geometry().center()), about);
    // The answer lists lie in front of every label.
    const int lowestList = stackPosition(QStringLiteral("Combo1(0)"));
    for (Label* l : window()->findChildren<Label*>(Qt::FindDirectChildrenOnly)) {
      QVERIFY2(stackPosition(l->objectName()) < lowestList, qPrintable(l->objectName()));
    }
    // The outline over "Score Your Test" lets the pointer through to the label.
    Label* score = label(QStringLiteral("Label1"));
    QCOMPARE(window()->childAt(score->geometry().topLeft() + QPoint(1, 1)), score);
  }
};

QTEST_MAIN(TestQuestionnaireLayout)
#include "tst_questionnaire_layout.moc"
