#include "ui/frame/drop_down_list.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace quiravel::frame {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setCompleter(nullptr);  // no completion: typed text is never turned into an entry
  setInsertPolicy(QComboBox::NoInsert);
  setFocusPolicy(Qt::StrongFocus);
  // Pointer moves over the list are not moves over the window's background.
  setAttribute(Qt::WA_NoMousePropagation);
  // Whoever changes the field's text (the user typing, or an assistive technology writing it),
  // the selection follows what the field shows; only the user's own edits are reported.
  connect(lineEdit(), &QLineEdit::textChanged, this, &DropDownList::followText);
  connect(lineEdit(), &QLineEdit::textEdited, this, &DropDownList::change);
}

void DropDownList::setEntries(const QStringList& entries, const QString& text) {
  const QSignalBlocker block(this);
  const QScopedValueRollback<bool> holdSelection(settingText_, true);
  clear();
  // Adding entries to an empty editable list selects the first one: unselect it, then put
  // the text in the field.
  addItems(entries);
  setCurrentIndex(-1);
  setEditText(text);
}

void DropDownList::setBackColor(Bgr colour) {
  QPalette p = palette();
  p.setColor(QPalette::Base, colorFromBgr(colour));
  setPalette(p);
}

void DropDownList::setForeColor(Bgr colour) {
  QPalette p = palette();
  p.setColor(QPalette::Text, colorFromBgr(colour));
  setPalette(p);
}

void DropDownList::followText(const QString& text) {
  // The field never shows one thing while another answer counts: after a change of the field
  // the selected entry is the one whose text the field now holds (matched as the list itself
  // matches when editing finishes), and none if the field holds no entry's text.
  if (settingText_)
    return;
  const int shown = findText(text, Qt::MatchFixedString);
  if (currentIndex() == shown)
    return;
  QLineEdit* edit = lineEdit();
  const int cursor = edit->cursorPosition();
  const QScopedValueRollback<bool> holdSelection(settingText_, true);
  {
    const QSignalBlocker block(this);
    setCurrentIndex(shown);
  }
  edit->setText(text);
  edit->setCursorPosition(cursor);
}

}  // namespace quiravel::frame
