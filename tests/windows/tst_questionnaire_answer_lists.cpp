// The answer lists under the user's hands: what is typed or pasted into a field is erased
// again, the field never shows one answer while another one counts, and choosing an entry is
// never mistaken for typing.
#include "engine/screening.h"
#include "tests/support/questionnaire.h"
#include "tests/support/rows.h"
#include "ui/frame/drop_down_list.h"
#include "ui/frame/label.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

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

  void typingAtTheEndErasesTheField_data() {
    addColumns<bool, int>({"depression", "index"});
    QTest::newRow("Form1, first list") << true << 0;
    QTest::newRow("Form1, last list") << true << 14;
    QTest::newRow("Form11, first list") << false << 0;
    QTest::newRow("Form11, last list") << false << 9;
  }
  void typingAtTheEndErasesTheField() {
    QFETCH(bool, depression);
    QFETCH(int, index);
    QVERIFY(open(depression ? quiravel::windows::depressionDesign()
                            : quiravel::windows::anxietyDesign()));
    DropDownList* list = combo(index);
    QVERIFY(focus(list));
    press(Qt::Key_End);
    type(QStringLiteral("Yes"));
    // The typed letters and the "No" before them go, one Backspace at a time.
    QTRY_COMPARE(list->currentText(), QString());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(score(), 0.0F);
    // The list can still be answered.
    list->setCurrentIndex(1);
    QCOMPARE(list->currentText(), QStringLiteral("Yes"));
    QCOMPARE(score(), 1.0F);
  }

  void aListEditedAfterChoosingYesCountsAsUnanswered() {
    QVERIFY(open(quiravel::windows::depressionDesign()));
    DropDownList* list = combo(3);
    list->setCurrentIndex(1);
    QCOMPARE(score(), 1.0F);
    QVERIFY(focus(list));
    press(Qt::Key_End);
    type(QStringLiteral("x"));
    QTRY_COMPARE(list->currentText(), QString());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(score(), 0.0F);
  }

  // Wherever the user types, the guard erases what lies before the caret; what lies after it
  // stays, and the field then counts as the entry it shows, or as unanswered.
  void theFieldCountsAsWhatItShows_data() {
    addColumns<int, int, QString, QString, int, int>({
        "chosen",  // -1: untouched
        "caretKey", "typed", "shown",
        "counts",  // the selected index afterwards
        "edits"    // the user's edits plus the Backspaces that changed text
    });
    QTest::newRow("untouched, at the end") << -1 << int(Qt::Key_End) << "Yes"
                                           << "" << -1 << 8;
    QTest::newRow("untouched, at the start") << -1 << int(Qt::Key_Home) << "Yes"
                                             << "No" << 0 << 6;
    QTest::newRow("No, at the end") << 0 << int(Qt::Key_End) << "s"
                                    << "" << -1 << 4;
    QTest::newRow("No, at the start") << 0 << int(Qt::Key_Home) << "Yes"
                                      << "No" << 0 << 6;
    QTest::newRow("Yes, at the end") << 1 << int(Qt::Key_End) << "x"
                                     << "" << -1 << 5;
    // This one would leave "Yes" in a field that counts as unanswered, if the list did not
    // take the entry that its field shows.
    QTest::newRow("Yes, at the start") << 1 << int(Qt::Key_Home) << "No"
                                       << "Yes" << 1 << 4;
  }
  void theFieldCountsAsWhatItShows() {
    QFETCH(int, chosen);
    QFETCH(int, caretKey);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, counts);
    QFETCH(int, edits);
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    DropDownList* list = combo(1);
    if (chosen >= 0)
      list->setCurrentIndex(chosen);
    QVERIFY(focus(list));
    QSignalSpy changes(list, &DropDownList::change);
    press(Qt::Key(caretKey));
    type(typed);
    // The guard has run out once a Backspace finds nothing before the caret to delete.
    QTRY_COMPARE(changes.count(), edits);
    QCoreApplication::processEvents();
    QCOMPARE(changes.count(), edits);
    QCOMPARE(list->currentText(), shown);
    QCOMPARE(list->currentIndex(), counts);
    QCOMPARE(score(), counts == 1 ? 1.0F : 0.0F);
  }

  void pastedTextIsErased() {
    QVERIFY(open(quiravel::windows::anxietyDesign()));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("Yes"));
    if (clipboard->text() != QLatin1String("Yes"))
      QSKIP("no clipboard on this platform");
    DropDownList* list = combo(4);
    QVERIFY(focus(list));
    press(Qt::Key_End);
    press(Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(list->currentText(), QString());
    QCOMPARE(list->currentIndex(), -1);
    QCOMPARE(score(), 0.0F);
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
    QTRY_COMPARE(list->currentText(), QString());
    QCOMPARE(combo(0)->currentText(), QStringLiteral("Yes"));
    QCOMPARE(combo(2)->currentText(), QStringLiteral("Yes"));
    QCOMPARE(score(), 2.0F);
  }
};

QTEST_MAIN(TestQuestionnaireAnswerLists)
#include "tst_questionnaire_answer_lists.moc"
