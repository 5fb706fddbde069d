// The answer list's field and its selection never disagree, whoever changes the field, and the
// user's own edits of the field are refused.
#include "tests/support/rows.h"
#include "ui/frame/drop_down_list.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

using quiravel::frame::DropDownList;
using quiravel::test::dataRow;

class TestDropDownList : public QObject {
  Q_OBJECT

  std::unique_ptr<DropDownList> list_;

 private Q_SLOTS:
  void init() {
    list_ = std::make_unique<DropDownList>(nullptr);
    list_->setEntries({QStringLiteral("No"), QStringLiteral("Yes")}, QStringLiteral("No"));
  }
  void cleanup() { list_.reset(); }

  void startsShowingTextWithNothingSelected() {
    QCOMPARE(list_->currentIndex(), -1);
    QCOMPARE(list_->currentText(), QStringLiteral("No"));
    QCOMPARE(list_->count(), 2);
    QVERIFY(list_->completer() == nullptr);
    QCOMPARE(list_->insertPolicy(), QComboBox::NoInsert);
  }

  // An assistive technology writes the field's text without typing: the selection follows it,
  // and it is not reported as the user's edit.
  void textWrittenByProgramSelectsWhatItShows_data() {
    quiravel::test::addColumns<QString, int>({"text", "index"});
    dataRow("Yes", "Yes", 1);
    dataRow("No", "No", 0);
    dataRow("other case", "yes", 1);
    dataRow("no entry", "Maybe", -1);
    dataRow("empty", "", -1);
  }
  void textWrittenByProgramSelectsWhatItShows() {
    QFETCH(QString, text);
    QFETCH(int, index);
    list_->setCurrentIndex(1);
    QSignalSpy edits(list_.get(), &DropDownList::change);
    list_->lineEdit()->setText(text);
    QCOMPARE(list_->currentIndex(), index);
    QCOMPARE(list_->lineEdit()->text(), text);
    QCOMPARE(edits.count(), 0);
  }

  void choosingAnEntryIsNoEdit() {
    QSignalSpy edits(list_.get(), &DropDownList::change);
    list_->setCurrentIndex(1);
    list_->setCurrentIndex(0);
    QCOMPARE(list_->currentText(), QStringLiteral("No"));
    QCOMPARE(edits.count(), 0);
  }

  void typingIsRefusedAndReported() {
    list_->show();
    QVERIFY(QTest::qWaitForWindowExposed(list_.get()));
    list_->setCurrentIndex(1);
    QSignalSpy edits(list_.get(), &DropDownList::change);
    list_->lineEdit()->end(false);
    QTest::keyClick(list_->lineEdit(), Qt::Key_X);
    QCOMPARE(edits.count(), 1);
    QCOMPARE(list_->lineEdit()->text(), QStringLiteral("Yes"));
    QCOMPARE(list_->currentIndex(), 1);
    QTest::keyClick(list_->lineEdit(), Qt::Key_Backspace);
    QCOMPARE(edits.count(), 2);
    QCOMPARE(list_->currentIndex(), 1);
    QCOMPARE(list_->lineEdit()->cursorPosition(), 3);
  }
};

QTEST_MAIN(TestDropDownList)
#include "tst_drop_down_list.moc"
