#include "ui/frame/drop_down_list.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QValidator>

#include <algorithm>
#include <vector>

namespace quiravel::frame {

namespace {

// Refuses the user's edits of a list's field, whatever their kind: a typed key, Backspace or
// Delete, a paste (keys, context menu, middle click), a drop, an input method's commit. The field
// asks its validator about each of them and undoes a refused one at once, before it is shown or
// reported, so no text lingers and nothing is left for a later key to clean up. An edit is told
// apart by the undo step it leaves behind: text set by the list itself, or written by an
// assistive technology, replaces the field's text with a fresh undo history.
class UserEditRefusal final : public QValidator {
 public:
  explicit UserEditRefusal(DropDownList* list) : QValidator(list), list_(list) {}

  State validate(QString&, int&) const override {
    if (!list_->lineEdit()->isUndoAvailable())
      return Acceptable;
    Q_EMIT list_->change();
    return Invalid;
  }

 private:
  DropDownList* list_;
};

// One palette object for all the lists whose colours are the same. The style keeps the lists'
// drawn frames in Qt's pixmap cache under the identity of the palette they were drawn with, and
// each list's own palette is a new object: every list of every questionnaire ever loaded would
// add entries of its own, and the cache keeps the names of entries long gone. Drawn with a
// shared palette of the same colours, the lists look the same and reuse what is cached. Only
// as many palettes gather here as there are different sets of colours.
QPalette sharedPalette(const QPalette& palette) {
  static std::vector<QPalette> palettes;
  auto shared = std::find(palettes.begin(), palettes.end(), palette);
  if (shared == palettes.end())
    shared = palettes.insert(palettes.end(), palette);
  QPalette copy = *shared;
  copy.setCurrentColorGroup(palette.currentColorGroup());  // not part of the palette's identity
  return copy;
}

}  // namespace

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setCompleter(nullptr);  // no completion: typed text is never turned into an entry
  setInsertPolicy(QComboBox::NoInsert);
  setFocusPolicy(Qt::StrongFocus);
  // Pointer moves over the list are not moves over the window's background.
  setAttribute(Qt::WA_NoMousePropagation);
  setValidator(new UserEditRefusal(this));
  // When an assistive technology writes the field's text, the selection follows what the field
  // shows.
  connect(lineEdit(), &QLineEdit::textChanged, this, &DropDownList::followText);
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

void DropDownList::initStyleOption(QStyleOptionComboBox* option) const {
  QComboBox::initStyleOption(option);
  option->palette = sharedPalette(option->palette);
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
