// The answer lists under the user's hands: whatever is typed, pasted or dropped into a field is
// refused at once and the field shows what it showed, the field never shows one answer while
// another one counts, and choosing an entry is never mistaken for typing.
#include "engine/screening.h"
#include "tests/support/input.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <malloc.h>

#include <tuple>

using namespace quiravel::engine;
using namespace quiravel::frame;
using namespace quiravel::test;
using namespace quiravel::windows;

class TestQuestionnaireAnswerLists : public QObject {
  Q_OBJECT

  std::unique_ptr<Questionnaire> instance_;
  QList<ScreeningResult> results_;

  QuestionnaireWindow* open(const QuestionnaireDesign& design) {
    return openQuestionnaire(instance_, design, [this](QuestionnaireWindow* window) {
      connect(window, &QuestionnaireWindow::scored, this,
              [this](const ScreeningResult& result) { results_.append(result); });
    });
  }
  QuestionnaireWindow* window() const { return instance_->loadedWindow(); }
  DropDownList* combo(int index) const { return quiravel::test::combo(window(), index); }
  // Gives a list the keyboard focus as a click into it would.
  bool focus(DropDownList* list) const {
    list->setFocus(Qt::MouseFocusReason);
    return QTest::qWaitFor([list] { return QApplication::focusWidget() == list; });
  }
  void type(const QString& keys) const {
    for (const QChar key : keys)
      QTest::keyClick(window()->windowHandle(), key.toLatin1());
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(window()->windowHandle(), key, modifiers);
  }
  float score() {
    QTest::mouseClick(label(window(), QStringLiteral("Label1")), Qt::LeftButton);
    return results_.isEmpty() ? -1.0F : results_.last().total;
  }

 private Q_SLOTS:
  void cleanup() {
    instance_.reset();
    results_.clear();
  }

  void typingAtTheEndChangesNothing_data() {
    addColumns<bool, int>({"depression", "index"});
    dataRow("Form1, first list", true, 0);
    dataRow("Form1, last list", true, 14);
    dataRow("Form11, first list", false, 0);
    dataRow("Form11, last list", false, 9);
  }
  void typingAtTheEndChangesNothing() {
    QFETCH(bool, depression);
    QFETCH(int, index);
    QVERIFY(open(depression ? quiravel::windows::depressionDesign()
                            : quiravel::windows::anxietyDesign()));
    DropDownList* list = combo(index);
    const QString shown = list->currentText();
    QVERIFY(focus(list));
    press(Qt::Key_End);
    type(QStringLiteral("Yes"));
    QCoreApplication::processEvents();
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(score(), 0.0F);
    // The list can still be answered.
    list->setCurrentIndex(1);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCOMPARE(score(), 1.0F);
  }

