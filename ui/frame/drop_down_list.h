// A drop-down list with an editable text field: a selected index that is -1 while no entry is
// selected, and a change notification only for the user's edits of the field.
#pragma once

#include "ui/frame/units.h"

#include <QComboBox>

namespace quiravel::frame {

class DropDownList : public QComboBox {
  Q_OBJECT

 public:
  explicit DropDownList(QWidget* parent);

  // Fills the list and shows `text` in the field with no entry selected.
  void setEntries(const QStringList& entries, const QString& text);

  void setBackColor(Bgr colour);
  void setForeColor(Bgr colour);

 Q_SIGNALS:
  // The user changed the field's text (typing, deleting, pasting). Choosing an entry from the
  // drop-down is a selection, not an edit, and raises nothing.
  void change();

 private:
  void followText(const QString& text);

  bool settingText_ = false;
};

}  // namespace quiravel::frame