  void aListEditedAfterChoosingYesKeepsIt() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    DropDownList* list = combo(3);
    list->setCurrentIndex(1);
    QCOMPARE(score(), 1.0F);
    QVERIFY(focus(list));
    press(Qt::Key_End);
    type(QStringLiteral("x"));
    QCoreApplication::processEvents();
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(score(), 1.0F);
  }

  // Whichever way text reaches a field, the edit is undone at once and in that list alone: the
  // field never shows anything else, even for a moment, and the answer stays what was chosen,
  // in this list and in the one clicked next.
  void anEditLeavesTheListAsItWas_data() {
    addColumns<int, int, QString, int>({"chosen" /* -1: untouched */, "edit", "keys", "length"});
    for (const char* keys : {"End, Y, E, S", "Home, Y, E, S"}) {
      for (const auto& [answer, chosen] : {std::pair{"untouched", -1}, {"No", 0}, {"Yes", 1}})
        QTest::addRow("%s, %s", answer, keys) << chosen << int(FieldEdit::Keys) << keys << 3;
    }
    const std::tuple<const char*, FieldEdit, const char*> others[] = {
        {"Backspace", FieldEdit::Keys, "End, Backspace"},
        {"Delete", FieldEdit::Keys, "Home, Del"},
        {"cut", FieldEdit::Keys, "Ctrl+A, Ctrl+X"},
        {"Ctrl+V", FieldEdit::Keys, "End, Ctrl+V"},
        {"Shift+Insert", FieldEdit::Keys, "End, Shift+Ins"},
        {"context menu paste", FieldEdit::MenuPaste, "End"},
        {"middle click", FieldEdit::MiddleClick, ""},
        {"drop", FieldEdit::Drop, ""},
        {"input method", FieldEdit::InputMethod, ""},
    };
    for (const auto& [name, edit, keys] : others)
      QTest::addRow("Yes, %s", name) << 1 << int(edit) << keys << 3;
    QTest::addRow("Yes, a page pasted") << 1 << int(FieldEdit::Keys) << "End, Ctrl+V" << 40000;
  }
  void anEditLeavesTheListAsItWas() {
    QFETCH(int, chosen);
    QFETCH(int, edit);
    QFETCH(QString, keys);
    QFETCH(int, length);
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    DropDownList* list = combo(1);
    DropDownList* next = combo(2);
    for (DropDownList* each : {list, next}) {
      if (chosen >= 0)
        each->setCurrentIndex(chosen);
    }
    const QString shown = list->currentText();
    QVERIFY(focus(list));
    QSignalSpy refused(list, &DropDownList::change);
    QSignalSpy shownChanges(list->lineEdit(), &QLineEdit::textChanged);
    if (!editField(list->lineEdit(), FieldEdit(edit), keys, QString(length, QLatin1Char('Y'))))
      QSKIP("this platform has no clipboard or selection for it");
    QTest::mouseClick(next->lineEdit(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(!refused.isEmpty());
    QCOMPARE(shownChanges.count(), 0);
    QCOMPARE(list->currentText(), shown);
    // Left, the list selects the entry it shows, as it does after an untouched visit.
    QCOMPARE(list->currentIndex(), list->findText(shown));
    QCOMPARE(next->currentText(), shown);
    QCOMPARE(next->currentIndex(), chosen);
    QCOMPARE(score(), chosen == 1 ? 2.0F : 0.0F);
  }

  // Answer lists drawn in window after window leave nothing behind in the toolkit's caches.
  void loadingAgainAndAgainLeavesTheHeapLevel() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("the sanitizer's allocator holds the heap; the C library's figures say nothing");
#endif
    const auto load = [this] {
      QVERIFY(open(quiravel::windows::anxietyDesign()));
      window()->grab();
      instance_->unload();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    for (int i = 0; i < 50; ++i)  // the caches fill up
      load();
    const std::size_t before = mallinfo2().uordblks;
    for (int i = 0; i < 200; ++i)
      load();
    QVERIFY2(mallinfo2().uordblks < before + 256 * 1024,
             qPrintable(QString::number(mallinfo2().uordblks - before)));
  }

  void choosingFromTheListIsNotTyping() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    DropDownList* list = combo(7);
    QSignalSpy changes(list, &DropDownList::change);
    list->setCurrentIndex(1);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    list->setCurrentIndex(0);
    QCOMPARE(list->currentText(), QStringLiteral("No"));
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list->currentText(), QStringLiteral("No"));
    QCOMPARE(list->currentIndex(), 0);
  }

  void choosingFromThePopupIsNotTyping() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    DropDownList* list = combo(7);
    QVERIFY(focus(list));
    QSignalSpy changes(list, &DropDownList::change);
    list->showPopup();
    QAbstractItemView* popup = list->view();
    QTRY_VERIFY(popup->isVisible());
    const QModelIndex yes = list->model()->index(1, 0);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(yes).center());
    QTRY_VERIFY(!popup->isVisible());
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCOMPARE(score(), 1.0F);
  }

  void arrowKeysChooseWithoutTyping() {
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    DropDownList* list = combo(0);
    QVERIFY(focus(list));
    QSignalSpy changes(list, &DropDownList::change);
    list->setCurrentIndex(0);
    press(Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 1);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), 0);
    QCOMPARE(score(), 1.0F);
  }

  void theGuardLeavesOtherListsAlone() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    combo(0)->setCurrentIndex(1);
    combo(2)->setCurrentIndex(1);
    DropDownList* list = combo(1);
    QVERIFY(focus(list));
    press(Qt::Key_End);
    type(QStringLiteral("Yes"));
    QCoreApplication::processEvents();
    QCOMPARE(list->currentText(), QStringLiteral("No"));
    QCOMPARE(combo(0)->currentText(), QStringLiteral("Yes"));
    QCOMPARE(combo(2)->currentText(), QStringLiteral("Yes"));
    QCOMPARE(score(), 2.0F);
  }
};

QTEST_MAIN(TestQuestionnaireAnswerLists)
#include "tst_questionnaire_answer_lists.moc"
